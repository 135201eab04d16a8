#pragma once

#include "reports/ListReport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace mivra {
class CMvDoc;
}

// The report kinds built as lists of blocks; each is laid out anew at every layout.
namespace mivra::reports {

/** The weeks kinds 7 and 8 look at, from the current week on. */
inline constexpr int kExchangeWeeks = 156;
/** The weeks after the current one kind 10 looks at. */
inline constexpr int kOutgoingWeeks = 51;
/** At most this many weeks on the visiting speakers' telephone list. */
inline constexpr int kPhoneWeeks = 18;
/** At most this many weeks with readers on the reader rota. */
inline constexpr int kRotaReaders = 36;

/**
 * The talks the talk lists run to: those before the first talk numbered 151 … 200 without a
 * title; 200 when each of them has one.
 */
int ListedTalkCount(const CMvDoc& doc);
/** The talks the speaker lists consider: those before the first two untitled ones in a row. */
int ConsideredTalkCount(const CMvDoc& doc);

/** Kind 2: speakers of a congregation (0: all) and circuit (0: any) with their talks. */
std::unique_ptr<ListReport> SpeakersWithTalks(const CMvDoc& doc, uint16_t congregationKey,
                                              uint16_t circuitKey);
/** Kind 13: the home congregation's speakers, sent out or not. */
std::unique_ptr<ListReport> LocalSpeakers(const CMvDoc& doc);
/** Kind 3: each talk with the brothers who have prepared it. */
std::unique_ptr<ListReport> TalksWithSpeakers(const CMvDoc& doc);
/** Kind 7: the exchange with a congregation over the coming three years. */
std::unique_ptr<ListReport> ExchangeList(const CMvDoc& doc, uint16_t congregationKey);
/** Kind 8: a home brother's talks, chairman and reader weeks. */
std::unique_ptr<ListReport> BrotherAssignments(const CMvDoc& doc, uint16_t brotherKey);
/** Kind 9: the visiting speakers of a range of weeks with their telephones. */
std::unique_ptr<ListReport> VisitorPhones(const CMvDoc& doc, int startWeek, int weekCount);
/** Kind 10: the filled outgoing slots of the weeks after the current one. */
std::unique_ptr<ListReport> OutgoingTalks(const CMvDoc& doc);
/** Kind 14: every congregation with its talk coordinator and his telephones. */
std::unique_ptr<ListReport> Coordinators(const CMvDoc& doc);

/** The reader column of a week (the rotations know it: his name, else the event word). */
using ReaderTextOf = std::function<std::string(int weekIndex)>;
/** Kind 11: two columns of weeks with their readers, continued on the next page. */
std::unique_ptr<ListReport> ReaderRota(const CMvDoc& doc, ReaderTextOf readerText);
/** The weeks of the reader rota from the current week: 0 … 36. */
int RotaWeekCount(const CMvDoc& doc);

} // namespace mivra::reports
