#include "ui/qt/QtHost.h"

#include "resources/StringTable.h"
#include "ui/Dialog.h"
#include "ui/PropertySheet.h"
#include "ui/qt/ProgramIcon.h"
#include "ui/qt/QtCanvas.h"
#include "ui/qt/QtForm.h"
#include "ui/qt/QtSheet.h"
#include "ui/qt/QtText.h"

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace mivra::ui::qt {
namespace {

// Qt's own file dialog as a folder chooser: its file-name edit shows the folder moved to, and
// "Select" asks system code, which may keep the chooser open (a refused or uncreated folder).
class FolderChooser : public QFileDialog {
public:
    FolderChooser(const FolderRequest& request, QWidget* parent)
        : QFileDialog(parent, ToQt(request.title), ToQt(request.start)), m_request(request) {
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::ShowDirsOnly);
        setFileMode(QFileDialog::Directory);
        setLabelText(QFileDialog::Accept, ToQt(request.selectLabel));
        setLabelText(QFileDialog::FileName, ToQt(request.folderLabel));
        if (!request.cancelLabel.empty())
            setLabelText(QFileDialog::Reject, ToQt(request.cancelLabel));
        m_edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (m_edit) {
            m_edit->setText(ToQt(request.start));
            // Qt disables its button for a folder that does not exist; ours offers to make it.
            connect(m_edit, &QLineEdit::textChanged, this, [this] { EnableSelect(); });
        }
        connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) {
            if (m_edit)
                m_edit->setText(folder);
            EnableSelect();
        });
        connect(this, &QFileDialog::currentChanged, this, [this] { EnableSelect(); });
    }

    void accept() override {
        const std::string text = m_edit ? FromQt(m_edit->text()) : std::string();
        if (m_request.select(text, FromQt(directory().absolutePath())))
            QDialog::accept();
    }

private:
    void EnableSelect() {
        if (auto* buttons = findChild<QDialogButtonBox*>())
            if (QPushButton* select = buttons->button(QDialogButtonBox::Open))
                select->setEnabled(true);
    }

    const FolderRequest& m_request;
    QLineEdit* m_edit = nullptr;
};

// Qt's file dialog for opening a file: "Open" on a file asks system code, which may keep the
// chooser open; folders and missing files are left to Qt (it enters the one and names the
// other).
class FileChooser : public QFileDialog {
public:
    FileChooser(const FileRequest& request, QWidget* parent)
        : QFileDialog(parent, ToQt(request.title), ToQt(request.folder)), m_request(request) {
        setOption(QFileDialog::DontUseNativeDialog);
        setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        // Without QDir::CaseSensitive the patterns match in any case.
        setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
        QStringList patterns;
        for (const std::string& p : request.patterns)
            patterns << ToQt(p);
        if (!patterns.isEmpty())
            setNameFilter(ToQt(request.filterName) + QStringLiteral(" (") + patterns.join(' ') +
                          ')');
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.size() == 1 && m_request.accept) {
            const QFileInfo info(files.first());
            if (!info.isDir() && (info.exists() || !m_request.mustExist) &&
                !m_request.accept(FromQt(files.first())))
                return;
        }
        QFileDialog::accept();
    }

private:
    const FileRequest& m_request;
};

constexpr int kTitle = 2;
constexpr int kCancel = 1260;
constexpr int kApply = 60101;
constexpr int kYes = 60102;
constexpr int kNo = 60103;
constexpr int kColour = 60104;

QMessageBox::Icon ToQIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

/** The modal dialog a run shows: the template's own root, or a frame around a plain one. */
ModalDialog* ModalOf(QtForm& form, std::unique_ptr<ModalDialog>& frame, QWidget* parent) {
    if (auto* modal = qobject_cast<ModalDialog*>(form.Root()))
        return modal;
    frame = std::make_unique<ModalDialog>(parent);
    frame->setWindowTitle(form.Root()->windowTitle());
    (new QVBoxLayout(frame.get()))->addWidget(form.Root());
    return frame.get();
}

QIcon Swatch(Colour colour) {
    QPixmap pixmap(24, 16);
    pixmap.fill(ToQColor(colour));
    return QIcon(pixmap);
}

/**
 * The colour as the font chooser's one effect: a colour button in its effects group,
 * whose strike-out and underline boxes are hidden when asked.
 */
void AddColourEffect(QFontDialog& dialog, Colour& colour, bool hideBoxes,
                     const StringTable& strings) {
    QWidget* effects = nullptr;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        effects = box->parentWidget();
        if (hideBoxes)
            box->hide();
    }
    if (!effects || !effects->layout())
        return;
    auto* button = new QPushButton(ToQt(strings.Get(kColour)), effects);
    button->setObjectName(QStringLiteral("fontColour"));
    button->setIcon(Swatch(colour));
    effects->layout()->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, button, &colour] {
        QColor c = QColorDialog::getColor(ToQColor(colour), &dialog);
        if (c.isValid()) {
            colour = FromQColor(c);
            button->setIcon(Swatch(colour));
        }
    });
}

} // namespace

QtHost::QtHost(const StringTable& strings, QWidget* mainWindow)
    : m_strings(strings), m_mainWindow(mainWindow) {
    if (qApp && QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(ProgramIcon());
}

QWidget* QtHost::ParentWidget() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_mainWindow ? m_mainWindow : QApplication::activeWindow();
}

