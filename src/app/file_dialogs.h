#pragma once

#include "app/app_services.h"
#include "app/window_table.h"
#include "conversions/save_result.h"

#include <QString>

class QWidget;

namespace tressal::app {

// Saves what a conversion window shows through SaveResult, asking the user
// for the file to write (the save dialog, at the proposed one) and, before a
// file that lists people would be emptied, whether to go on (No by default).
// No file in the result: the user cancelled.
SavedResult SaveAskingUser(QWidget* window, AppServices& services, const WindowRow& row,
                           const Conversion& conversion, const Converted& shown);

// After a save whose result has duplicates, offers to open the duplicates
// file; when the desktop has no program for it, shows where it is.
void OfferDuplicates(QWidget* window, AppServices& services, const OutputPlan& plan,
                     const Converted& saved);

// Where an open dialog for that kind of export starts: the folder where the
// user last found one (kept from one run of the program to the next), else
// the program's folder.
QString StartFolder(const AppServices& services, ExportKind kind);

// Notes where the user found an export of that kind: the file's folder, or
// the folder itself for a folder of exports.
void RememberExport(const AppServices& services, ExportKind kind, const QString& path);

} // namespace tressal::app

class QMimeData;

namespace tressal::app {

// What a drag brings: the one local file or folder it holds, or that it holds
// several (to say that one is wanted), or nothing usable.
struct DroppedExport {
    QString path; // empty: none, or several
    bool several = false;
    bool folder = false;
};

DroppedExport ReadDrop(const QMimeData* data);

// The message for a drop of several files.
QString DropOneExportMessage();

} // namespace tressal::app
