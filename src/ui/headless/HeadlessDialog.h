#pragma once

#include "ui/Dialog.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/RecordingCanvas.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mivra::ui::headless {

class HeadlessHost;

/**
 * A test's hands on one open dialog or property page: acts as the user does (each action
 * delivers the events the user's action would) and reads the controls back. Acting on a
 * hidden, disabled or missing control, or on a dialog that has ended, is reported as a
 * failure. Actions return the driver, so a script reads as one chain.
 */
class HeadlessDialog {
public:
    /** Builds the dialog's window from its template and opens it (OnInit runs). */
    HeadlessDialog(HeadlessHost& host, Dialog& dialog);
    /** Drives a window someone else owns (a page of a sheet). */
    HeadlessDialog(HeadlessHost& host, Dialog& dialog, HeadlessWindow& window);
    ~HeadlessDialog();
    HeadlessDialog(const HeadlessDialog&) = delete;
    HeadlessDialog& operator=(const HeadlessDialog&) = delete;

    // The user's actions.
    /** Presses a button, toggles a check box, picks a radio button. */
    HeadlessDialog& Press(int id);
    HeadlessDialog& Ok() { return Press(kIdOk); }
    HeadlessDialog& Cancel() { return Press(kIdCancel); }
    /** Replaces the text of an edit as typing would (within its limit). */
    HeadlessDialog& SetText(int id, std::string_view text);
    /** Picks a row of a list or combo box (a multiple-selection list keeps only that row). */
    HeadlessDialog& Select(int id, int row);
    /** Picks the first row of a list or combo box whose text is `text`. */
    HeadlessDialog& Select(int id, std::string_view text);
    /** Clicks a row of a multiple-selection list, adding it to or taking it from the selection. */
    HeadlessDialog& Toggle(int id, int row);
    HeadlessDialog& DoubleClick(int id, int row);
    /** Clicks a list row at x pixels from the list's left edge. */
    HeadlessDialog& ClickRow(int id, int row, int x);
    /** Clicks a list row at the left edge of a tab column as the list draws it. */
    HeadlessDialog& ClickColumn(int id, int row, int column);
    /** Clicks an owner-drawn surface at a point of its client area. */
    HeadlessDialog& Click(int id, Point point);
    /** Moves the pointer onto a list row; -1 moves it off the list. */
    HeadlessDialog& Hover(int id, int row);
    HeadlessDialog& Focus(int id);
    HeadlessDialog& Step(int id, int delta);
    /** The Up (-1) or Down (+1) arrow on a keyed list. */
    HeadlessDialog& Arrow(int id, int step);
    /** Types characters on a keyed list, one key at a time. */
    HeadlessDialog& Type(int id, std::string_view characters);
    /** Paints an owner-drawn control of the given size and returns what it drew. */
    RecordingCanvas Paint(int id, Size size);

    // Reading back.
    std::string Text(int id) const { return m_window->Text(id); }
    bool IsShown(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    std::vector<std::string> Rows(int id) const;
    uint32_t RowData(int id, int row) const;
    int Selection(int id) const;
    std::vector<int> SelectedRows(int id) const;
    int TopIndex(int id) const;
    std::vector<int> TabStops(int id) const;
    int ColumnWidth(int id) const;
    int Limit(int id) const;
    int Caret(int id) const;
    int Value(int id) const;
    int Redraws(int id) const;
    std::string Title() const { return m_window->Title(); }
    int Focused() const { return m_window->Focus(); }
    bool IsOpen() const { return m_dialog.IsOpen(); }
    int EndCode() const { return m_dialog.EndCode(); }
    /** Where the dialog asked to open, in dialog units from its centred place. */
    Point Offset() const { return m_dialog.Offset(); }
    HeadlessWindow& Window() { return *m_window; }

private:
    using Control = HeadlessWindow::Control;
    /** The control a user action reaches, or null (reported) when the user could not. */
    Control* Reach(int id, std::string_view action, std::initializer_list<ControlKind> kinds);
    const Control* Read(int id, std::string_view what) const;
    void Send(const Event& event);
    void ChooseRow(Control& c, int id, int row);
    HeadlessDialog& ClickAt(int id, int row, std::optional<int> column, int x);
    void Fail(const std::string& why) const;

    HeadlessHost& m_host;
    Dialog& m_dialog;
    std::unique_ptr<HeadlessWindow> m_owned;
    HeadlessWindow* m_window;
};

} // namespace mivra::ui::headless
