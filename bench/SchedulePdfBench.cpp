// The printed schedule as a PDF: 52 weeks, each with a visiting speaker, chairman, reader,
// host and six outgoing speakers, laid out for a 300-dpi page and rendered through the Qt
// backend as `mivra-cli print-schedule` does it.
#include "app/cli/ScheduleCommand.h"
#include "base/Clock.h"
#include "base/FileIo.h"
#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "support/RecordWriters.h"
#include "support/TempDir.h"
#include "ui/headless/HeadlessHost.h"
#include "ui/qt/PdfRender.h"

#include <benchmark/benchmark.h>

namespace mivra {
namespace {

constexpr CivilDate kToday{2026, 3, 4};
constexpr int kWeeks = 52;

void WriteBusyFolder(const test::TempDir& dir) {
    test::Bytes speakers(256, 0), congregations(256, 0), weeks;
    for (uint16_t key = 1; key <= 40; ++key) {
        test::Bytes b = test::BrotherBytes{.first = "Förnamn" + std::to_string(key),
                                           .last = "Efternamnsson",
                                           .congregation = static_cast<uint16_t>(key % 8 + 1),
                                           .key = key}
                            .Build();
        speakers.insert(speakers.end(), b.begin(), b.end());
    }
    for (uint16_t key = 1; key <= 8; ++key) {
        test::Bytes c =
            test::CongregationBytes{.name = "Församlingen nummer " + std::to_string(key),
                                    .timeOdd = "10:00",
                                    .timeEven = "13:30",
                                    .key = key,
                                    .weekdayOdd = static_cast<uint8_t>(key % 7),
                                    .weekdayEven = 0}
                .Build();
        congregations.insert(congregations.end(), c.begin(), c.end());
    }
    const int first = dates::WeekNumberOf(kToday);
    for (int i = 0; i < kWeeks; ++i) {
        test::WeekBytes w{.week = static_cast<uint16_t>(first + i),
                          .homeSpeaker = static_cast<uint16_t>(i % 8 + 1),
                          .homeTalk = static_cast<uint16_t>(i % 190 + 1),
                          .homeCongregation = static_cast<uint16_t>(i % 8 + 1),
                          .chairman = 9,
                          .reader = 10,
                          .host = 30001};
        for (size_t s = 0; s < 6; ++s) {
            w.outSpeaker[s] = static_cast<uint16_t>(11 + s);
            w.outCongregation[s] = static_cast<uint16_t>(s + 2);
            w.outTalk[s] = static_cast<uint16_t>(20 + s);
        }
        test::Bytes b = w.Build();
        weeks.insert(weeks.end(), b.begin(), b.end());
    }
    dir.Write("speakers.dat", speakers);
    dir.Write("cong.dat", congregations);
    dir.Write("history.dat", weeks);
    dir.Write("hospital.dat", test::HostBytes("Familjen Värdsson", 30001));
    dir.WriteText("mivraw.ini", test::Cp1252("[Congregation]\r\nNumber=1\r\n[Församling]\r\n"
                                             "Ha med högläsare=1\r\nVärd=1\r\n[Programformat]\r\n"
                                             "Visa högläsare=1\r\nLister=1\r\nDatumstämpel=1\r\n"));
}

void BM_SchedulePdf(benchmark::State& state) {
    io::SetDurable(false);
    test::TempDir dir;
    WriteBusyFolder(dir);
    ui::headless::HeadlessHost host;
    host.SetPermissive(true);
    FixedClock clock(kToday);
    CMvDoc doc(StringTable::Swedish(), host, clock, dir.path());
    doc.LoadStore();
    const ReportFonts fonts = cli::ScheduleCommand::FontsOf(doc);
    cli::ScheduleCommand command(doc, {dates::WeekNumberOf(kToday) - 1, kWeeks});
    cli::PdfRenderer pdf = [](const std::filesystem::path& path, const cli::PdfPages& pages) {
        ui::qt::PdfOptions options;
        options.dpi = pages.dpi;
        return ui::qt::RenderPdf(path, pages.pageCount, pages.draw, options);
    };
    for (auto _ : state) {
        Status written = command.PrintPdf(dir / "schema.pdf", fonts, pdf);
        if (!written.ok())
            state.SkipWithError("the PDF was not written");
    }
}
BENCHMARK(BM_SchedulePdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace mivra
