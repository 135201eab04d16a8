#pragma once

#include <iosfwd>
#include <string_view>
#include <vector>

namespace mivra {

class CMvDoc;

/**
 * `dump KIND`: one line per entry of a list of the document, in the document's order, fields
 * separated by one tab, UTF-8, no header. The columns are a contract for scripts.
 */
class DumpCommand {
public:
    explicit DumpCommand(const CMvDoc& doc) : m_doc(doc) {}

    /** The kinds in the order the usage text lists them. */
    static std::vector<std::string_view> Kinds();
    static bool IsKind(std::string_view kind);

    /** Writes the kind's lines; false for an unknown kind. */
    bool Write(std::string_view kind, std::ostream& out) const;

private:
    void Brothers(std::ostream& out) const;
    void BrotherDetails(std::ostream& out) const;
    void Congregations(std::ostream& out) const;
    void CongregationDetails(std::ostream& out) const;
    void Circuits(std::ostream& out) const;
    void Topics(std::ostream& out) const;
    void Hosts(std::ostream& out) const;
    void Talks(std::ostream& out) const;
    void Weeks(std::ostream& out) const;
    void Availability(std::ostream& out) const;
    void Events(std::ostream& out) const;
    void Needs(std::ostream& out) const;
    void Settings(std::ostream& out) const;

    const CMvDoc& m_doc;
};

} // namespace mivra
