#pragma once

#include "app/app_services.h"
#include "app/conversion_window.h"
#include "app/main_window.h"
#include "app/window_table.h"
#include "fake_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWidget>
#include <QtTest>

// A fake dialog set, an output root and the settings in a temporary folder,
// and the icons.
struct WindowFixture {
    FakeDialogs dialogs;
    QTemporaryDir temp;
    QList<QIcon> icons = tressal::app::LoadImagesExtract();
    QSettings settings{temp.filePath("tressal.ini"), QSettings::IniFormat};
    tressal::app::AppServices services{&dialogs, temp.path(), temp.path() + "/sortie", &icons,
                                       &settings};

    QString WriteInput(const QString& name, const QByteArray& bytes) const {
        const QString path = QDir(temp.path()).filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QString Output(const QString& relative) const {
        return QDir(services.outputRoot).filePath(relative);
    }
};

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList TreeLines(const QTreeWidget* tree) {
    QStringList lines;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        lines.append(tree->topLevelItem(i)->text(0));
    return lines;
}

// The visible top-level windows of a class, of that object name when one is given.
template <typename Window> QList<Window*> OpenWindows(const QString& objectName = {}) {
    QList<Window*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget);
            window && window->isVisible() &&
            (objectName.isEmpty() || window->objectName() == objectName))
            found.append(window);
    return found;
}

inline const tressal::app::WindowRow& Row(const char* cliName) {
    return *tressal::app::FindWindowRow(cliName);
}

// A new conversion window of that command-line name, shown.
inline tressal::app::ConversionWindow* Open(const char* cliName, WindowFixture& f) {
    auto* window = qobject_cast<tressal::app::ConversionWindow*>(
        tressal::app::CreateConversionWindow(cliName, f.services));
    window->show();
    return window;
}

// Waits until the conversion the window runs, if any, is shown or refused.
inline void WaitForConversion(tressal::app::ConversionWindow* window) {
    QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), 30000);
}

// Clicks the convert button and waits for the conversion it starts.
inline void ConvertAndWait(tressal::app::ConversionWindow* window) {
    window->ConvertClick();
    WaitForConversion(window);
}

// Converts that file or folder and waits for the conversion to be shown or refused.
inline void ConvertAndWait(tressal::app::ConversionWindow* window, const QString& input) {
    window->ConvertInput(input);
    WaitForConversion(window);
}

// The message for a student export whose name is not CODE.csv.
inline const QString kWrongStudentName =
    "Nom de fichier incorrect\nLe nom attendu est le code de l'établissement, sept chiffres et "
    "une lettre, suivi de « .csv » (par exemple 0123456A.csv) ; ou choisissez un export des "
    "élèves de SIECLE (.xml ou .zip).";

// A Sconet header of the given number of fields, Windows-1252, CR LF.
inline QByteArray SconetHeader(int fields = 22) {
    QByteArray header = "NOM";
    for (int i = 2; i <= fields; ++i)
        header += ";C" + QByteArray::number(i);
    return header + "\r\n";
}
