#include "app/startup.h"

#include "app/dialogs.h"
#include "app/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
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

    QtDialogs dialogs;
    const QString exeDir = QApplication::applicationDirPath();
    TFExtraction FExtraction(dialogs, exeDir, OutputRootFor(exeDir));
    FExtraction.show();
    return QApplication::exec();
}

} // namespace tressal::app
