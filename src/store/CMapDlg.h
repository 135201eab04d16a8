#pragma once

#include "ui/Dialog.h"
#include "ui/Picture.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mivra {

class CMvDoc;

/**
 * The congregation map (template 183 "Karta"): shows the picture a congregation's map file
 * name names in the data folder, lets the user pick another JPEG file and tells the rules for
 * map files. A name the record cannot hold exactly is refused, never cut.
 *
 *     CMapDlg dialog(doc, record.mapFile);
 *     if (host.RunDialog(dialog) == ui::kIdOk)
 *         record.mapFile = dialog.MapFile();
 */
class CMapDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 183;
    static constexpr int kPicture = 1145; ///< owner-drawn: the picture, stretched
    static constexpr int kChoose = 3;     ///< "Välj en karta"
    static constexpr int kRules = 4;      ///< "Kartregler", shown while no picture is loaded
    static constexpr int kIds[] = {kPicture, kChoose, kRules, ui::kIdOk, ui::kIdCancel};
    static constexpr ui::TemplateUse kUse{"CMapDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** The longest map file name a congregation record holds, ".jpg" included. */
    static constexpr size_t kMaxNameChars = 27;

    /** mapFile: the congregation's map file name, a plain name in the data folder. */
    CMapDlg(const CMvDoc& doc, std::string mapFile);

    /** Runs the dialog: the map file name on OK (empty when no picture is loaded), nothing on
     *  Cancel. */
    static std::optional<std::string> Choose(ui::Host& host, const CMvDoc& doc,
                                             std::string mapFile);

    /** After OK: the map file name, empty when no picture was loaded. */
    const std::string& MapFile() const { return m_name; }
    bool IsLoaded() const { return m_picture != nullptr; }

    /** Whether a congregation record holds a name exactly: a plain file name of at most 27
     *  characters that the code page holds every character of. */
    static bool IsStorableName(std::string_view name, int codePage);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnPaint(int id, ui::Canvas& canvas, ui::Size size) override;

    void Load();
    void ChooseMap();
    void ShowRules();

    const CMvDoc& m_doc;
    std::string m_name;
    std::unique_ptr<ui::Picture> m_picture;
};

} // namespace mivra
