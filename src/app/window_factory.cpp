#include "app/window_factory.h"

#include "app/conversion_window.h"
#include "app/window_table.h"

namespace tressal::app {

QWidget* CreateConversionWindow(const std::string& cliName, AppServices& services) {
    const WindowRow* row = FindWindowRow(cliName);
    return row ? new ConversionWindow(*row, services) : nullptr;
}

} // namespace tressal::app
