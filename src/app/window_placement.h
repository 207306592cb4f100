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

// Where a new window of that frame size goes on the available area, always whole on it, moved
// down and right past every open frame it would land on. Without `keepVisible` it starts
// centred; with it (the main window's frame down to its menu bar) it starts beside that frame
// when the area has room, else just below it, so that the menu bar stays in sight.
QRect PlaceNewWindow(QSize frame, const QRect& available, const QList<QRect>& openFrames,
                     const QRect& keepVisible = {});

// Places a new conversion window with PlaceNewWindow among the visible
// windows of the same class, clear of the main window's menu bar, on the
// main window's screen (the primary one without it).
void PlaceBesideOpenWindows(QWidget* window);

} // namespace tressal::app
