// The whole data folder from fuzzed bytes: load it, dump every list, add, change and delete a
// brother and a congregation, save the weeks and load everything again.
#include "FolderContainer.h"
#include "ScratchFolder.h"
#include "app/cli/DumpCommand.h"
#include "base/Clock.h"
#include "base/FileIo.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/headless/HeadlessHost.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace mivra {
namespace {

constexpr std::string_view kLanguages[] = {"sve", "rus", "polish", "greek", "turkish", "ptg"};
constexpr int kYears[] = {2026, 2009, 2099, 2012};

void WriteFolder(const fuzz::Folder& folder, const std::filesystem::path& to) {
    for (const auto& entry : std::filesystem::directory_iterator(to))
        std::filesystem::remove_all(entry.path());
    for (size_t id = 0; id < fuzz::kFolderFiles.size(); ++id) {
        if (!folder.files[id])
            continue;
        std::ofstream out(to / fuzz::kFolderFiles[id], std::ios::binary);
        out.write(reinterpret_cast<const char*>(folder.files[id]->data()),
                  static_cast<std::streamsize>(folder.files[id]->size()));
    }
}

void DumpEverything(const CMvDoc& doc) {
    std::ostringstream out;
    DumpCommand dump(doc);
    for (std::string_view kind : DumpCommand::Kinds())
        dump.Write(kind, out);
}

uint16_t FirstCongregationKey(const CMvDoc& doc) {
    const CongregationIndexEntry* first = doc.Congregations().Congregation(0);
    return first ? first->congregationKey : 0;
}

void ChangeBrothers(CMvDoc& doc) {
    int added = doc.Brothers().AddBrother(
        {.firstName = "Östen", .lastName = "Ärlig", .congregationKey = FirstCongregationKey(doc)},
        {.phone2 = "070-1", .remark = "ny"});
    if (added >= 0) {
        BrotherRecord record;
        doc.Brothers().ReadBrother(added, record);
        record.lastName = "Åberg";
        record.phone = "08-1";
        added = doc.Brothers().UpdateBrother(added, record, {});
        doc.DeleteBrother(added);
    }
    // And one the folder brought with it.
    BrotherRecord stored;
    doc.Brothers().ReadBrother(0, stored);
    BrotherExtraRecord extra;
    if (const BrotherIndexEntry* first = doc.Brothers().Brother(0))
        doc.Brothers().ReadBrotherExtra(first->extraSlot, first->brotherKey, extra);
    extra.email = "a@b.se";
    const int updated = doc.Brothers().UpdateBrother(0, stored, extra);
    doc.MoveBrother(updated, FirstCongregationKey(doc), false);
    doc.DeleteBrother(updated);
}

void ChangeCongregations(CMvDoc& doc) {
    int added =
        doc.Congregations().AddCongregation({.name = "Öster", .circuitId = 30001, .weekdayOdd = 6});
    if (added >= 0) {
        CongregationRecord record;
        doc.Congregations().ReadCongregation(added, record);
        record.name = "Väster";
        doc.Congregations().UpdateCongregation(added, record);
        doc.DeleteCongregation(added);
    }
    CongregationRecord stored;
    doc.Congregations().ReadCongregation(0, stored);
    stored.meetingTimeOdd = "10:00";
    doc.Congregations().UpdateCongregation(0, stored);
    doc.DeleteCongregation(0);
}

// What SaveWeeks wrote is what the next load reads.
void CheckWeeksSurviveTheReload(CMvDoc& doc, bool saved) {
    std::vector<WeekRecord> before;
    for (int n = 0; n < WeekWindow::kWeeks; ++n)
        before.push_back(doc.Weeks().Week(doc.Weeks().BaseWeek() + n));
    if (!doc.ReloadStore())
        std::abort();
    if (!saved)
        return;
    for (int n = 0; n < WeekWindow::kWeeks; ++n)
        if (!(doc.Weeks().Week(doc.Weeks().BaseWeek() + n) == before[static_cast<size_t>(n)]))
            std::abort();
}

} // namespace
} // namespace mivra

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mivra;
    io::SetDurable(false);
    const fuzz::Folder folder = fuzz::SplitFolder({data, size});
    const std::filesystem::path& scratch = fuzz::ScratchFolder();
    WriteFolder(folder, scratch);

    StringTable strings = StringTable::Swedish();
    strings.Set(1198, std::string(kLanguages[folder.options % std::size(kLanguages)]));
    ui::headless::HeadlessHost host;
    host.SetPermissive(true);
    FixedClock clock({kYears[(folder.options / std::size(kLanguages)) % std::size(kYears)], 3, 4});

    CMvDoc doc(strings, host, clock, scratch);
    if (!doc.LoadStore())
        std::abort();
    DumpEverything(doc);
    ChangeBrothers(doc);
    ChangeCongregations(doc);
    DumpEverything(doc);
    CheckWeeksSurviveTheReload(doc, doc.Weeks().SaveWeeks());
    DumpEverything(doc);
    return 0;
}
