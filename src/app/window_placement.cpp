#include "app/window_placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace tressal::app {
namespace {

// How far each further window is moved from the one it would hide.
constexpr int kCascadeStep = 32;
// Between the main window and a window placed beside it.
constexpr int kGap = 8;
// A window placed below the main window's menu bar keeps at least this height.
constexpr int kLeastHeight = 240;

bool LandsOn(const QPoint& place, const QList<QRect>& frames) {
    return std::any_of(frames.begin(), frames.end(), [&](const QRect& frame) {
        const QPoint offset = frame.topLeft() - place;
        return std::abs(offset.x()) < kCascadeStep / 2 && std::abs(offset.y()) < kCascadeStep / 2;
    });
}

// The first place of the cascade, and the area the cascade stays in.
QRect FirstPlace(QSize frame, QRect& area, const QRect& keepVisible) {
    QRect place(QPoint(), frame);
    if (keepVisible.isNull()) {
        place.moveCenter(area.center());
        return place;
    }
    if (area.right() - keepVisible.right() - kGap >= frame.width()) {
        place.moveTopLeft(QPoint(keepVisible.right() + 1 + kGap, keepVisible.top()));
        area.setLeft(place.left());
    } else if (keepVisible.left() - kGap - area.left() >= frame.width()) {
        place.moveTopRight(QPoint(keepVisible.left() - 1 - kGap, keepVisible.top()));
        area.setRight(place.right());
    } else {
        const int below = std::min(keepVisible.bottom() + 1, area.bottom() + 1 - kLeastHeight);
        area.setTop(std::max(area.top(), below));
        place.moveTopLeft(QPoint(std::max(area.left(), keepVisible.left()), area.top()));
    }
    place.setSize(place.size().boundedTo(area.size()));
    return place;
}

// The frame moved inside the area, which it fits in.
QRect Inside(QRect place, const QRect& area) {
    place.moveLeft(std::clamp(place.left(), area.left(), area.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), area.top(), area.bottom() + 1 - place.height()));
    return place;
}

// What the window system adds around a window: known once a window is shown,
// estimated from the style before.
QSize Decoration(const QWidget* window, const QWidget* shown) {
    const QSize own = window->frameGeometry().size() - window->size();
    if (!own.isEmpty())
        return own;
    if (shown && !(shown->frameGeometry().size() - shown->size()).isEmpty())
        return shown->frameGeometry().size() - shown->size();
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return {2 * border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border};
}

QMainWindow* VisibleMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(widget); main && main->isVisible())
            return main;
    return nullptr;
}

} // namespace

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

QRect PlaceNewWindow(QSize frame, const QRect& available, const QList<QRect>& openFrames,
                     const QRect& keepVisible) {
    QRect area = available;
    const QRect first = FirstPlace(frame.boundedTo(available.size()), area, keepVisible);
    QRect place = first;
    // Each step moves down and right; past the area's edge the cascade starts
    // again from the area's top left corner (its first place beside the main
    // window), half a step further right each round. Bounded, so a crowded
    // screen still ends.
    const QPoint restart = keepVisible.isNull() ? area.topLeft() : first.topLeft();
    int round = keepVisible.isNull() ? 0 : 1;
    for (int tries = 0; tries <= 2 * openFrames.size() && LandsOn(place.topLeft(), openFrames);
         ++tries) {
        place.translate(kCascadeStep, kCascadeStep);
        if (!area.contains(place))
            place.moveTopLeft(restart + QPoint(round++ * kCascadeStep / 2, 0));
    }
    return Inside(place, available);
}

void PlaceBesideOpenWindows(QWidget* window) {
    const QMainWindow* main = VisibleMainWindow();
    const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QList<QRect> open;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && other->metaObject() == window->metaObject())
            open.append(other->frameGeometry());
    QRect keepVisible;
    if (main) {
        keepVisible = main->frameGeometry();
        const QWidget* bar = main->menuBar();
        keepVisible.setBottom(bar->mapToGlobal(QPoint(0, bar->height())).y());
    }
    // The frame adds the title bar and borders to the window's own size.
    const QSize decoration = Decoration(window, main);
    const QRect place =
        PlaceNewWindow(window->size() + decoration, screen->availableGeometry(), open, keepVisible);
    window->resize(place.size() - decoration);
    window->move(place.topLeft());
}

} // namespace tressal::app
