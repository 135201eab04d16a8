#pragma once

#include "store/NeedsList.h"
#include "ui/Dialog.h"

#include <functional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * "Tal vi behöver": the needs list with each talk's priority and the week it was last given,
 * edited on a copy that only OK hands to the document and writes. After every rebuild the
 * selection is clamped and the label and radios show the talk selected, never a removed one.
 */
class CNeedsListDlg : public ui::Dialog {
public:
    /** Prints the list as it stands; the caption is the document's name. Printing lives above. */
    using Printer = std::function<void(const NeedsList& needs, const std::string& caption)>;

    static constexpr int kTemplate = 156;
    static constexpr int kCaption = 60600; ///< "Tal vi behöver", also the printout's head
    static constexpr int kList = 1070;
    static constexpr int kRemove = 3;
    static constexpr int kAdd = 4;
    static constexpr int kPrint = 5;
    static constexpr int kHigh = 1072;
    static constexpr int kMedium = 1073;
    static constexpr int kLow = 1074;
    static constexpr int kTalkText = 244;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kList,   kRemove, kAdd,
                                   kPrint,    kHigh,         kMedium, kLow,    kTalkText};
    static constexpr ui::TemplateUse kUse{"CNeedsListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CNeedsListDlg(CMvDoc& doc, Printer print);

    /** Command "Behovs&lista": OK stores the list and writes "wishlist.dat". */
    static void Edit(CMvDoc& doc, ui::Host& host, Printer print);
    /** A row of the list: number, priority letter, the date last given or "    -". */
    static std::string RowText(const CMvDoc& doc, const NeedsList& needs, int talk);

    const NeedsList& Copy() const { return m_copy; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

    void Build();
    void ShowSelected();
    int SelectedTalk() const;
    void SetPriority();
    void AddTalks();

    CMvDoc& m_doc;
    Printer m_print;
    NeedsList m_copy;
    int m_row = 0;
};

} // namespace mivra::rotations
