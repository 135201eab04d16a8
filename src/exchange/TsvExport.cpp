#include "exchange/TsvExport.h"

#include "base/FileIo.h"
#include "base/Text.h"
#include "dates/Dates.h"
#include "reports/ScheduleWeek.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <span>
#include <vector>

namespace mivra::exchange {
namespace {

constexpr int kFileName = 60203;        // "ptsched.txt"
constexpr int kExportedMessage = 60202; // "Schemat har exporterats … %1."

constexpr const char* kHeader[] = {
    "Week\tInTalkTitle\tInSpeaker\tInSpkPhone\tInSpeakerCong\tChairman\tReader\tHospitality\t",
    "OutSpeaker\tOutCong\tOutTime\tOutTalk\tOutSpeaker2\tOutCong2\tOutTime2\tOutTalk2\t",
    "OutSpeaker3\tOutCong3\tOutTime3\tOutTalk3\tOutSpeaker4\tOutCong4\tOutTime4\tOutTalk4\t",
    "OutSpeaker5\tOutCong5\tOutTime5\tOutTalk5\tOutSpeaker6\tOutCong6\tOutTime6\tOutTalk6\tInTalk",
    "\n\n",
};

uint16_t Key(int16_t field) {
    return static_cast<uint16_t>(field);
}

// Names, titles and events may come from packages: a tab or line break would add columns.
std::string Field(std::string_view text) {
    return text::FlatField(text);
}

std::vector<std::string> WeekFields(const CMvDoc& doc, int weekIndex) {
    using reports::WeekKind;
    const WeekRecord w = doc.Weeks().Week(weekIndex);
    const WeekKind kind = reports::KindOf(w);
    std::vector<std::string> f;
    f.reserve(kScheduleColumns);
    f.push_back(doc.FormatDate(weekIndex + 1, dates::kShortMonth | dates::kAppendYear));
    f.push_back(kind == WeekKind::Ordinary ? reports::TalkTitle(doc, w.homeTalk)
                                           : reports::SpecialWeekTitle(doc, weekIndex, w));
    f.push_back(kind == WeekKind::Visit
                    ? reports::EventName(doc, weekIndex, kind)
                    : doc.Brothers().BrotherNameByKey(Key(w.homeSpeaker), false));
    f.push_back(doc.Brothers().BrotherPhoneByKey(Key(w.homeSpeaker)));
    f.push_back(doc.Congregations().CongregationNameByKey(Key(w.homeCongregation), false));
    f.push_back(doc.Brothers().BrotherNameByKey(Key(w.chairman), false));
    f.push_back(doc.Brothers().BrotherNameByKey(Key(w.reader), false));
    f.push_back(doc.Hosts().NameByKey(Key(w.host)));
    for (size_t i = 0; i < WeekRecord::kOutSlots; ++i) {
        f.push_back(doc.Brothers().BrotherNameByKey(Key(w.outSpeaker[i]), false));
        f.push_back(doc.Congregations().CongregationNameByKey(Key(w.outCongregation[i]), false));
        f.push_back(doc.Congregations().MeetingTimeForWeek(Key(w.outCongregation[i]), weekIndex));
        f.push_back(reports::TalkNumber(doc, w.outTalk[i]));
    }
    f.push_back(reports::TalkNumber(doc, w.homeTalk));
    return f;
}

} // namespace

std::string ScheduleExportText(const CMvDoc& doc, int startWeek, int weekCount) {
    std::string out;
    for (const char* piece : kHeader)
        out += piece;
    for (int i = 0; i < weekCount; ++i) {
        const std::vector<std::string> fields = WeekFields(doc, startWeek + i);
        for (size_t c = 0; c < fields.size(); ++c)
            out += Field(fields[c]) + (c + 1 < fields.size() ? "\t" : "\n");
    }
    return out;
}

std::filesystem::path ScheduleExportPath(const CMvDoc& doc) {
    return doc.DataFilePath(kFileName);
}

Status WriteScheduleExport(const CMvDoc& doc, int startWeek, int weekCount) {
    const std::string bytes =
        text::ToCodePage(ScheduleExportText(doc, startWeek, weekCount), doc.CodePage());
    io::AtomicFile file(ScheduleExportPath(doc));
    if (Status written =
            file.Write(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        !written.ok())
        return written;
    return file.Commit();
}

bool ExportSchedule(CMvDoc& doc, ui::Host& host, int startWeek, int weekCount) {
    if (weekCount <= 0)
        return false;
    if (!WriteScheduleExport(doc, startWeek, weekCount).ok()) {
        doc.ReportWriteFailure(ScheduleExportPath(doc));
        return false;
    }
    ui::MessageBox box;
    box.text = doc.Strings().Format(kExportedMessage, ScheduleExportPath(doc).string());
    box.icon = ui::Icon::Information;
    host.ShowMessage(box);
    return true;
}

} // namespace mivra::exchange
