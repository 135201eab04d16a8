#pragma once

#include "resources/StringTable.h"
#include "ui/Dialog.h"

#include <functional>
#include <string>

// The developer tool's window: a dialog with a few controls of each kind, built on the
// platform layer as system dialogs are; one of its buttons opens the scheduling sheet.
namespace mivra::demo {

inline constexpr int kDemoTemplate = 9900;

/** Reads the demo dialog's template from the test folder. */
std::string DemoTemplate();

class DemoDlg : public ui::Dialog {
public:
    static constexpr int kIds[] = {1075, 1019, 1100, 226, 1037, 109, 1090, 1055, 3, 4, 5, 115};
    static constexpr ui::TemplateUse kUse{"DemoDlg", kDemoTemplate, kIds};
    /** openSheet runs when button 115 is pressed (the tool opens the real sheet there). */
    DemoDlg(const StringTable& strings, std::function<void()> openSheet = {})
        : Dialog(kUse), m_strings(strings), m_openSheet(std::move(openSheet)) {}

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnPaint(int id, ui::Canvas& canvas, ui::Size size) override;
    void UpdateControls();

    const StringTable& m_strings;
    std::function<void()> m_openSheet;
};

} // namespace mivra::demo
