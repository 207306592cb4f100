#include "app/startup.h"

#include "app/dialogs.h"
#include "app/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace tressal::app {

int RunApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tressal"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt's own dialogs and buttons in French.
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    const QString exeDir = QApplication::applicationDirPath();
    QtDialogs dialogs(exeDir);
    QSettings settings(QStringLiteral("Tressal"), QStringLiteral("Tressal"));
    TFExtraction FExtraction(dialogs, exeDir, OutputRootFor(exeDir), &settings);
    FExtraction.show();
    return QApplication::exec();
}

} // namespace tressal::app
