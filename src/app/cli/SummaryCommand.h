#pragma once

#include <iosfwd>

namespace mivra {
class CMvDoc;
}

// `summary`: the twenty rows of the summary page as drawn, one a line.
namespace mivra::cli {

/**
 * From the week number `firstWeek`: week number, status code, date, the home talk view's home,
 * talk, O, V, H and outgoing columns, the other view's chairman, host and reader, and one
 * colour letter each (r, p, b or -) for the home speaker, chairman, reader and outgoing speaker.
 */
void WriteSummary(const CMvDoc& doc, int firstWeek, std::ostream& out);

} // namespace mivra::cli
