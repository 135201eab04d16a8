#pragma once

#include "ui/Geometry.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The controls of one dialog, property page or panel, addressed by their numeric ids.
namespace mivra::ui {

/** Ids with a fixed meaning in every template and in the property sheet's frame. */
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdApply = 12321;

/** The font's averages that dialog units are measured in: x is a quarter, y an eighth. */
struct BaseUnits {
    int x = 6;
    int y = 13;
};

/**
 * A window as system code sees it. Every call names a control by id; an id the window's
 * template does not declare, or an operation the control does not have, is a fault of the
 * caller (the headless backend reports it, the Qt backend ignores it with a warning).
 * Rows are 0-based; -1 means "no row".
 */
class Window {
public:
    virtual ~Window() = default;

    // Every control.
    virtual void SetText(int id, std::string_view text) = 0;
    virtual std::string Text(int id) const = 0;
    virtual void Show(int id, bool shown = true) = 0;
    virtual bool IsShown(int id) const = 0;
    virtual void Enable(int id, bool enabled = true) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void SetFocus(int id) = 0;
    /** The id of the control with the keyboard focus, or 0. */
    virtual int Focus() const = 0;
    /** Asks an owner-drawn control to paint itself again. */
    virtual void Redraw(int id) = 0;

    // Check boxes and radio buttons.
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;

    // Edits: at most `characters` characters, typed or set; 0 lifts the limit.
    virtual void SetLimit(int id, int characters) = 0;
    /** Puts the caret before character `position` (past the end: at the end). */
    virtual void SetCaret(int id, int position) = 0;

    // List and combo boxes; each row carries 32-bit item data.
    virtual void ClearRows(int id) = 0;
    /** Appends a row and returns its index. */
    virtual int AddRow(int id, std::string_view text, uint32_t data = 0) = 0;
    /** Inserts a row before `row` (-1 or past the end appends) and returns its index. */
    virtual int InsertRow(int id, int row, std::string_view text, uint32_t data = 0) = 0;
    virtual int RowCount(int id) const = 0;
    virtual std::string RowText(int id, int row) const = 0;
    virtual uint32_t RowData(int id, int row) const = 0;
    virtual void SetRowData(int id, int row, uint32_t data) = 0;
    /** The current row: the selected one, or the focused one of a multiple-selection list. */
    virtual int Selection(int id) const = 0;
    /** Makes `row` the only selected row (-1 selects none) and scrolls it into view. */
    virtual void Select(int id, int row) = 0;
    // Multiple-selection lists.
    virtual void SetRowSelected(int id, int row, bool selected) = 0;
    virtual bool IsRowSelected(int id, int row) const = 0;
    virtual std::vector<int> SelectedRows(int id) const = 0;
    // Lists only.
    /** Tab stops in dialog units; tab-separated row text is drawn in these columns. */
    virtual void SetTabStops(int id, std::span<const int> dialogUnits) = 0;
    /** Lays the rows out in columns of this width in dialog units, filled top to bottom. */
    virtual void SetColumnWidth(int id, int dialogUnits) = 0;
    virtual int TopIndex(int id) const = 0;
    virtual void SetTopIndex(int id, int row) = 0;

    // Up-down controls.
    virtual void SetRange(int id, int low, int high) = 0;
    virtual void SetValue(int id, int value) = 0;
    virtual int Value(int id) const = 0;

    // The window itself.
    virtual void SetTitle(std::string_view title) = 0;
    virtual std::string Title() const = 0;
    virtual Size ClientSize() const = 0;
    /** The font averages of the window, to turn pixels into dialog units and back. */
    virtual BaseUnits Units() const = 0;
};

} // namespace mivra::ui
