#pragma once

#include "app/app_services.h"

#include <string>

class QWidget;

namespace tressal::app {

// A new window for the conversion of that command-line name, or nullptr when
// the program has no window for it.
QWidget* CreateConversionWindow(const std::string& cliName, AppServices& services);

} // namespace tressal::app
