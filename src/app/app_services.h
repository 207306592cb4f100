#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <filesystem>

class QSettings;

namespace tressal::app {

// The program's 16 icons, shared by every window; the value is the icon's
// place in the list.
enum class IconId {
    Close = 0,
    Orlane = 1,
    Vesko = 2,
    OrlaneTeachers = 3,
    OrlaneStudents = 4,
    VeskoTeachers = 5,
    VeskoStudents = 6,
    Save = 7,
    Convert = 8,
    About = 9,
    Pmb = 10,
    PmbTeachers = 11,
    PmbStudents = 12,
    Bcdi = 13,
    SingleEstablishment = 14,
    CiteScolaire = 15,
};

inline constexpr int kIconCount = 16;

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

// The folders the program works with, found from the executable's folder, so that a build
// tree, an installed program and an installed tree moved elsewhere all work.
struct ProgramFolders {
    QString samples;    // the sample exports that come with the program
    QString openFolder; // open dialogs start here
    QString outputRoot; // saves go below it
    QString examples;   // the user's copy of the samples; empty when the samples are at hand
};

// Build tree: the samples lie beside the executable; dialogs open there and files are saved
// there when the folder is writable, else below <documents>/Tressal.
// Installed tree (<prefix>/bin beside <prefix>/share/tressal/samples): the program's folder
// belongs to the system, so dialogs open and files are saved in <documents>/Tressal, and the
// samples are copied to <documents>/Tressal/Exemples.
ProgramFolders FindProgramFolders(const QString& exeDir, const QString& documentsDir);

// Copies the samples into `examples` when that folder does not exist yet: the first start of an
// installed program. Never overwrites a file; a copy that fails is left out, the program starts
// without it.
void CopySamplesOnce(const ProgramFolders& folders);

} // namespace tressal::app
