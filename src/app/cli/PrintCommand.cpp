#include "app/cli/PrintCommand.h"

#include "app/cli/FollowUpCommand.h"
#include "base/Text.h"
#include "dates/Dates.h"
#include "reports/GridReports.h"
#include "reports/Letters.h"
#include "reports/Lists.h"
#include "reports/ScheduleReport.h"
#include "rotations/Rotations.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace mivra::cli {
namespace {

/** A kind's options besides --pdf: those it needs, and those it may take. */
struct KindRule {
    std::string_view kind;
    std::vector<std::string_view> needed;
    std::vector<std::string_view> optional;
    int maxWeeks = 0; ///< a --from/--weeks range up to this count; 0: none
};

const std::vector<KindRule>& Rules() {
    static const std::vector<KindRule> rules = {
        {"notice", {"--week", "--slot"}, {}},
        {"letter", {"--week"}, {}},
        {"speakers", {}, {"--congregation", "--circuit"}},
        {"local-speakers", {}, {}},
        {"talks", {}, {}},
        {"recent-years", {}, {}},
        {"exchange", {"--congregation"}, {}},
        {"brother", {"--name"}, {}},
        {"phones", {"--from", "--weeks"}, {}, reports::kPhoneWeeks},
        {"outgoing", {}, {}},
        {"readers", {}, {}},
        {"worksheet", {"--from", "--weeks"}, {}, reports::WorksheetReport::kMaxWeeks},
        {"coordinators", {}, {}},
        {"followups", {}, {"--after", "--weeks"}},
        {"schedule", {"--from", "--weeks"}, {}, reports::ScheduleReport::kMaxWeeks},
    };
    return rules;
}

const KindRule* RuleOf(const std::string& kind) {
    for (const KindRule& rule : Rules())
        if (rule.kind == kind)
            return &rule;
    return nullptr;
}

std::string KindNames() {
    std::string names;
    for (const KindRule& rule : Rules())
        names += (names.empty() ? "" : " ") + std::string(rule.kind);
    return names;
}

std::string Trimmed(std::string_view s) {
    return std::string(text::Trim(s));
}

/** The congregation named (trimmed, any case): its key, or 0 with the reason on err. */
uint16_t CongregationNamed(const CMvDoc& doc, const std::string& name, std::ostream& err) {
    const CongregationStore& congs = doc.Congregations();
    for (int i = 0; i < congs.CongregationCount(); ++i)
        if (text::EqualsIgnoringCase(Trimmed(congs.Congregation(i)->name), Trimmed(name)))
            return congs.Congregation(i)->congregationKey;
    err << "mivra-cli: no congregation is named \"" << name << "\"\n";
    return 0;
}

uint16_t CircuitNamed(const CMvDoc& doc, const std::string& name, std::ostream& err) {
    for (int i = 0; i < doc.Circuits().Count(); ++i)
        if (text::EqualsIgnoringCase(Trimmed(doc.Circuits().Name(i)), Trimmed(name)))
            return doc.Circuits().At(i)->key;
    err << "mivra-cli: no circuit is named \"" << name << "\"\n";
    return 0;
}

/** The home brother named "First Last" or "Last, First": his key, or 0 with the reason. */
uint16_t HomeBrotherNamed(const CMvDoc& doc, const std::string& name, std::ostream& err) {
    const std::string wanted = Trimmed(name);
    std::vector<int> found;
    for (const OurBrotherEntry& ours : doc.Brothers().OurBrothers()) {
        const int index = doc.Brothers().FindBrotherByKey(ours.brotherKey);
        const BrotherIndexEntry* b = doc.Brothers().Brother(index);
        if (!b)
            continue;
        const std::string first = Trimmed(b->firstName), last = Trimmed(b->lastName);
        if (text::EqualsIgnoringCase(first + " " + last, wanted) ||
            text::EqualsIgnoringCase(last + ", " + first, wanted))
            found.push_back(index);
    }
    if (found.size() == 1)
        return doc.Brothers().Brother(found[0])->brotherKey;
    if (found.empty()) {
        err << "mivra-cli: no brother of the home congregation is named \"" << wanted << "\"\n";
    } else {
        err << "mivra-cli: \"" << wanted << "\" names more than one brother:";
        for (int index : found)
            err << " " << doc.Brothers().BrotherName(index, false) << " (key "
                << doc.Brothers().Brother(index)->brotherKey << ")";
        err << '\n';
    }
    return 0;
}

/** The N of --slot: 1 … 6. */
std::optional<int> SlotOf(const Invocation& call) {
    const std::string& text = call.options.at("--slot");
    if (text.size() != 1 || text[0] < '1' || text[0] > '6')
        return std::nullopt;
    return text[0] - '0';
}

int WeekIndexOf(const Invocation& call) {
    return dates::WeekNumberOf(*dates::ParseIsoDate(call.options.at("--week"))) - 1;
}

} // namespace

