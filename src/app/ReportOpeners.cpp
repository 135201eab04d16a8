#include "app/ReportOpeners.h"

#include "reports/CFollowUpDlg.h"
#include "reports/CMvView.h"
#include "reports/CSelectWeeksDlg.h"
#include "reports/FollowUps.h"
#include "reports/GridReports.h"
#include "reports/Letters.h"
#include "reports/Lists.h"
#include "resources/CommandIds.h"
#include "rotations/CTalkHistoryDlg.h"
#include "rotations/Rotations.h"
#include "store/CBrotherListDlg.h"
#include "store/CMvDoc.h"
#include "store/CSelectCongDlg.h"
#include "ui/Host.h"

namespace mivra::app {
namespace {

using reports::CSelectWeeksDlg;
using reports::ReportOpening;
using ReportPtr = std::unique_ptr<reports::Report>;

ReportPtr OpenWeeks(ReportOpening& opening, CSelectWeeksDlg::Mode mode, bool worksheet) {
    auto range = CSelectWeeksDlg::Choose(opening.doc, opening.host, mode);
    if (!range)
        return nullptr;
    opening.params.startWeek = range->startWeek;
    opening.params.weekCount = range->weekCount;
    if (worksheet)
        return std::make_unique<reports::WorksheetReport>(opening.doc, range->startWeek,
                                                          range->weekCount);
    return reports::VisitorPhones(opening.doc, range->startWeek, range->weekCount);
}

// One home brother, picked from the home congregation's list.
ReportPtr OpenBrother(ReportOpening& opening) {
    CMvDoc& doc = opening.doc;
    CBrotherListDlg::Options options;
    options.mode = CBrotherListDlg::Mode::Pick;
    options.filter = doc.Congregations().OurCongregationKey();
    const std::optional<int> index = CBrotherListDlg::Choose(doc, opening.host, options);
    const BrotherIndexEntry* brother = index ? doc.Brothers().Brother(*index) : nullptr;
    if (!brother)
        return nullptr;
    opening.params.brotherKey = brother->brotherKey;
    return reports::BrotherAssignments(doc, brother->brotherKey);
}

// Kind 2: a congregation (or all) and a circuit; kind 7: a congregation of the exchange.
ReportPtr OpenCongregation(ReportOpening& opening, CSelectCongDlg::Mode mode) {
    const auto chosen = CSelectCongDlg::Choose(opening.doc, opening.host, mode);
    if (!chosen || (mode == CSelectCongDlg::Mode::Scheduled && chosen->congregationKey == 0))
        return nullptr;
    opening.params.congregationKey = chosen->congregationKey;
    opening.params.circuitKey = chosen->circuitId;
    if (mode == CSelectCongDlg::Mode::Scheduled)
        return reports::ExchangeList(opening.doc, chosen->congregationKey);
    return reports::SpeakersWithTalks(opening.doc, chosen->congregationKey, chosen->circuitId);
}

} // namespace

void AddListReports(reports::CMvView& view) {
    auto& kinds = view.Kinds();
    const auto talks = [](ReportOpening& o) -> ReportPtr {
        return reports::TalksWithSpeakers(o.doc);
    };
    const auto speakers = [](ReportOpening& o) {
        return OpenCongregation(o, CSelectCongDlg::Mode::All);
    };
    kinds.Add(cmd::kSpeakersTalks, 2, speakers);
    kinds.Add(cmd::kPanelSpeakersTalks, 2, speakers);
    kinds.Add(cmd::kExchange, 7, [](ReportOpening& o) {
        return OpenCongregation(o, CSelectCongDlg::Mode::Scheduled);
    });
    kinds.Add(cmd::kTalksSpeakers, 3, talks);
    kinds.Add(cmd::kPanelTalksSpeakers, 3, talks);
    kinds.Add(cmd::kRecentYears, 4, [](ReportOpening& o) -> ReportPtr {
        return std::make_unique<reports::RecentYearsReport>(o.doc);
    });
    kinds.Add(cmd::kHomeBrothersTalks, 8, OpenBrother);
    // The letters: the talk history picks the week (and slot) of the assignment.
    kinds.Add(cmd::kOutgoingNotice, 5, [](ReportOpening& o) -> ReportPtr {
        const auto given = rotations::CTalkHistoryDlg::ChooseOutgoingSlot(o.doc, o.host);
        if (!given)
            return nullptr;
        o.params.startWeek = given->weekIndex;
        o.params.slot = given->slot;
        return std::make_unique<reports::OutgoingNotice>(o.doc, given->weekIndex, given->slot,
                                                         &o.host.Pictures());
    });
    kinds.Add(cmd::kVisitorLetter, 6, [](ReportOpening& o) -> ReportPtr {
        const auto week = rotations::CTalkHistoryDlg::ChooseHomeWeek(o.doc, o.host);
        if (!week)
            return nullptr;
        o.params.startWeek = *week;
        return std::make_unique<reports::VisitorLetter>(o.doc, *week, &o.host.Pictures());
    });
    kinds.Add(cmd::kVisitorPhones, 9,
              [](ReportOpening& o) { return OpenWeeks(o, CSelectWeeksDlg::Mode::Short, false); });
    kinds.Add(cmd::kOutgoingTalks, 10,
              [](ReportOpening& o) -> ReportPtr { return reports::OutgoingTalks(o.doc); });
    kinds.Add(cmd::kReaderReport, 11, [](ReportOpening& o) -> ReportPtr {
        const CMvDoc& doc = o.doc;
        return reports::ReaderRota(doc,
                                   [&doc](int week) { return rotations::ReaderText(doc, week); });
    });
    kinds.Add(cmd::kWorksheet, 12, [](ReportOpening& o) {
        return OpenWeeks(o, CSelectWeeksDlg::Mode::Worksheet, true);
    });
    kinds.Add(cmd::kLocalSpeakers, 13,
              [](ReportOpening& o) -> ReportPtr { return reports::LocalSpeakers(o.doc); });
    kinds.Add(cmd::kCoordinators, 14,
              [](ReportOpening& o) -> ReportPtr { return reports::Coordinators(o.doc); });
    kinds.Add(cmd::kFollowUps, 15, [](ReportOpening& o) -> ReportPtr {
        const auto limits = reports::CFollowUpDlg::Choose(o.doc, o.host);
        if (!limits)
            return nullptr;
        return reports::FollowUpList(o.doc, *limits);
    });
}

} // namespace mivra::app
