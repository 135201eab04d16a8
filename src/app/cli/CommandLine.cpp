#include "app/cli/CommandLine.h"

#include "app/DemoFolder.h"
#include "app/cli/CalendarCommand.h"
#include "app/cli/DumpCommand.h"
#include "app/cli/FillCommand.h"
#include "app/cli/FollowUpCommand.h"
#include "app/cli/HistoryCommand.h"
#include "app/cli/PackageCommand.h"
#include "app/cli/PrintCommand.h"
#include "app/cli/ScheduleCommand.h"
#include "app/cli/SpeakerCommand.h"
#include "app/cli/SummaryCommand.h"
#include "base/Version.h"
#include "dates/Dates.h"
#include "exchange/Backup.h"
#include "exchange/TsvExport.h"
#include "reports/NeedsReport.h"
#include "resources/StringTable.h"
#include "rotations/CNeedsListDlg.h"
#include "store/CMvDoc.h"
#include "store/DataFiles.h"
#include "store/DataFolderLock.h"
#include "store/Profile.h"
#include "ui/headless/HeadlessHost.h"

#include <ostream>

namespace mivra::cli {
namespace {

constexpr const char* kUsageLines =
    "usage: mivra-cli [--data DIR] [--today YYYY-MM-DD] dump KIND\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] print-needs --pdf FILE\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] print-schedule --from YYYY-MM-DD "
    "--weeks N --pdf FILE\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] print KIND [ARGS] --pdf FILE\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] export-tsv --from YYYY-MM-DD --weeks N\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] backup [--to DIR] [--maps]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] restore DIR\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] availability add|remove --brother KEY "
    "--week YYYY-MM-DD [--week …]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] fill chairman|reader|host --from "
    "YYYY-MM-DD --weeks N\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] history talks [--talk N] [--outgoing "
    "[--speaker KEY]]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] history speaker --brother KEY\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] export-package --congregation NAME "
    "[--out FILE]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] import-package FILE [--as NAME] "
    "[--dry-run]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] import-speakers FILE [--dry-run]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] summary [--from YYYY-MM-DD]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] followups [--after N] [--weeks N]\n"
    "       mivra-cli [--data DIR] [--today YYYY-MM-DD] export-ics --from YYYY-MM-DD --weeks N "
    "--out FILE\n"
    "       mivra-cli [--today YYYY-MM-DD] make-demo DIR\n"
    "       mivra-cli --help | --version";
constexpr int kWriteFailed = 1231;

/** Message boxes of a job without a window go to stderr, answered with their defaults. */
class StderrHost : public ui::headless::HeadlessHost {
public:
    explicit StderrHost(std::ostream& err) : m_err(err) { SetPermissive(true); }
    ui::Answer ShowMessage(const ui::MessageBox& box) override {
        m_err << "mivra-cli: " << box.text << '\n';
        return HeadlessHost::ShowMessage(box);
    }

private:
    std::ostream& m_err;
};

std::string KindList() {
    std::string kinds;
    for (std::string_view kind : DumpCommand::Kinds())
        kinds += (kinds.empty() ? "" : " ") + std::string(kind);
    return kinds;
}

int Usage(std::ostream& err, const std::string& why) {
    if (!why.empty())
        err << "mivra-cli: " << why << '\n';
    err << kUsageLines << "\n  KIND: " << KindList() << '\n';
    return kUsage;
}

/** --help and --version answer on stdout and end the run. */
int Answer(const Invocation& call, std::ostream& out) {
    if (call.help)
        out << kUsageLines << "\n  KIND: " << KindList() << '\n';
    else
        out << "mivra-cli " << kVersion << '\n';
    out.flush();
    return out ? kOk : kFailure;
}

/** The number an option gives, from 1 to `high`; 0 when it is missing or outside. */
int NumberOf(const Invocation& call, const std::string& name, long high) {
    auto it = call.options.find(name);
    if (it == call.options.end() || it->second.empty() || it->second.size() > 5 ||
        it->second.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long value = std::stol(it->second);
    return value > 0 && value <= high ? static_cast<int>(value) : 0;
}

/** The brother key of --brother: 1 … 65535, or 0. */
uint16_t BrotherKeyOf(const Invocation& call, const std::string& name = "--brother") {
    return static_cast<uint16_t>(NumberOf(call, name, 0xFFFF));
}

std::string CheckHistory(const Invocation& call) {
    const std::vector<std::string>& words = call.words;
    if (words.size() != 2 || (words[1] != "talks" && words[1] != "speaker"))
        return "history takes talks or speaker";
    const bool talks = words[1] == "talks";
    for (const auto& [name, value] : call.options)
        if (talks ? name != "--talk" && name != "--outgoing" && name != "--speaker"
                  : name != "--brother")
            return "history " + words[1] + " takes no " + name;
    if (!talks)
        return BrotherKeyOf(call) == 0
                   ? "history speaker needs --brother KEY, a number from 1 to 65535"
                   : std::string();
    if (call.options.count("--talk") && NumberOf(call, "--talk", TalkRepertoire::kTalks) == 0)
        return "--talk takes a talk number from 1 to 256";
    if (call.options.count("--speaker") && !call.options.count("--outgoing"))
        return "--speaker goes with --outgoing";
    if (call.options.count("--speaker") && BrotherKeyOf(call, "--speaker") == 0)
        return "--speaker takes a brother key, a number from 1 to 65535";
    return {};
}

std::string CheckAvailability(const Invocation& call) {
    const std::vector<std::string>& words = call.words;
    if (words.size() != 2 || (words[1] != "add" && words[1] != "remove"))
        return "availability takes add or remove";
    for (const auto& [name, value] : call.options)
        if (name != "--brother" && name != "--week")
            return "availability takes no " + name;
    if (BrotherKeyOf(call) == 0)
        return "availability needs --brother KEY, a number from 1 to 65535";
    if (call.weeks.empty())
        return "availability needs --week YYYY-MM-DD";
    for (const std::string& week : call.weeks)
        if (!dates::ParseIsoDate(week))
            return "--week takes a date YYYY-MM-DD from 2000-01-03 to 2099-12-31, not \"" + week +
                   "\"";
    return {};
}

std::string CheckSummary(const Invocation& call) {
    if (call.words.size() != 1)
        return "summary takes no argument " + call.words[1];
    for (const auto& [name, value] : call.options)
        if (name != "--from")
            return "summary takes no " + name;
    if (call.options.count("--from") && !dates::ParseIsoDate(call.options.at("--from")))
        return "--from takes a date YYYY-MM-DD from 2000-01-03 to 2099-12-31";
    return {};
}

int Summary(const Invocation& call, CMvDoc& doc, std::ostream& out) {
    const auto from = call.options.find("--from");
    WriteSummary(doc,
                 from == call.options.end()
                     ? doc.CurrentWeek()
                     : dates::WeekNumberOf(*dates::ParseIsoDate(from->second)),
                 out);
    out.flush();
    return out ? kOk : kFailure;
}

/** The usage error of a command's words and options, or empty when they are complete. */
std::string CheckCommand(const Invocation& call) {
    const std::vector<std::string>& words = call.words;
    if (words[0] == "dump") {
        if (words.size() != 2 || !DumpCommand::IsKind(words[1]))
            return words.size() < 2 ? "dump needs a kind" : "unknown kind " + words[1];
        if (!call.options.empty())
            return "dump takes no " + call.options.begin()->first;
        return {};
    }
    if (words[0] == "make-demo") {
        if (words.size() != 2)
            return words.size() < 2 ? "make-demo needs a folder" : "make-demo takes one folder";
        if (call.dataFolder || !call.options.empty())
            return call.dataFolder ? "make-demo takes its folder as DIR, not --data"
                                   : "make-demo takes no " + call.options.begin()->first;
        return {};
    }
    if (words[0] == "availability")
        return CheckAvailability(call);
    if (words[0] == "fill")
        return FillCommand::Check(call);
    if (words[0] == "print")
        return PrintCommand::Check(call);
    if (words[0] == "history")
        return CheckHistory(call);
    if (words[0] == "summary")
        return CheckSummary(call);
    if (words[0] == "followups")
        return CheckFollowUps(call);
    if (words[0] == "export-ics")
        return CheckExportIcs(call);
    if (words[0] == "export-package" || words[0] == "import-package")
        return CheckPackageCommand(call);
    if (words[0] == "import-speakers")
        return CheckSpeakerImport(call);
    if (words[0] == "history")
        return CheckHistory(call);
    if (words[0] == "backup" || words[0] == "restore") {
        const bool backup = words[0] == "backup";
        if (backup ? words.size() != 1 : words.size() != 2)
            return backup ? "backup takes no argument " + words[1]
                          : (words.size() < 2 ? "restore needs a backup folder"
                                              : "restore takes one backup folder");
        for (const auto& [name, value] : call.options)
            if (!backup || (name != "--to" && name != "--maps"))
                return words[0] + " takes no " + name;
        return {};
    }
    if (words[0] == "print-needs") {
        if (words.size() != 1)
            return "print-needs takes no argument " + words[1];
        for (const auto& [name, value] : call.options)
            if (name != "--pdf")
                return "print-needs takes no " + name;
        return call.options.count("--pdf") ? std::string() : "print-needs needs --pdf FILE";
    }
    if (call.options.count("--to") || call.options.count("--maps"))
        return words[0] + " takes no " + (call.options.count("--to") ? "--to" : "--maps");
    if (words[0] != "print-schedule" && words[0] != "export-tsv")
        return "unknown command " + words[0];
    if (words.size() != 1)
        return words[0] + " takes no argument " + words[1];
    const bool pdf = call.options.count("--pdf") != 0;
    if (words[0] == "print-schedule" && !pdf)
        return "print-schedule needs --pdf FILE";
    if (words[0] == "export-tsv" && pdf)
        return "export-tsv takes no --pdf";
    std::string error;
    return ParseWeekRange(call, error) ? std::string() : error;
}

using Job = std::function<int(CMvDoc&)>;

int WithDocument(const Invocation& call, const std::filesystem::path& folder, std::ostream& err,
                 const Job& job, bool viewOnly = false) {
    StderrHost host(err);
    SystemClock systemClock;
    FixedClock fixedClock(call.today.value_or(CivilDate{}));
    const Clock& clock = call.today ? static_cast<const Clock&>(fixedClock) : systemClock;
    CMvDoc doc(StringTable::Swedish(), host, clock, folder);
    doc.SetReadOnly(viewOnly);
    if (!doc.LoadStore()) {
        err << "mivra-cli: cannot read the data folder " << folder.string() << '\n';
        return kFailure;
    }
    return job(doc);
}

int Dump(const Invocation& call, CMvDoc& doc, std::ostream& out) {
    DumpCommand(doc).Write(call.words[1], out);
    out.flush();
    return out ? kOk : kFailure;
}

int PrintSchedule(const Invocation& call, CMvDoc& doc, std::ostream& err, const PdfRenderer& pdf) {
    std::string error;
    const WeekRange range = *ParseWeekRange(call, error);
    const std::filesystem::path file = call.options.at("--pdf");
    Status status = ScheduleCommand(doc, range).PrintPdf(file, ScheduleCommand::FontsOf(doc), pdf);
    if (!status.ok()) {
        err << "mivra-cli: cannot write " << status.error().path.string() << ": "
            << status.error().what << '\n';
        return kFailure;
    }
    return kOk;
}

/** The needs list's printout as a PDF; prints the page count and the file's full path. */
int PrintNeeds(const Invocation& call, CMvDoc& doc, std::ostream& out, std::ostream& err,
               const PdfRenderer& pdf) {
    const std::filesystem::path file = std::filesystem::absolute(call.options.at("--pdf"));
    const reports::NeedsReport report(doc, doc.Needs().List(),
                                      doc.Strings().Get(rotations::CNeedsListDlg::kCaption));
    const ReportFonts fonts = ScheduleCommand::FontsOf(doc);
    const reports::Target target{ScheduleCommand::kPdfDpi,
                                 ScheduleCommand::kPdfDpi,
                                 ScheduleCommand::kScreenDpi,
                                 ScheduleCommand::kScreenDpi,
                                 true,
                                 true};
    const reports::ReportGeometry geometry(target, 0, 0);
    PdfPages pages;
    pages.pageCount = report.PageCount();
    pages.dpi = target.dpiX;
    pages.title = doc.Strings().Get(rotations::CNeedsListDlg::kCaption);
    pages.draw = [&](int page, ui::Canvas& canvas) {
        reports::SelectStripPage(canvas, geometry, 1); // every page is drawn from its own top
        report.DrawPage(canvas, target, fonts, page);
    };
    if (Status status = pdf(file, pages); !status.ok()) {
        err << "mivra-cli: cannot write " << status.error().path.string() << ": "
            << status.error().what << '\n';
        return kFailure;
    }
    out << pages.pageCount << '\t' << file.string() << '\n';
    out.flush();
    return out ? kOk : kFailure;
}

int ExportTsv(const Invocation& call, CMvDoc& doc, std::ostream& out, std::ostream& err) {
    std::string error;
    const WeekRange range = *ParseWeekRange(call, error);
    if (!ScheduleCommand(doc, range).ExportTsv().ok()) {
        err << "mivra-cli: "
            << doc.Strings().Format(kWriteFailed, exchange::ScheduleExportPath(doc).string())
            << '\n';
        return kFailure;
    }
    out << exchange::ScheduleExportPath(doc).string() << '\n';
    out.flush();
    return out ? kOk : kFailure;
}

int NotEmpty(const std::filesystem::path& folder, std::ostream& err) {
    err << "mivra-cli: " << folder.string()
        << " is not an empty folder: make-demo writes only into an empty or missing one\n";
    return kFailure;
}

/** The folder's lock for a job that writes, or nothing with the refusal told on err. */
std::optional<DataFolderLock> TakeFolder(const std::filesystem::path& folder, std::ostream& err) {
    DataFolderLock::Refusal why = DataFolderLock::Refusal::Failed;
    Result<DataFolderLock> lock = DataFolderLock::Acquire(folder, &why);
    if (lock.ok())
        return std::move(lock.value());
    err << "mivra-cli: "
        << DataFolderLock::RefusalMessage(StringTable::Swedish(), folder, why, lock.error().what)
        << '\n';
    return std::nullopt;
}

/** Writes the demo folder into DIR, which must hold nothing, under the folder's lock. */
int MakeDemo(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::filesystem::path folder = call.words[1];
    if (!app::DemoFolder::HoldsNothing(folder))
        return NotEmpty(folder, err);
    std::string error;
    if (!PrepareDataFolder(folder, error)) {
        err << "mivra-cli: " << error << '\n';
        return kFailure;
    }
    std::optional<DataFolderLock> lock = TakeFolder(folder, err);
    if (!lock)
        return kFailure;
    if (!app::DemoFolder::HoldsNothing(folder)) // filled before the lock was ours
        return NotEmpty(folder, err);
    const int code = WithDocument(call, folder, err, [](CMvDoc& doc) {
        return app::DemoFolder(doc).Fill() ? kOk : kFailure;
    });
    if (code == kOk)
        out << folder.string() << '\n';
    return code;
}

/** The base folder of a backup: --to, else the profile's "Väg", else the data folder. */
std::filesystem::path BackupBase(const Invocation& call, const CMvDoc& doc) {
    if (auto to = call.options.find("--to"); to != call.options.end())
        return to->second;
    const Profile profile = Profile::Load(doc.DataFilePath(file::kProfile), doc.CodePage());
    const std::string stored = profile.GetString("Backup", "Väg").value_or("");
    return stored.empty() ? doc.DataFolder() : std::filesystem::path(stored);
}

/** One backup as the dialog makes it, pruned after success; the profile is left alone. */
int Backup(const Invocation& call, CMvDoc& doc, std::ostream& out, std::ostream& err) {
    const std::filesystem::path base = BackupBase(call, doc);
    std::error_code ec;
    if (!std::filesystem::is_directory(base, ec)) {
        err << "mivra-cli: no backup folder " << base.string() << '\n';
        return kFailure;
    }
    if (exchange::IsBackupFolder(base)) {
        err << "mivra-cli: " << base.string() << " is a backup itself: choose another folder\n";
        return kFailure;
    }
    const exchange::BackupOutcome outcome = exchange::MakeBackup(
        doc, base, exchange::BackupTimeNow(doc.Today()),
        call.options.count("--maps") ? exchange::Maps::Congregations : exchange::Maps::None, {});
    if (!outcome.done) {
        err << "mivra-cli: "
            << (outcome.failed.empty()
                    ? "cannot make " + outcome.folder.string() + " (taken: try again in a minute)"
                    : "cannot copy " + outcome.failed + ": nothing was kept")
            << '\n';
        return kFailure;
    }
    for (const std::string& error :
         exchange::PruneBackups(doc, base, outcome.folder.filename().string()))
        err << "mivra-cli: " << error << '\n';
    out << outcome.folder.string() << '\t' << outcome.copied << '\n';
    out.flush();
    return out ? kOk : kFailure;
}

/** A restore under the folder's lock, after a safety copy of the live set. */
int Restore(const Invocation& call, const std::filesystem::path& folder, std::ostream& out,
            std::ostream& err) {
    const std::filesystem::path backup = std::filesystem::absolute(call.words[1]);
    std::optional<DataFolderLock> lock = TakeFolder(folder, err);
    if (!lock)
        return kFailure;
    return WithDocument(call, folder, err, [&](CMvDoc& doc) {
        if (!exchange::IsBackupFolder(backup) || !exchange::HoldsBackupSet(doc, backup)) {
            err << "mivra-cli: " << backup.string() << " is not a backup folder\n";
            return kFailure;
        }
        const exchange::BackupTime time = exchange::BackupTimeNow(doc.Today());
        const exchange::BackupOutcome safety = exchange::MakeSafetyCopy(doc, backup, time, {});
        if (!safety.done) {
            err << "mivra-cli: the safety copy could not be made; nothing was restored\n";
            return kFailure;
        }
        const exchange::RestoreOutcome restored = exchange::RestoreBackup(doc, backup, {});
        if (!restored.done) {
            err << "mivra-cli: cannot restore " << restored.failed
                << ": the data folder is unchanged\n";
            return kFailure;
        }
        out << safety.folder.string() << '\t' << restored.restored << '\n';
        out.flush();
        return out ? kOk : kFailure;
    });
}

/** Marks or clears a brother's weeks, all or none: every week is checked before any change. */
int ChangeAvailability(const Invocation& call, CMvDoc& doc, std::ostream& err) {
    const uint16_t key = BrotherKeyOf(call);
    if (doc.Brothers().FindBrotherByKey(key) == kNotFound) {
        err << "mivra-cli: no brother has the key " << key << '\n';
        return kFailure;
    }
    std::vector<uint16_t> weeks;
    for (const std::string& text : call.weeks) {
        const int week = dates::WeekNumberOf(*dates::ParseIsoDate(text));
        if (week < doc.CurrentWeek()) {
            err << "mivra-cli: the week of " << text << " is past\n";
            return kFailure;
        }
        weeks.push_back(static_cast<uint16_t>(week));
    }
    AvailabilityTable& table = doc.Availability();
    for (uint16_t week : weeks) {
        if (call.words[1] == "add")
            table.AddUnavailableWeek(key, week);
        else
            table.RemoveUnavailableWeek(key, week);
    }
    return table.SaveAvailability() ? kOk : kFailure; // the failure was reported (1231)
}

/** Fills a duty's unfilled weeks under the folder's lock. */
int Fill(const Invocation& call, const std::filesystem::path& folder, std::ostream& out,
         std::ostream& err) {
    std::optional<DataFolderLock> lock = TakeFolder(folder, err);
    if (!lock)
        return kFailure;
    return WithDocument(call, folder, err, [&](CMvDoc& doc) -> int {
        std::string error;
        FillCommand fill(doc, *FillCommand::DutyOf(call.words[1]), *ParseWeekRange(call, error));
        if (!fill.InWindow())
            return Usage(err, "the weeks of --from and --weeks lie outside the schedule");
        if (!fill.Scheduled()) {
            err << "mivra-cli: the settings do not schedule the " << call.words[1] << "s\n";
            return kFailure;
        }
        return fill.Run(out);
    });
}

/** Prints a history; read only, so nothing of the load is written back. */
int History(const Invocation& call, CMvDoc& doc, std::ostream& out, std::ostream& err) {
    const bool talks = call.words[1] == "talks";
    const uint16_t brother = BrotherKeyOf(call, talks ? "--speaker" : "--brother");
    if (brother != 0 && doc.Brothers().FindBrotherByKey(brother) == kNotFound) {
        err << "mivra-cli: no brother has the key " << brother << '\n';
        return kFailure;
    }
    if (talks)
        WriteTalkHistory(doc,
                         {.outgoing = call.options.count("--outgoing") != 0,
                          .talk = NumberOf(call, "--talk", TalkRepertoire::kTalks),
                          .speaker = brother},
                         out);
    else
        WriteSpeakerHistory(doc, brother, out);
    out.flush();
    return out ? kOk : kFailure;
}

/** The data folder of a job: dump makes it as the first start does, the others need it. */
std::optional<std::filesystem::path> FolderOf(const Invocation& call, std::ostream& err) {
    std::optional<std::filesystem::path> folder = call.dataFolder;
    if (!folder)
        folder = DefaultDataFolder();
    if (!folder) {
        err << "mivra-cli: no data folder: give --data DIR or set HOME\n";
        return std::nullopt;
    }
    std::error_code ec;
    if (call.words[0] != "dump" && !std::filesystem::is_directory(*folder, ec)) {
        err << "mivra-cli: no data folder " << folder->string() << '\n';
        return std::nullopt;
    }
    std::string error;
    if (!PrepareDataFolder(*folder, error)) {
        err << "mivra-cli: " << error << '\n';
        return std::nullopt;
    }
    return folder;
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const PdfRenderer& pdf, const ui::PictureDecoder* pictures) {
    std::string error;
    std::optional<Invocation> call = ParseArguments(args, error);
    if (!call)
        return Usage(err, error);
    if (call->help || call->version)
        return Answer(*call, out);
    if (call->words.empty())
        return Usage(err, "");
    if (std::string why = CheckCommand(*call); !why.empty())
        return Usage(err, why);
    const std::string& command = call->words[0];
    if (command == "make-demo")
        return MakeDemo(*call, out, err);
    if ((command == "print-schedule" || command == "print-needs" || command == "print") && !pdf) {
        err << "mivra-cli: " << command
            << " is not available: this build has no PDF output "
               "(built without Qt)\n";
        return kFailure;
    }
    std::optional<std::filesystem::path> folder = FolderOf(*call, err);
    if (!folder)
        return kFailure;
    if (command == "restore")
        return Restore(*call, *folder, out, err);
    if (command == "fill")
        return Fill(*call, *folder, out, err);
    if (command == "import-package") {
        std::optional<DataFolderLock> lock;
        if (!IsDryRun(*call) && !(lock = TakeFolder(*folder, err)))
            return kFailure;
        return WithDocument(
            *call, *folder, err,
            [&](CMvDoc& doc) { return ImportPackageCommand(*call, doc, out, err); },
            IsDryRun(*call));
    }
    if (command == "import-speakers") {
        const bool dryRun = IsSpeakerDryRun(*call);
        std::optional<DataFolderLock> lock;
        if (!dryRun && !(lock = TakeFolder(*folder, err)))
            return kFailure;
        return WithDocument(
            *call, *folder, err,
            [&](CMvDoc& doc) { return ImportSpeakersCommand(*call, doc, out, err); }, dryRun);
    }
    if (command == "availability") {
        std::optional<DataFolderLock> lock = TakeFolder(*folder, err);
        if (!lock)
            return kFailure;
        return WithDocument(*call, *folder, err,
                            [&](CMvDoc& doc) { return ChangeAvailability(*call, doc, err); });
    }
    if (command == "print-needs")
        return WithDocument(
            *call, *folder, err, [&](CMvDoc& doc) { return PrintNeeds(*call, doc, out, err, pdf); },
            true);
    if (command == "summary")
        return WithDocument(
            *call, *folder, err, [&](CMvDoc& doc) { return Summary(*call, doc, out); }, true);
    if (command == "followups")
        return WithDocument(
            *call, *folder, err,
            [&](CMvDoc& doc) {
                WriteFollowUps(doc, *FollowUpLimitsOf(*call, error), out); // checked above
                out.flush();
                return out ? kOk : kFailure;
            },
            true);
    if (command == "export-ics")
        return WithDocument(
            *call, *folder, err, [&](CMvDoc& doc) { return ExportIcs(*call, doc, out, err); },
            true);
    if (command == "history")
        return WithDocument(
            *call, *folder, err, [&](CMvDoc& doc) { return History(*call, doc, out, err); }, true);
    return WithDocument(*call, *folder, err, [&](CMvDoc& doc) {
        if (command == "backup")
            return Backup(*call, doc, out, err);
        if (command == "print-schedule")
            return PrintSchedule(*call, doc, err, pdf);
        if (command == "print")
            return PrintCommand(doc, *call).Run(out, err, pdf, pictures);
        if (command == "export-tsv")
            return ExportTsv(*call, doc, out, err);
        if (command == "export-package")
            return ExportPackageCommand(*call, doc, out, err);
        return Dump(*call, doc, out);
    });
}

} // namespace mivra::cli