std::string PrintCommand::Check(const Invocation& call) {
    if (call.words.size() < 2)
        return "print needs a kind: " + KindNames();
    const KindRule* rule = RuleOf(call.words[1]);
    if (!rule)
        return "unknown print kind " + call.words[1] + " (kinds: " + KindNames() + ")";
    if (call.words.size() > 2)
        return "print takes no argument " + call.words[2];
    if (!call.options.count("--pdf"))
        return "print needs --pdf FILE";
    for (const auto& [name, value] : call.options) {
        const bool known = name == "--pdf" ||
                           std::ranges::find(rule->needed, name) != rule->needed.end() ||
                           std::ranges::find(rule->optional, name) != rule->optional.end();
        if (!known)
            return "print " + call.words[1] + " takes no " + name;
    }
    for (std::string_view name : rule->needed)
        if (!call.options.count(std::string(name)))
            return "print " + call.words[1] + " needs " + std::string(name);
    std::string error;
    if (rule->maxWeeks != 0 && !ParseWeekRange(call, error, rule->maxWeeks))
        return error;
    if (rule->kind == "followups" && !FollowUpLimitsOf(call, error))
        return error;
    if (call.options.count("--week") &&
        (call.weeks.size() != 1 || !dates::ParseIsoDate(call.options.at("--week"))))
        return "--week takes one date YYYY-MM-DD from 2000-01-03 to 2099-12-31";
    if (call.options.count("--slot") && !SlotOf(call))
        return "--slot takes a number from 1 to 6";
    return {};
}

int PrintCommand::Run(std::ostream& out, std::ostream& err, const PdfRenderer& pdf,
                      const ui::PictureDecoder* pictures) const {
    const std::string& kind = m_call.words[1];
    const CMvDoc& doc = m_doc;
    auto option = [this](const char* name) {
        auto it = m_call.options.find(name);
        return it == m_call.options.end() ? std::string() : it->second;
    };
    const bool needsHome =
        kind == "brother" || kind == "local-speakers" || kind == "letter" || kind == "notice";
    if (needsHome && doc.Congregations().OurCongregationKey() == 0) {
        err << "mivra-cli: no home congregation is chosen\n";
        return kFailure;
    }
    std::unique_ptr<reports::Report> report;
    std::string error;
    const KindRule& rule = *RuleOf(kind);
    const WeekRange range =
        rule.maxWeeks ? *ParseWeekRange(m_call, error, rule.maxWeeks) : WeekRange{};
    if (kind == "letter") {
        const int week = WeekIndexOf(m_call);
        const WeekRecord record = doc.Weeks().Week(week);
        if (record.homeSpeaker == 0 || record.homeTalk == 0) {
            err << "mivra-cli: the week of " << option("--week") << " has no speaker and talk\n";
            return kFailure;
        }
        report = std::make_unique<reports::VisitorLetter>(doc, week, pictures);
    } else if (kind == "notice") {
        // The N-th filled outgoing slot of the week.
        const int week = WeekIndexOf(m_call);
        const WeekRecord record = doc.Weeks().Week(week);
        int slot = -1;
        for (int i = 0, n = 0; i < static_cast<int>(WeekRecord::kOutSlots) && slot < 0; ++i)
            if (record.outSpeaker[static_cast<size_t>(i)] != 0 && ++n == *SlotOf(m_call))
                slot = i;
        if (slot < 0) {
            err << "mivra-cli: the week of " << option("--week") << " has no outgoing talk "
                << option("--slot") << '\n';
            return kFailure;
        }
        report = std::make_unique<reports::OutgoingNotice>(doc, week, slot, pictures);
    } else if (kind == "speakers") {
        uint16_t cong = 0, circuit = 0;
        if (!option("--congregation").empty() &&
            (cong = CongregationNamed(doc, option("--congregation"), err)) == 0)
            return kFailure;
        if (!option("--circuit").empty() &&
            (circuit = CircuitNamed(doc, option("--circuit"), err)) == 0)
            return kFailure;
        report = reports::SpeakersWithTalks(doc, cong, circuit);
    } else if (kind == "local-speakers") {
        report = reports::LocalSpeakers(doc);
    } else if (kind == "talks") {
        report = reports::TalksWithSpeakers(doc);
    } else if (kind == "recent-years") {
        report = std::make_unique<reports::RecentYearsReport>(doc);
    } else if (kind == "exchange") {
        const uint16_t cong = CongregationNamed(doc, option("--congregation"), err);
        if (cong == 0)
            return kFailure;
        report = reports::ExchangeList(doc, cong);
    } else if (kind == "brother") {
        const uint16_t key = HomeBrotherNamed(doc, option("--name"), err);
        if (key == 0)
            return kFailure;
        report = reports::BrotherAssignments(doc, key);
    } else if (kind == "phones") {
        report = reports::VisitorPhones(doc, range.startWeek, range.weekCount);
    } else if (kind == "outgoing") {
        report = reports::OutgoingTalks(doc);
    } else if (kind == "readers") {
        if (!doc.Settings().Options().scheduleReaders) {
            err << "mivra-cli: the settings do not schedule the readers\n";
            return kFailure;
        }
        report = reports::ReaderRota(doc, [&doc](int w) { return rotations::ReaderText(doc, w); });
    } else if (kind == "worksheet") {
        report = std::make_unique<reports::WorksheetReport>(doc, range.startWeek, range.weekCount);
    } else if (kind == "coordinators") {
        report = reports::Coordinators(doc);
    } else if (kind == "followups") {
        report = reports::FollowUpList(doc, *FollowUpLimitsOf(m_call, error));
    } else {
        report = std::make_unique<reports::ScheduleReport>(doc, range.startWeek, range.weekCount);
    }
    const std::filesystem::path file = std::filesystem::absolute(option("--pdf"));
    int pages = 0;
    const Status status =
        PrintReportPdf(doc, *report, file, ScheduleCommand::FontsOf(doc), pdf, pages);
    if (!status.ok()) {
        err << "mivra-cli: cannot write " << status.error().path.string() << ": "
            << status.error().what << '\n';
        return kFailure;
    }
    out << pages << '\t' << file.string() << '\n';
    out.flush();
    return out ? kOk : kFailure;
}

} // namespace mivra::cli
