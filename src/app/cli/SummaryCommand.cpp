#include "app/cli/SummaryCommand.h"

#include "app/cli/Lines.h"
#include "schedule/CTDlg.h"
#include "schedule/Summary.h"

namespace mivra::cli {
namespace {

std::string Letter(const schedule::SummaryText& text) {
    if (text.text.empty())
        return "-";
    switch (text.ink) {
    case schedule::Ink::Red:
        return "r";
    case schedule::Ink::Purple:
        return "p";
    case schedule::Ink::Blue:
        return "b";
    default:
        return "-";
    }
}

} // namespace

void WriteSummary(const CMvDoc& doc, int firstWeek, std::ostream& out) {
    for (int i = 0; i < schedule::CTDlg::kRows; ++i) {
        const schedule::SummaryRow r = schedule::SummarizeWeek(doc, firstWeek + i - 1);
        Line(out, Field(r.weekNumber), Field(r.status), Field(r.date), Field(r.home.text),
             Field(r.talk), Field(r.chairmanMark.text), Field(r.hostMark), Field(r.readerMark.text),
             Field(r.outgoing.text), Field(r.chairman.text), Field(r.host), Field(r.reader.text),
             Letter(r.home), Letter(r.chairman), Letter(r.reader), Letter(r.outgoing));
    }
}

} // namespace mivra::cli
