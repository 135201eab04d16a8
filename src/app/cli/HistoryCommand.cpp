#include "app/cli/HistoryCommand.h"

#include "app/cli/Lines.h"
#include "store/CMvDoc.h"

namespace mivra::cli {
namespace {

constexpr int kRowDate = 26;

std::string SlotField(const rotations::TalkGiven& row) {
    return row.slot == rotations::kHomeSlot ? std::string() : Field(row.slot);
}

} // namespace

void WriteTalkHistory(const CMvDoc& doc, const rotations::TalkHistoryFilter& filter,
                      std::ostream& out) {
    for (const rotations::TalkGiven& row : rotations::TalkHistoryRows(doc, filter))
        Line(out, Field(row.weekIndex + 1), Field(doc.FormatDate(row.weekIndex + 1, kRowDate)),
             SlotField(row), Field(row.talk), Field(rotations::TalkNumberText(doc, row.talk)),
             Field(row.speaker), Field(doc.Brothers().BrotherNameByKey(row.speaker, false)),
             Field(row.congregation),
             Field(doc.Congregations().CongregationNameByKey(row.congregation, false)));
}

void WriteSpeakerHistory(const CMvDoc& doc, uint16_t brother, std::ostream& out) {
    for (const rotations::TalkGiven& row : rotations::SpeakerHistoryRows(doc, brother)) {
        const bool home = row.slot == rotations::kHomeSlot;
        Line(out, Field(row.weekIndex + 1), Field(doc.FormatDate(row.weekIndex + 1, kRowDate)),
             std::string(home ? "home" : "out"), SlotField(row),
             Field(rotations::TalkNumberText(doc, row.talk)),
             home ? std::string()
                  : Field(doc.Congregations().CongregationNameByKey(row.congregation, false)));
    }
}

} // namespace mivra::cli
