#include "ui/qt/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

// The translation is built into this static library; its resource must be named to be linked.
static void InitTranslationResource() {
    Q_INIT_RESOURCE(qt_translations);
}

namespace mivra::ui::qt {
namespace {

bool Install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

bool InstallQtTranslations(QCoreApplication& application) {
    // Debian's Qt 6 has no Swedish base translation; an older full one may cover what ours
    // leaves out.
    InitTranslationResource();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!Install(application, QStringLiteral("qtbase_sv"), folder))
        Install(application, QStringLiteral("qt_sv"), folder);
    return Install(application, QStringLiteral("qtbase_sv"), QStringLiteral(":/i18n"));
}

} // namespace mivra::ui::qt
