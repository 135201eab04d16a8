#pragma once

#include "rotations/TalkHistory.h"

#include <cstdint>
#include <iosfwd>

namespace mivra {
class CMvDoc;
}

// `history talks|speaker`: the rows of the two history dialogs, one a line, in their order.
namespace mivra::cli {

/** Week number, date, slot (empty at home), talk, its number text, speaker key and name,
 *  congregation key and name. */
void WriteTalkHistory(const CMvDoc& doc, const rotations::TalkHistoryFilter& filter,
                      std::ostream& out);
/** Week number, date, "home" or "out", slot, talk number text, destination (out rows). */
void WriteSpeakerHistory(const CMvDoc& doc, uint16_t brother, std::ostream& out);

} // namespace mivra::cli
