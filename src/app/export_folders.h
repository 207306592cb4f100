#pragma once

#include "app/app_services.h"
#include "app/window_table.h"

namespace tressal::app {

// Where an open dialog for that kind of export starts: the folder where the
// user last found one (kept from one run of the program to the next), else
// the program's folder.
QString StartFolder(const AppServices& services, ExportKind kind);

// Notes where the user found an export of that kind: the file's folder, or
// the folder itself for a folder of exports.
void RememberExport(const AppServices& services, ExportKind kind, const QString& path);

} // namespace tressal::app
