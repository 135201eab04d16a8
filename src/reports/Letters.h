#pragma once

#include "reports/Report.h"
#include "ui/Picture.h"

#include <cstdint>
#include <string>

namespace mivra {
class CMvDoc;
}

// The two one-page documents of an assignment. Each may carry a congregation's map, loaded once
// per report from a plain file name in the data folder; a map that does not load is left out
// without a word.
namespace mivra::reports {

/** A congregation's map as a report keeps it: loaded at most once per file name. */
class MapPicture {
public:
    explicit MapPicture(const ui::PictureDecoder* decoder) : m_decoder(decoder) {}
    /** The picture of a congregation's map file; null when it has none or it does not load. */
    const ui::Picture* Of(const CMvDoc& doc, const std::string& fileName);

private:
    const ui::PictureDecoder* m_decoder;
    std::string m_name;
    bool m_tried = false;
    ui::PictureLoad m_load;
};

/** A map file name that stays inside the data folder: no path, not "." or "..". */
bool IsPlainMapName(const std::string& name);

/** Kind 6: the letter inviting the week's visiting speaker. */
class VisitorLetter : public Report {
public:
    VisitorLetter(const CMvDoc& doc, int weekIndex, const ui::PictureDecoder* pictures);

    std::string FileName() const override;
    std::string Title() const override;
    int Layout(const PageContext&) override { return 1; }
    void DrawPage(const PageContext& context, int page) override;

    /** The body paragraph of the letter, or empty when the week has no speaker and talk. */
    std::string Body() const;

private:
    const CMvDoc& m_doc;
    int m_week;
    MapPicture m_map;
};

/** Kind 5: the notice to a home brother of the talk he gives elsewhere. */
class OutgoingNotice : public Report {
public:
    OutgoingNotice(const CMvDoc& doc, int weekIndex, int slot, const ui::PictureDecoder* pictures);

    std::string FileName() const override;
    std::string Title() const override;
    int Layout(const PageContext&) override { return 1; }
    void DrawPage(const PageContext& context, int page) override;

    /** The day of the talk: the week moved to the destination's meeting weekday. */
    std::string TalkDate() const;

private:
    const CMvDoc& m_doc;
    int m_week;
    int m_slot;
    MapPicture m_map;
};

/** The "ptg" rule of the time sentence: the "s" of " às 1" goes before an hour past 2. */
std::string PtgTimeSentence(std::string sentence);

} // namespace mivra::reports
