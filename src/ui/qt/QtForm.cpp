#include "ui/qt/QtForm.h"

#include "ui/Template.h"
#include "ui/qt/ProgramIcon.h"

#include <QBuffer>
#include <QLabel>
#include <QUiLoader>

namespace mivra::ui::qt {
namespace {

/** Builds a dialog template's root as a ModalDialog, everything else as Designer says. */
class FormLoader : public QUiLoader {
public:
    using QUiLoader::QUiLoader;
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        if (!m_rootMade && className == QLatin1String("QDialog")) {
            m_rootMade = true;
            auto* dialog = new ModalDialog(parent);
            dialog->setObjectName(name);
            return dialog;
        }
        m_rootMade = true;
        return QUiLoader::createWidget(className, parent, name);
    }

private:
    bool m_rootMade = false;
};

QWidget* Load(const TemplateLibrary& templates, int templateId, QWidget* parent) {
    if (std::optional<std::string_view> source = templates.Source(templateId)) {
        QByteArray bytes(source->data(), static_cast<qsizetype>(source->size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        FormLoader loader;
        if (QWidget* root = loader.load(&buffer, parent))
            return root;
    }
    qWarning("mivra: template %d cannot be built", templateId);
    auto* empty = new QWidget(parent);
    empty->setWindowTitle(QStringLiteral("?"));
    return empty;
}

} // namespace

void ModalDialog::reject() {
    if (onCancel)
        onCancel();
    else
        QDialog::reject();
}

QtForm::QtForm(const TemplateLibrary& templates, int templateId, EventSink& sink, QWidget* parent)
    : m_root(Load(templates, templateId, parent)), m_sink(sink),
      m_window(std::make_unique<QtWindow>(m_root)) {
    // Labels marked programIcon show the program's icon (the About box).
    for (QLabel* label : m_root->findChildren<QLabel*>())
        if (label->property("programIcon").toBool())
            label->setPixmap(ProgramIcon().pixmap(64, 64));
    m_binder = new EventBinder(*m_window, sink, [this](const Event& e) { Dispatch(e); });
}

QtForm::~QtForm() {
    if (m_root && (m_root->isWindow() || !m_root->parentWidget()))
        delete m_root;
    else
        delete m_binder; // the widgets outlive this form: their events must not reach it
}

void QtForm::Dispatch(const Event& event) {
    m_sink.Deliver(event);
    if (m_after)
        m_after();
}

} // namespace mivra::ui::qt
