#include "app/picture_menus.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

namespace tressal::app {

PictureMenus::PictureMenus(QLabel* picture) : QObject(picture), picture_(picture) {
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
}

void PictureMenus::Add(const QRect& area, QMenu* menu, const QString& tooltip) {
    areas_.append({area, menu, tooltip});
}

QPoint PictureMenus::CentreOf(const QMenu* menu) const {
    for (const Area& area : areas_)
        if (area.menu == menu)
            return area.rect.center();
    return {};
}

const PictureMenus::Area* PictureMenus::AreaAt(const QPoint& point) const {
    for (const Area& area : areas_)
        if (area.rect.contains(point))
            return &area;
    return nullptr;
}

bool PictureMenus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picture_)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (AreaAt(move->position().toPoint()))
            picture_->setCursor(Qt::PointingHandCursor);
        else
            picture_->unsetCursor();
        return false;
    }
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const Area* area = AreaAt(help->pos()))
            QToolTip::showText(help->globalPos(), area->tooltip, picture_, area->rect);
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        const Area* area = AreaAt(press->position().toPoint());
        if (!area || press->button() != Qt::LeftButton)
            return false;
        area->menu->popup(picture_->mapToGlobal(area->rect.bottomLeft() + QPoint(0, 1)));
        return true;
    }
    default:
        return false;
    }
}

} // namespace tressal::app
