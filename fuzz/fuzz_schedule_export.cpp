// A fuzzed week file and event list among fixed master data: the tab-separated export of a
// range of weeks, and the printed schedule laid out and drawn on the recording canvas for the
// screen and for a printer.
#include "ScratchFolder.h"
#include "base/Clock.h"
#include "base/FileIo.h"
#include "exchange/TsvExport.h"
#include "reports/ReportGeometry.h"
#include "reports/ScheduleReport.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "support/RecordWriters.h"
#include "ui/headless/HeadlessHost.h"
#include "ui/headless/RecordingCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>

namespace mivra {
namespace {

constexpr CivilDate kToday{2026, 3, 4};
constexpr int kBase = 884;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string Repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Brothers, congregations, hosts and talks the weeks can name, with texts that stretch the
// columns: long names, a tab and a line break from a package.
void WriteMasterData(const std::filesystem::path& folder) {
    using namespace test;
    Write(folder / "speakers.dat",
          SlotFile(
              {{1, BrotherBytes{.first = "Anders",
                                .last = "Berg",
                                .phone = "08-123 45 67",
                                .congregation = 2,
                                .key = 1}
                       .Build()},
               {2, BrotherBytes{.first = "Bo\tTab", .last = "Ek\nRad", .congregation = 1, .key = 2}
                       .Build()},
               {3, BrotherBytes{.first = std::string(19, 'W'),
                                .last = Repeat("Å", 19),
                                .congregation = 1,
                                .key = 3}
                       .Build()}}));
    Write(folder / "cong.dat",
          SlotFile({{1, CongregationBytes{.name = "Hemby", .timeOdd = "10:00", .key = 1}.Build()},
                    {2, CongregationBytes{.name = std::string(49, 'V'),
                                          .timeOdd = "13:30",
                                          .timeEven = "9",
                                          .key = 2,
                                          .weekdayOdd = 6,
                                          .weekdayEven = 3}
                            .Build()}}));
    Write(folder / "hospital.dat",
          Concat({HostBytes("Familjen Holm", 30001), HostBytes("~Dal", 30002)}));
    Write(folder / "talk.dat",
          TalkBytes{.title = std::string(92, 'T'), .number = "S-1", .key = 1}.Build());
    const std::string profile = "[Congregation]\r\nNumber=1\r\n";
    Write(folder / "mivraw.ini", {profile.begin(), profile.end()});
}

void CheckExport(const CMvDoc& doc, int start, int count) {
    const std::string text = exchange::ScheduleExportText(doc, start, count);
    // A header line, an empty line, then one line of 33 columns per week, whatever the texts.
    size_t lines = 0, at = 0;
    for (size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1, ++lines) {
        const auto tabs = std::count(text.begin() + static_cast<long>(at),
                                     text.begin() + static_cast<long>(end), '\t');
        Require(lines == 1 ? tabs == 0 : tabs == exchange::kScheduleColumns - 1);
    }
    Require(at == text.size() && lines == 2 + static_cast<size_t>(std::max(count, 0)));
    Require(exchange::WriteScheduleExport(doc, start, count).ok());
}

void CheckSchedule(const CMvDoc& doc, const ReportFonts& fonts, int start, int count,
                   const reports::Target& target) {
    ui::headless::RecordingCanvas canvas(target.dpiX, target.dpiY, target.printer);
    reports::ReportGeometry geometry(target, doc.Settings().Options().topMargin,
                                     doc.Settings().Options().leftMargin);
    reports::ScheduleReport report(doc, start, count);
    const int pages = report.Layout({canvas, geometry, fonts});
    Require(pages >= 1 && pages == static_cast<int>(report.Pages().size()));
    int weeks = 0;
    for (const auto& page : report.Pages())
        weeks += page.count;
    Require(weeks == report.WeekCount()); // every week on exactly one page
    for (int page = 1; page <= pages; ++page)
        report.DrawPage({canvas, geometry, fonts}, page);
}

} // namespace
} // namespace mivra

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mivra;
    io::SetDurable(false);
    FuzzedDataProvider in(data, size);
    const int start = kBase + in.ConsumeIntegralInRange(-60, 1100);
    const int count = in.ConsumeIntegralInRange(-1, 60);
    const int textHeight = in.ConsumeIntegralInRange(-60, 60);
    const int dpi = in.PickValueInArray({96, 150, 300, 600});
    DocOptions options;
    options.includeReaders = in.ConsumeBool();
    options.omitTalkNumbers = in.ConsumeBool();
    options.omitOutgoing = in.ConsumeBool();
    options.scheduleReaders = in.ConsumeBool();
    options.scheduleHosts = in.ConsumeBool();
    options.alternativeDateFormat = in.ConsumeBool();
    options.printDateStamps = in.ConsumeBool();
    options.borderStyle = in.ConsumeIntegralInRange(0, 4);
    options.topMargin = in.ConsumeIntegralInRange(0, 300);
    options.leftMargin = in.ConsumeIntegralInRange(0, 300);
    const auto history = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 70000));
    const auto events = in.ConsumeRemainingBytes<uint8_t>();

    const std::filesystem::path& folder = fuzz::ScratchFolder();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
    WriteMasterData(folder);
    Write(folder / "history.dat", history);
    Write(folder / "special.dat", events);

    const StringTable& strings = StringTable::Swedish();
    ui::headless::HeadlessHost host;
    host.SetPermissive(true);
    FixedClock clock(kToday);
    CMvDoc doc(strings, host, clock, folder);
    Require(doc.LoadStore());
    options.ourCongregationKey = doc.Settings().Options().ourCongregationKey;
    options.heading = doc.Settings().Options().heading;
    doc.Settings().MutableOptions() = options;

    ReportFonts fonts;
    LoadFonts(Profile{}, strings, "sve", false, fonts);
    if (textHeight != 0)
        fonts[FontRole::Text].height = textHeight;

    CheckExport(doc, start, count);
    CheckSchedule(doc, fonts, start, count, {});
    CheckSchedule(doc, fonts, start, count, {dpi, dpi, 96, 96, true});
    return 0;
}
