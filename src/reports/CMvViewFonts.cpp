// The seven report fonts of the view: loaded at start, chosen by command, written on exit.
#include "reports/CMvView.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "ui/Host.h"

namespace mivra::reports {
namespace {

ui::Font ToFont(const FontSpec& s) {
    return {s.height,  s.width,          s.weight, s.italic, s.underline,
            s.charSet, s.pitchAndFamily, s.face,   s.colour};
}

FontSpec ToSpec(const ui::Font& f) {
    return {f.height,  f.width,          f.weight, f.italic, f.underline,
            f.charSet, f.pitchAndFamily, f.face,   f.colour};
}

bool SameFont(FontSpec a, const FontSpec& b) {
    a.colour = b.colour;
    return a == b;
}

} // namespace

void CMvView::LoadFonts(const Profile& profile) {
    mivra::LoadFonts(profile, m_doc.Strings(), m_doc.LanguageCode(), false, m_fonts);
}

void CMvView::ChooseFont(FontRole role, int commandId) {
    FontSpec& current = m_fonts[role];
    ui::FontRequest request{m_doc.Strings().Get(commandId), ToFont(current), true};
    std::optional<ui::Font> chosen = m_host.ChooseFont(request);
    if (!chosen)
        return;
    const FontSpec next = ToSpec(*chosen);
    const bool fontChanged = !SameFont(next, current);
    const bool colourChanged = next.colour != current.colour;
    current.colour = next.colour;
    if (fontChanged) {
        current = next;
        Relayout();
    } else if (colourChanged) {
        Changed(); // the same layout, drawn in the new colour
    }
}

void CMvView::ResetFonts() {
    mivra::LoadFonts(Profile{}, m_doc.Strings(), m_doc.LanguageCode(), true, m_fonts);
    Relayout();
}

bool CMvView::WriteFonts() {
    if (m_doc.ReadOnly())
        return true; // the fonts chosen serve this run only
    const std::filesystem::path path = m_doc.DataFilePath(1251);
    Profile profile = Profile::Load(path, m_doc.CodePage());
    if (profile.state() == Profile::State::Unreadable)
        return false; // reported at load; unread settings are not written over
    const std::string before = profile.Serialize();
    SaveFonts(profile, m_doc.Strings(), m_fonts);
    if (profile.state() == Profile::State::Loaded && profile.Serialize() == before)
        return true;
    if (profile.Save(path).ok())
        return true;
    m_doc.ReportWriteFailure(path);
    return false;
}

} // namespace mivra::reports
