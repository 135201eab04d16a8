#pragma once

#include "ui/PropertySheet.h"
#include "ui/headless/HeadlessDialog.h"

#include <memory>
#include <string>
#include <vector>

namespace mivra::ui::headless {

class HeadlessHost;

/**
 * A test's hands on an open property sheet: its tabs, its frame buttons (OK, Cancel,
 * Apply and the added ones) and a driver for each opened page.
 */
class HeadlessSheet : public SheetFrame {
public:
    /** Builds every page's window and opens the sheet on its start page. */
    HeadlessSheet(HeadlessHost& host, PropertySheet& sheet);
    ~HeadlessSheet() override;
    HeadlessSheet(const HeadlessSheet&) = delete;
    HeadlessSheet& operator=(const HeadlessSheet&) = delete;

    // The user's actions.
    HeadlessSheet& SelectPage(int index);
    /** Presses a frame button: kIdOk, kIdCancel, kIdApply or an added one. */
    HeadlessSheet& Press(int id);
    HeadlessSheet& Ok() { return Press(kIdOk); }
    HeadlessSheet& Apply() { return Press(kIdApply); }
    HeadlessSheet& Cancel() { return Press(kIdCancel); }
    /** The window's close box. */
    HeadlessSheet& CloseBox();
    /** The driver of an opened page (reported when the page was never opened). */
    HeadlessDialog& Page(int index);

    // Reading back.
    std::vector<std::string> Tabs() const;
    int ShownPage() const { return m_shown; }
    std::string ButtonText(int id) const { return m_controls->Text(id); }
    bool IsButtonEnabled(int id) const;
    bool IsOpen() const { return m_open; }
    int EndCode() const { return m_sheet.EndCode(); }

    // SheetFrame.
    Window& Controls() override { return *m_controls; }
    Window& PageWindow(int index) override;
    void ShowPage(int index) override { m_shown = index; }
    void AddButton(int id, std::string_view caption) override;

private:
    bool Usable(int index, std::string_view action);
    void AfterAction();

    HeadlessHost& m_host;
    PropertySheet& m_sheet;
    std::unique_ptr<HeadlessWindow> m_controls;
    std::vector<std::unique_ptr<HeadlessWindow>> m_windows;
    std::vector<std::unique_ptr<HeadlessDialog>> m_drivers;
    int m_shown = -1;
    bool m_open = true;
};

} // namespace mivra::ui::headless
