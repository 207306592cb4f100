#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

namespace tressal::app {

// A window of fixed size with only the system menu and the close button.
inline constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

void CentreOnScreen(QWidget* window);

// Where a new window of that frame size goes on the available area: centred,
// shrunk to fit the area, and moved down and right past every open frame it
// would land on, always whole on the area.
QRect PlaceNewWindow(QSize frame, const QRect& available, const QList<QRect>& openFrames);

// Places a new conversion window with PlaceNewWindow among the visible
// windows of the same class, on the primary screen.
void PlaceBesideOpenWindows(QWidget* window);

} // namespace tressal::app
