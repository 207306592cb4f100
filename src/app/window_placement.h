#pragma once

#include <QWidget>

namespace tressal::app {

// A window of fixed size with only the system menu and the close button.
inline constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

void CentreOnScreen(QWidget* window);

} // namespace tressal::app
