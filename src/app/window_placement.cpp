#include "app/window_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace tressal::app {

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

} // namespace tressal::app
