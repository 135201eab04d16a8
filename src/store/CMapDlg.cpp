#include "store/CMapDlg.h"

#include "base/FileIo.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/CFileDlg.h"
#include "ui/Host.h"

namespace mivra {
namespace {

constexpr int kChooseTitle = 1155; // "Välj en kartfil (JPG)"
constexpr int kFilterName = 1156;  // "Församlingens kartfiler (.JPG)"
constexpr int kRulesText = 1158;

} // namespace

CMapDlg::CMapDlg(const CMvDoc& doc, std::string mapFile)
    : Dialog(kUse), m_doc(doc), m_name(std::move(mapFile)) {}

std::optional<std::string> CMapDlg::Choose(ui::Host& host, const CMvDoc& doc, std::string mapFile) {
    CMapDlg dialog(doc, std::move(mapFile));
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.MapFile();
}

bool CMapDlg::IsStorableName(std::string_view name, int codePage) {
    return io::IsPlainName(name) && text::CharCount(name) <= kMaxNameChars &&
           text::FromCodePage(text::ToCodePage(name, codePage), codePage) == name;
}

void CMapDlg::OnInit() {
    m_name = std::string(text::Trim(m_name));
    if (!m_name.empty())
        Load();
    Win().Show(kRules, !IsLoaded());
}

void CMapDlg::Load() {
    m_picture.reset();
    ui::PictureLoad load;
    if (io::IsPlainName(m_name)) {
        load = ui::LoadPicture(m_doc.DataFolder() / m_name, Host().Pictures());
    } else {
        // A path from a record reaches nothing outside the data folder.
        load.fault = ui::PictureFault::Missing;
        load.path = m_name;
    }
    if (!load)
        Host().ShowMessage(ui::PictureMessage(load, m_doc.Strings()));
    m_picture = std::move(load.picture);
}

void CMapDlg::ChooseMap() {
    const StringTable& s = m_doc.Strings();
    ui::CFileDlg chooser(s.Get(kChooseTitle), s.Get(kFilterName), {"*.jpg", "*.jpeg"},
                         m_doc.DataFolder());
    if (chooser.Run(Host())) {
        // Only the name is kept: the picture is always looked up in the data folder.
        const std::string name = chooser.FileName();
        if (IsStorableName(name, m_doc.CodePage())) {
            m_name = name;
            Load();
            Win().Redraw(kPicture);
        } else {
            ShowRules();
        }
    }
    Win().Show(kRules, !IsLoaded());
}

void CMapDlg::ShowRules() {
    ui::MessageBox box;
    box.text = m_doc.Strings().Format(kRulesText, m_doc.DataFolder().string());
    Host().ShowMessage(box);
}

void CMapDlg::OnCommand(int id) {
    if (id == kChoose)
        ChooseMap();
    else if (id == kRules)
        ShowRules();
}

void CMapDlg::OnOk() {
    if (!IsLoaded())
        m_name.clear();
    End(ui::kIdOk);
}

void CMapDlg::OnPaint(int id, ui::Canvas& canvas, ui::Size size) {
    if (id != kPicture)
        return;
    const ui::Rect area{0, 0, size.width, size.height};
    if (m_picture) {
        canvas.DrawPicture(*m_picture, area);
        return;
    }
    // An empty area still reads as the place of the map.
    canvas.FillRect(area, ui::kWhite);
    canvas.SetPen({ui::kLightGrey});
    canvas.DrawLine({0, 0}, {area.right - 1, 0});
    canvas.DrawLine({area.right - 1, 0}, {area.right - 1, area.bottom - 1});
    canvas.DrawLine({area.right - 1, area.bottom - 1}, {0, area.bottom - 1});
    canvas.DrawLine({0, area.bottom - 1}, {0, 0});
}

} // namespace mivra
