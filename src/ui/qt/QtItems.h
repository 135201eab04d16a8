#pragma once

#include <cstdint>
#include <memory>

#include <QString>

class QWidget;

namespace mivra::ui::qt {

/** The rows of a list or combo box behind one interface, so each operation is written once. */
class Items {
public:
    virtual ~Items() = default;
    virtual int Count() const = 0;
    virtual void Insert(int row, const QString& text, uint32_t data) = 0;
    virtual QString Text(int row) const = 0;
    virtual uint32_t Data(int row) const = 0;
    virtual void SetData(int row, uint32_t data) = 0;
    virtual void Clear() = 0;
    /** The current row; in a single-selection list only a selected one counts. */
    virtual int Current() const = 0;
    /** Makes a row (or none, -1) the current and only selected one. */
    virtual void SetCurrent(int row) = 0;

    bool Has(int row) const { return row >= 0 && row < Count(); }
};

/** The rows of a QListWidget or QComboBox; null for any other widget. */
std::unique_ptr<Items> ItemsOf(QWidget* widget);

} // namespace mivra::ui::qt
