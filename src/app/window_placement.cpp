#include "app/window_placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace tressal::app {
namespace {

// How far each further window is moved from the one it would hide.
constexpr int kCascadeStep = 32;

bool LandsOn(const QPoint& place, const QList<QRect>& frames) {
    return std::any_of(frames.begin(), frames.end(), [&](const QRect& frame) {
        const QPoint offset = frame.topLeft() - place;
        return std::abs(offset.x()) < kCascadeStep / 2 && std::abs(offset.y()) < kCascadeStep / 2;
    });
}

} // namespace

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

QRect PlaceNewWindow(QSize frame, const QRect& available, const QList<QRect>& openFrames) {
    frame = frame.boundedTo(available.size());
    QRect place(QPoint(), frame);
    place.moveCenter(available.center());
    // Each step moves down and right; past the area's edge the cascade starts
    // again from its top left corner. Bounded, so a crowded screen still ends.
    for (int tries = 0; tries <= openFrames.size() && LandsOn(place.topLeft(), openFrames);
         ++tries) {
        place.translate(kCascadeStep, kCascadeStep);
        if (!available.contains(place))
            place.moveTopLeft(available.topLeft());
    }
    return place;
}

void PlaceBesideOpenWindows(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QList<QRect> open;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && other->metaObject() == window->metaObject())
            open.append(other->frameGeometry());
    // The frame adds the title bar and borders to the window's own size.
    const QSize decoration = window->frameGeometry().size() - window->size();
    const QRect place =
        PlaceNewWindow(window->size() + decoration, screen->availableGeometry(), open);
    window->resize(place.size() - decoration);
    window->move(place.topLeft());
}

} // namespace tressal::app
