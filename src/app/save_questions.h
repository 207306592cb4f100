#pragma once

#include "app/app_services.h"
#include "app/window_table.h"
#include "conversions/save_result.h"

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

} // namespace tressal::app
