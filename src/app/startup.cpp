#include "app/startup.h"

#include "app/app_services.h"
#include "app/conversion_job.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

#include <cstring>
#include <iostream>
#include <optional>

namespace tressal::app {
namespace {

// --help and --version are answered on the terminal before anything needs a display.
std::optional<int> AnswerOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::cout
                << "Usage : tressal [--version | --help]\n"
                   "        tressal EXPORT   (propose les conversions de cet export)\n"
                   "Ouvre la fenêtre de Tressal, qui convertit les exports Sconet (élèves)\n"
                   "et STS (enseignants) en fichiers d'import pour Orlane, Vesko, PMB et\n"
                   "BCDI : choisissez la conversion dans le menu de la fenêtre.\n"
                   "Pour convertir sans fenêtre, utilisez tressal-cli (tressal-cli --help).\n";
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "tressal " << kVersion << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int RunApplication(int argc, char** argv) {
    if (const auto answered = AnswerOnTerminal(argc, argv))
        return *answered;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tressal"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // Lets the desktop show the menu entry's name and icon for the windows.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Qt's own dialogs and buttons in French: the system's catalogue on Linux, the one built
    // into the program on Windows.
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qtFrench.load(QStringLiteral("qtbase_fr"), QStringLiteral(":/translations")))
        QApplication::installTranslator(&qtFrench);

    const ProgramFolders folders =
        FindProgramFolders(QApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    CopySamplesOnce(folders);

    QtDialogs dialogs(folders.openFolder);
    QSettings settings(QStringLiteral("Tressal"), QStringLiteral("Tressal"));
    TFExtraction FExtraction(dialogs, folders.openFolder, folders.outputRoot, &settings);
    FExtraction.show();
    // "tressal EXPORT", as the desktop's "Ouvrir avec" runs it: once the window is shown.
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(QLatin1Char('-'))) {
            QTimer::singleShot(0, &FExtraction, [&FExtraction, file = arguments[i]] {
                FExtraction.OpenExport(file);
            });
            break;
        }
    const int status = QApplication::exec();
    WaitForConversionJobs(); // a conversion abandoned by a closed window ends first
    return status;
}

} // namespace tressal::app
