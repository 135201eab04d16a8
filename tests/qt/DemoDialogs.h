#pragma once

#include "resources/StringTable.h"
#include "ui/Dialog.h"
#include "ui/PropertySheet.h"

#include <array>
#include <memory>
#include <string>

// The developer tool's windows: a dialog with a few controls of each kind and the
// scheduling sheet's seven pages, built on the platform layer as system dialogs are.
namespace mivra::demo {

inline constexpr int kDemoTemplate = 9900;

/** Reads the demo dialog's template from the test folder. */
std::string DemoTemplate();

class DemoPage : public ui::PropertyPage {
public:
    explicit DemoPage(int templateId) : PropertyPage({"DemoPage", templateId, {}}) {}
    int applied = 0;

private:
    bool OnApply() override {
        ++applied;
        return true;
    }
};

/** The scheduling sheet's frame with its seven page templates in tab order. */
class DemoSheet : public ui::PropertySheet {
public:
    explicit DemoSheet(const StringTable& strings);
    std::array<std::unique_ptr<DemoPage>, 7> pages;

private:
    void OnInit() override;
    void OnCommand(int id) override;
    const StringTable& m_strings;
};

class DemoDlg : public ui::Dialog {
public:
    static constexpr int kIds[] = {1075, 1019, 1100, 226, 1037, 109, 1090, 1055, 3, 4, 5, 115};
    static constexpr ui::TemplateUse kUse{"DemoDlg", kDemoTemplate, kIds};
    explicit DemoDlg(const StringTable& strings) : Dialog(kUse), m_strings(strings) {}

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnPaint(int id, ui::Canvas& canvas, ui::Size size) override;
    void UpdateControls();

    const StringTable& m_strings;
};

} // namespace mivra::demo
