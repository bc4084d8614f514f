#include "frame/translations.h"

#include "frame/filedialoglocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sp::frame {

QLocale programLocale() {
    return QLocale(QLocale::Chinese, QLocale::China);
}

bool useProgramLocale(QCoreApplication& app) {
    // Dates, sizes and numbers the toolkit writes follow the default locale; the file dialogs,
    // which would take the system's, are given it too.
    QLocale::setDefault(programLocale());
    app.installEventFilter(new FileDialogLocale(&app));
    return loadToolkitTranslations(app);
}

bool loadToolkitTranslations(QCoreApplication& app) {
    // The translator lives as long as the application that uses it.
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(programLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace sp::frame
