#pragma once

#include "ui/Host.h"
#include "ui/PropertyPage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivra::ui {

/** What a backend gives a sheet: its own buttons by id, and one window per page. */
class SheetFrame {
public:
    virtual ~SheetFrame() = default;
    /** The frame's buttons: kIdOk, kIdCancel, kIdApply and the added ones. */
    virtual Window& Controls() = 0;
    virtual Window& PageWindow(int index) = 0;
    virtual void ShowPage(int index) = 0;
    /** A push button at the bottom left, reported through PropertySheet::Press. */
    virtual void AddButton(int id, std::string_view caption) = 0;
};

/**
 * A modal tabbed dialog of ordered pages. The rules live here, shared by every backend:
 * pages open on first activation; OK and Apply reach the opened pages in tab order and stop
 * at the first that refuses; Cancel reaches every opened page; Apply is enabled while any
 * page is marked modified. Derived sheets set their buttons up in OnInit, receive their
 * added buttons in OnCommand and a Cancel in OnReset.
 */
class PropertySheet {
public:
    explicit PropertySheet(std::string caption) : m_caption(std::move(caption)) {}
    virtual ~PropertySheet() = default;
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;

    /** Appends a page in tab order; the page must outlive the sheet's run. */
    void AddPage(PropertyPage& page);
    /** The page active when the sheet opens (an index past the last opens the first). */
    void SetStartPage(int index) { m_start = index; }
    const std::string& Caption() const { return m_caption; }
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    PropertyPage& Page(int index) const { return *m_pages[static_cast<size_t>(index)].page; }
    int ActivePage() const { return m_active; }
    bool WasOpened(int index) const { return m_pages[static_cast<size_t>(index)].opened; }

    // For the pages and the system code.
    /** Shows a page, opening it the first time; before the sheet runs, sets the start page. */
    void SetActivePage(int index);
    int QuerySiblings(int first, int second);
    void SetModified(const PropertyPage& page, bool modified);

    // For the backends.
    void Open(SheetFrame& frame, ui::Host& host);
    void Close();
    /** The user picked a tab. */
    void TabSelected(int index);
    /** The user pressed a frame button. */
    void Press(int id);
    /** The user asked the window manager to close the sheet. */
    void CloseRequested();
    bool HasEnded() const { return m_endCode != 0; }
    int EndCode() const { return m_endCode; }

protected:
    Window& Win() const { return m_frame->Controls(); }
    ui::Host& Host() const { return *m_host; }
    void AddButton(int id, std::string_view caption) { m_frame->AddButton(id, caption); }
    /** Refuses the close box with this message; the sheet then closes only by OK or Cancel. */
    void RefuseClose(MessageBox message) { m_closeRefusal = std::move(message); }
    void End(int code) { m_endCode = code; }

    virtual void OnInit() {}
    virtual void OnCommand(int /*id*/) {}
    /** Cancel reached the sheet, after every opened page had its OnReset. */
    virtual void OnReset() {}

private:
    struct Slot {
        PropertyPage* page = nullptr;
        bool opened = false;
        bool modified = false;
    };

    void Activate(int index);
    bool ApplyAll();
    void ResetAll();
    void UpdateApply();
    int IndexOf(const PropertyPage& page) const;

    std::string m_caption;
    std::vector<Slot> m_pages;
    int m_start = 0;
    int m_active = -1;
    int m_endCode = 0;
    std::optional<MessageBox> m_closeRefusal;
    SheetFrame* m_frame = nullptr;
    ui::Host* m_host = nullptr;
};

} // namespace mivra::ui
