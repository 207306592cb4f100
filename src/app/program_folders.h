#pragma once

#include <QString>

namespace tressal::app {

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
