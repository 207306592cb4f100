#pragma once

#include "app/icons.h"

#include <QIcon>
#include <QList>
#include <QString>

#include <filesystem>

class QSettings;

namespace tressal::app {

class Dialogs;

// What every window finds on its own: the dialogs, the program's folder, the
// output root and the shared icon list of the main window.
struct AppServices {
    Dialogs* dialogs = nullptr;
    QString exeDir;     // open dialogs start here (installed: <documents>/Tressal)
    QString outputRoot; // saves go below it
    const QList<QIcon>* icons = nullptr;
    QSettings* settings = nullptr; // remembers the export folders; none: nothing is kept

    QIcon Icon(IconId id) const;
};

// The program's folder when it is writable, else the user's documents + "/Tressal".
QString OutputRootFor(const QString& exeDir, const QString& documentsDir);

// Registers the program's pictures and icons (once).
void EnsureResources();

// The program's icons, in IconId order.
QList<QIcon> LoadImagesExtract();

std::filesystem::path ToPath(const QString& text);
QString FromPath(const std::filesystem::path& path);

} // namespace tressal::app
