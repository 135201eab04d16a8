#pragma once

#include "reports/Report.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace mivra {
class CMvDoc;
namespace ui {
class Host;
}
} // namespace mivra

namespace mivra::reports {

/** The parameters a report's opener hands to the view (the week range, the list filter). */
struct ReportParams {
    int startWeek = 0; ///< week index of the schedule's first week
    int weekCount = 0;
    uint16_t congregationKey = 0;
    uint16_t circuitKey = 0;
    uint16_t brotherKey = 0; ///< a home brother's assignments
    int slot = 0;            ///< the notice's outgoing slot, 0 … 5
};

/** What an opener works with: it runs its parameter dialog, fills the parameters. */
struct ReportOpening {
    CMvDoc& doc;
    ui::Host& host;
    ReportParams& params;
};

/** Builds the report to show, or nothing (cancelled, or done without a report). */
using ReportOpener = std::function<std::unique_ptr<Report>(ReportOpening& opening)>;

/**
 * The reports the view can show, by the id that asks for them (a menu command or a start
 * panel button). A report kind whose routine is not built has no entry, so its commands
 * stay disabled.
 */
class ReportKinds {
public:
    struct Entry {
        int kind = 0; ///< 1…15
        ReportOpener open;
    };

    void Add(int sourceId, int kind, ReportOpener opener) {
        m_entries[sourceId] = {kind, std::move(opener)};
    }
    const Entry* Find(int sourceId) const {
        auto it = m_entries.find(sourceId);
        return it == m_entries.end() ? nullptr : &it->second;
    }
    bool Has(int sourceId) const { return Find(sourceId) != nullptr; }

private:
    std::map<int, Entry> m_entries;
};

} // namespace mivra::reports
