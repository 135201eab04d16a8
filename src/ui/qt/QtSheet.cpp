#include "ui/qt/QtSheet.h"

#include "ui/qt/QtText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mivra::ui::qt {

QtSheet::QtSheet(PropertySheet& sheet, const TemplateLibrary& templates,
                 const SheetCaptions& captions, QWidget* parent)
    : QDialog(parent), m_sheet(sheet), m_tabs(new QTabWidget(this)) {
    setWindowTitle(ToQt(sheet.Caption()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_tabs->setUsesScrollButtons(false); // every page's caption stays in sight
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    auto* buttons = new QHBoxLayout;
    m_extraButtons = new QHBoxLayout;
    buttons->addLayout(m_extraButtons);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    MakeButton(kIdOk, captions.ok, buttons)->setDefault(true);
    MakeButton(kIdCancel, captions.cancel, buttons);
    MakeButton(kIdApply, captions.apply, buttons);
    m_controls = std::make_unique<QtWindow>(this); // before the pages: it holds only the buttons

    QSize largest;
    for (int i = 0; i < sheet.PageCount(); ++i) {
        auto form =
            std::make_unique<QtForm>(templates, sheet.Page(i).TemplateId(), sheet.Page(i), nullptr);
        largest = largest.expandedTo(form->Root()->size());
        m_tabs->addTab(form->Root(), form->Root()->windowTitle());
        m_pages.push_back(std::move(form));
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        m_sheet.TabSelected(index);
        AfterAction();
    });
    resize(sizeHint().expandedTo(largest + QSize(40, 100)));
}

QtSheet::~QtSheet() = default;

QPushButton* QtSheet::MakeButton(int id, const QString& caption, QBoxLayout* row) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("c%1").arg(id));
    button->setAutoDefault(false);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, id] {
        m_sheet.Press(id);
        AfterAction();
    });
    return button;
}

int QtSheet::Run(ui::Host& host) {
    m_sheet.Open(*this, host);
    if (!m_sheet.HasEnded())
        exec();
    m_sheet.Close();
    return m_sheet.HasEnded() ? m_sheet.EndCode() : kIdCancel;
}

Window& QtSheet::PageWindow(int index) {
    return m_pages[static_cast<size_t>(index)]->Window();
}

void QtSheet::ShowPage(int index) {
    QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(index);
}

void QtSheet::AddButton(int id, std::string_view caption) {
    m_controls->Bind(id, MakeButton(id, ToQt(caption), m_extraButtons));
}

void QtSheet::reject() {
    m_sheet.Press(kIdCancel); // Esc is the Cancel button
    AfterAction();
}

void QtSheet::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_sheet.CloseRequested();
    AfterAction();
}

void QtSheet::AfterAction() {
    if (m_sheet.HasEnded() && isVisible())
        done(m_sheet.EndCode());
}

} // namespace mivra::ui::qt
