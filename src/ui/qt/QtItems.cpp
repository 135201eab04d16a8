#include "ui/qt/QtItems.h"

#include <QComboBox>
#include <QListWidget>

namespace mivra::ui::qt {
namespace {

class ListItems : public Items {
public:
    explicit ListItems(QListWidget* list) : m_list(list) {}
    int Count() const override { return m_list->count(); }
    void Insert(int row, const QString& text, uint32_t data) override {
        auto* item = new QListWidgetItem(text);
        item->setData(Qt::UserRole, QVariant::fromValue(data));
        m_list->insertItem(row, item);
    }
    QString Text(int row) const override { return m_list->item(row)->text(); }
    uint32_t Data(int row) const override {
        return m_list->item(row)->data(Qt::UserRole).value<uint32_t>();
    }
    void SetData(int row, uint32_t data) override {
        m_list->item(row)->setData(Qt::UserRole, QVariant::fromValue(data));
    }
    void Clear() override { m_list->clear(); }
    int Current() const override {
        QListWidgetItem* item = m_list->currentItem();
        bool single = m_list->selectionMode() == QAbstractItemView::SingleSelection;
        return item && (!single || item->isSelected()) ? m_list->row(item) : -1;
    }
    void SetCurrent(int row) override {
        m_list->clearSelection();
        if (row < 0) {
            m_list->setCurrentRow(-1);
            return;
        }
        m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        m_list->scrollToItem(m_list->item(row));
    }

private:
    QListWidget* m_list;
};

class ComboItems : public Items {
public:
    explicit ComboItems(QComboBox* combo) : m_combo(combo) {}
    int Count() const override { return m_combo->count(); }
    void Insert(int row, const QString& text, uint32_t data) override {
        m_combo->insertItem(row, text, QVariant::fromValue(data));
    }
    QString Text(int row) const override { return m_combo->itemText(row); }
    uint32_t Data(int row) const override { return m_combo->itemData(row).value<uint32_t>(); }
    void SetData(int row, uint32_t data) override {
        m_combo->setItemData(row, QVariant::fromValue(data));
    }
    void Clear() override { m_combo->clear(); }
    int Current() const override { return m_combo->currentIndex(); }
    void SetCurrent(int row) override { m_combo->setCurrentIndex(row); }

private:
    QComboBox* m_combo;
};

} // namespace

std::unique_ptr<Items> ItemsOf(QWidget* widget) {
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return std::make_unique<ListItems>(list);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return std::make_unique<ComboItems>(combo);
    return nullptr;
}

} // namespace mivra::ui::qt
