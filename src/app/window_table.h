#pragma once

#include "app/app_services.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tressal::app {

// Which kind of export a window reads; each kind remembers the folder where
// the user last found one.
enum class ExportKind { Students, Staff, StaffFolder };

// Place of a conversion in the main window's menu.
struct MenuPlace {
    const char* parent;   // object name of the submenu holding the item
    const char* itemName; // object name of the item
    const char* caption;
    IconId icon;
};

// Everything that sets one conversion window apart from the others. Texts are
// UTF-8; names are the object names the windows and their widgets carry.
struct WindowRow {
    const char* cliName; // the conversion's command-line name
    MenuPlace menu;
    const char* objectName;
    const char* caption;
    const char* toolBarName;
    const char* closeName;
    const char* convertName;
    const char* convertCaption;
    const char* saveName;
    const char* treeName;
    std::optional<IconId> lineIcon; // none: the preview shows no icon
    ExportKind input;
    const char* openFilter;
    const char* saveFilter;
    const char* hint;           // shown in the empty preview
    bool scrollToLast = true;   // the preview ends showing the last line
    bool editableLines = false; // lines may be touched up before saving
};

// Every conversion window, in menu order.
const std::vector<WindowRow>& WindowRows();

// The row of that command-line name, or nullptr.
const WindowRow* FindWindowRow(std::string_view cliName);

} // namespace tressal::app
