#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
struct WeekRecord;
} // namespace mivra

namespace mivra::app {

/**
 * A small, made-up congregation for a first look at the program: a circuit of six
 * congregations, their speakers with talks and contact data, the home brothers with their
 * roles, hosts, a needs list, a circuit assembly and an overseer visit, some unavailable
 * weeks and the next twelve weeks scheduled. Every name, address and number is invented.
 * It is written through the document's own operations, so the files are the program's.
 */
class DemoFolder {
public:
    explicit DemoFolder(CMvDoc& doc) : m_doc(doc) {}

    /**
     * Fills a document freshly loaded from a folder that held nothing. False when something
     * could not be written (the document has told its host).
     */
    bool Fill();

    /** Where `mivra --demo` keeps its folder: the cache folder's "demo". */
    static std::filesystem::path DefaultFolder();
    /** True when the folder is missing or holds nothing but a data folder lock file. */
    static bool HoldsNothing(const std::filesystem::path& folder);
    /** Removes everything in the folder but its lock file; false with the error text. */
    static bool Clear(const std::filesystem::path& folder, std::string& error);

private:
    bool AddCongregations();
    bool AddBrothers();
    bool SetOfficers();
    bool SetHomeCongregation();
    bool AddHostsAndNeeds();
    bool AddUnavailableWeeks();
    bool AddEvents();
    bool ScheduleWeeks();
    void ScheduleHomeTalk(WeekRecord& week, int ordinal);
    void ScheduleOutgoing(WeekRecord& week, int count);
    /** The next home brother of the role, by turns, who is free and available that week. */
    uint16_t NextHomeBrother(uint16_t role, size_t& turn, int weekIndex) const;
    uint16_t NextTalk(uint16_t brotherKey);
    bool Free(uint16_t brotherKey, int weekIndex) const;

    CMvDoc& m_doc;
    int m_firstWeek = 0; ///< week index of the current week
    uint16_t m_circuit = 0;
    std::vector<uint16_t> m_congregations; ///< keys, home first
    std::vector<uint16_t> m_brothers;      ///< keys, home brothers first
    std::vector<int> m_usedTalks;
    size_t m_chairmanTurn = 0;
    size_t m_readerTurn = 0;
    size_t m_outgoingTurn = 0;
    size_t m_hostTurn = 0;
    size_t m_visitTurn = 0;
};

} // namespace mivra::app