Answer QtHost::ShowMessage(const MessageBox& box) {
    QMessageBox q(ParentWidget());
    q.setWindowTitle(ToQt(box.caption.empty() ? m_strings.Get(kTitle) : box.caption));
    q.setWindowIcon(ProgramIcon());
    q.setTextFormat(Qt::PlainText);
    q.setText(ToQt(box.text));
    q.setIcon(ToQIcon(box.icon));
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    if (box.buttons == Buttons::YesNo) {
        first = q.addButton(ToQt(m_strings.Get(kYes)), QMessageBox::YesRole);
        second = q.addButton(ToQt(m_strings.Get(kNo)), QMessageBox::NoRole);
    } else {
        first = q.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        if (box.buttons == Buttons::OkCancel)
            second = q.addButton(ToQt(m_strings.Get(kCancel)), QMessageBox::RejectRole);
    }
    q.setDefaultButton(box.secondIsDefault && second ? second : first);
    q.setEscapeButton(second ? second : first);
    q.exec();
    const bool pressedSecond = second && q.clickedButton() == second;
    if (box.buttons == Buttons::YesNo)
        return pressedSecond ? Answer::No : Answer::Yes;
    if (box.buttons == Buttons::OkCancel)
        return pressedSecond ? Answer::Cancel : Answer::Ok;
    return Answer::Ok;
}

int QtHost::RunDialog(Dialog& dialog) {
    QtForm form(m_templates, dialog.TemplateId(), dialog, ParentWidget());
    std::unique_ptr<ModalDialog> frame;
    ModalDialog* modal = ModalOf(form, frame, ParentWidget());
    if (auto* ok = qobject_cast<QPushButton*>(form.Window().Control(kIdOk)))
        ok->setDefault(true);
    modal->onCancel = [&form] { form.Dispatch(Event(EventKind::Command, kIdCancel)); };
    form.SetAfterEvent([&dialog, modal] {
        if (dialog.HasEnded() && modal->isVisible())
            modal->done(dialog.EndCode());
    });
    dialog.Open(form.Window(), *this);
    if (const Point offset = dialog.Offset(); offset.x != 0 || offset.y != 0) {
        // Qt centres the dialog as it shows; the shift follows once it is placed.
        const BaseUnits units = form.Window().Units();
        const QPoint shift(offset.x * units.x / 4, offset.y * units.y / 8);
        QTimer::singleShot(0, modal, [modal, shift] { modal->move(modal->pos() + shift); });
    }
    if (!dialog.HasEnded())
        modal->exec();
    dialog.Close();
    return dialog.HasEnded() ? dialog.EndCode() : kIdCancel;
}

int QtHost::RunSheet(PropertySheet& sheet) {
    SheetCaptions captions{QStringLiteral("OK"), ToQt(m_strings.Get(kCancel)),
                           ToQt(m_strings.Get(kApply))};
    QtSheet q(sheet, m_templates, captions, ParentWidget());
    return q.Run(*this);
}

int QtHost::PopupMenu(const Window& owner, Point at, const Menu& menu) {
    auto* window = dynamic_cast<const QtWindow*>(&owner);
    QWidget* anchor = window ? window->Root() : ParentWidget();
    QMenu q(anchor);
    for (const MenuItem& item : menu.items) {
        if (item.id == 0 && item.text.empty()) {
            q.addSeparator();
            continue;
        }
        QAction* action = q.addAction(ToQt(item.text));
        action->setData(item.id);
        action->setEnabled(item.enabled);
    }
    QPoint global = anchor ? anchor->mapToGlobal(QPoint(at.x, at.y)) : QPoint(at.x, at.y);
    QAction* chosen = q.exec(global);
    return chosen ? chosen->data().toInt() : 0;
}

void QtHost::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(ToQt(text));
}

std::string QtHost::ClipboardText() {
    return FromQt(QGuiApplication::clipboard()->text());
}

std::optional<std::string> QtHost::OpenFile(const FileRequest& request) {
    FileChooser chooser(request, ParentWidget());
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQt(chooser.selectedFiles().first());
}

std::optional<std::string> QtHost::SaveFile(const FileRequest& request) {
    FileChooser chooser(request, ParentWidget());
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    if (!request.fileName.empty())
        chooser.selectFile(ToQt(request.fileName));
    if (!request.patterns.empty() && request.patterns.front().starts_with("*."))
        chooser.setDefaultSuffix(ToQt(request.patterns.front().substr(2)));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQt(chooser.selectedFiles().first());
}

bool QtHost::ChooseFolder(const FolderRequest& request) {
    FolderChooser chooser(request, ParentWidget());
    return chooser.exec() == QDialog::Accepted;
}

std::optional<Font> QtHost::ChooseFont(const FontRequest& request) {
    // The chooser lists the families fontconfig has: start on the one the face resolves to.
    QFont start = ToQFont(request.font, ParentWidget());
    const QString resolved = QFontInfo(start).family();
    start.setFamily(resolved);
    QFontDialog dialog(start, ParentWidget());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowTitle(ToQt(request.title));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
            cancel->setText(ToQt(m_strings.Get(kCancel)));
    Colour colour = request.font.colour;
    AddColourEffect(dialog, colour, request.hideStrikeOutAndUnderline, m_strings);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    Font font = request.font;
    font.colour = colour;
    // The same family keeps the stored face name ("Arial" stays "Arial").
    font.face = chosen.family() == resolved ? request.font.face : FromQt(chosen.family());
    const int dpi = ParentWidget() ? ParentWidget()->logicalDpiY() : 96;
    font.height =
        -(chosen.pixelSize() > 0 ? chosen.pixelSize()
                                 : static_cast<int>(chosen.pointSizeF() * dpi / 72 + 0.5));
    font.weight = static_cast<int>(chosen.weight());
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    return font;
}

std::optional<Colour> QtHost::ChooseColour(Colour initial) {
    QColor c = QColorDialog::getColor(ToQColor(initial), ParentWidget());
    return c.isValid() ? std::optional(FromQColor(c)) : std::nullopt;
}

} // namespace mivra::ui::qt
