#pragma once

#include "ui/Dialog.h"

#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::app {

/**
 * "Vår församling": the home congregation chosen, its form, its hosts and the counts of its
 * brothers in each role. In app because its role buttons and package export reach the
 * rotations and the exchange.
 */
class CHomeCongregationDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 147;
    static constexpr int kChoose = 5;
    static constexpr int kForm = 6;
    static constexpr int kExport = 7;
    static constexpr int kSpeakers = 1037;
    static constexpr int kChairmen = 1035;
    static constexpr int kReaders = 1036;
    static constexpr int kHosts = 1038;
    static constexpr int kIds[] = {ui::kIdOk, kChoose,   kForm,    kExport,
                                   kSpeakers, kChairmen, kReaders, kHosts};
    static constexpr ui::TemplateUse kUse{"CHomeCongregationDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    explicit CHomeCongregationDlg(CMvDoc& doc);

private:
    void OnInit() override;
    void OnCommand(int id) override;

    void ShowTexts();
    void ChooseHome();
    void EditHome();
    void EditRole(int roleBit);

    CMvDoc& m_doc;
    std::string m_title; ///< the template's, while there is no home congregation
};

} // namespace mivra::app
