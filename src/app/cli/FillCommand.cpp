#include "app/cli/FillCommand.h"

#include "store/CMvDoc.h"

#include <ostream>
#include <vector>

namespace mivra::cli {
namespace {

constexpr int kListDateFlags = 26;

} // namespace

std::optional<rotations::Duty> FillCommand::DutyOf(const std::string& word) {
    if (word == "chairman")
        return rotations::Duty::Chairman;
    if (word == "reader")
        return rotations::Duty::Reader;
    if (word == "host")
        return rotations::Duty::Host;
    return std::nullopt;
}

std::string FillCommand::Check(const Invocation& call) {
    const std::vector<std::string>& words = call.words;
    if (words.size() != 2 || !DutyOf(words[1]))
        return words.size() < 2 ? "fill needs chairman, reader or host"
                                : "fill takes chairman, reader or host, not " + words[1];
    for (const auto& [name, value] : call.options)
        if (name != "--from" && name != "--weeks")
            return "fill takes no " + name;
    std::string error;
    return ParseWeekRange(call, error) ? std::string() : error;
}

bool FillCommand::InWindow() const {
    const WeekWindow& weeks = m_doc.Weeks();
    return weeks.Contains(m_range.startWeek) &&
           weeks.Contains(m_range.startWeek + m_range.weekCount - 1);
}

bool FillCommand::Scheduled() const {
    const DocOptions& options = m_doc.Settings().Options();
    switch (m_duty) {
    case rotations::Duty::Reader:
        return options.scheduleReaders;
    case rotations::Duty::Host:
        return options.scheduleHosts;
    case rotations::Duty::Chairman:
        break;
    }
    return true;
}

int FillCommand::Run(std::ostream& out) {
    std::vector<int> changed;
    const rotations::WeekRun run{m_range.startWeek, m_range.startWeek + m_range.weekCount - 1};
    rotations::FillWeeks(m_doc, run, m_duty, [this, &changed](int w, uint16_t holder) {
        WeekRecord& week = m_doc.Weeks().GetWeek(w);
        rotations::SetHolder(week, m_duty, holder);
        m_doc.Weeks().StoreWeek(week, w);
        changed.push_back(w);
        return true;
    });
    if (changed.empty())
        return kOk;
    if (!m_doc.Weeks().SaveWeeks())
        return kFailure; // the host has told which file (1231)
    for (int w : changed) {
        const uint16_t holder = rotations::HolderOf(m_doc.Weeks().Week(w), m_duty);
        out << w + 1 << '\t' << m_doc.FormatDate(w + 1, kListDateFlags) << '\t' << holder << '\t'
            << rotations::HolderName(m_doc, m_duty, holder) << '\n';
    }
    out.flush();
    return out ? kOk : kFailure;
}

} // namespace mivra::cli
