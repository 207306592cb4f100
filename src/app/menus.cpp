#include "app/menus.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QToolTip>
#include <algorithm>

namespace tressal::app {
namespace {

constexpr int kIconSize = 16;
constexpr int kGap = 4;

int textWidth(const QStyleOptionMenuItem* item) {
    return item->fontMetrics.horizontalAdvance(QString(item->text).remove(QLatin1Char('&')));
}

} // namespace

MenuBarStyle::MenuBarStyle(const QString& baseStyle)
    : QProxyStyle(QStyleFactory::create(baseStyle)) {}

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuBarItem || !item || item->icon.isNull()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The base style draws the background; the icon and the caption follow.
    QStyleOptionMenuItem background = *item;
    background.icon = QIcon();
    background.text.clear();
    QProxyStyle::drawControl(element, &background, painter, widget);

    const QRect full = item->rect;
    const bool enabled = item->state & State_Enabled;
    // Styles differ in what they paint under an entry: some highlight it only
    // while its menu is open, some never. The entry's own background is painted
    // here, so the caption's colour always matches what is under it.
    const bool hovered = item->state & State_Selected;
    const bool open = hovered && (item->state & State_Sunken);
    if (enabled && hovered) {
        QColor fill = item->palette.color(QPalette::Highlight);
        if (!open)
            fill.setAlpha(48); // a tint under the mouse or the keyboard focus
        painter->fillRect(full, item->palette.window());
        painter->fillRect(full, fill);
    }
    const QPixmap pixmap =
        item->icon.pixmap(QSize(kIconSize, kIconSize), enabled ? QIcon::Normal : QIcon::Disabled);
    const int left = full.left() + (full.width() - textWidth(item) - kIconSize - kGap) / 2;
    painter->drawPixmap(left, full.top() + (full.height() - kIconSize) / 2, pixmap);
    const QRect textRect(left + kIconSize + kGap, full.top(), full.right() - left, full.height());
    proxy()->drawItemText(
        painter, textRect,
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, item->palette,
        enabled, item->text, enabled && open ? QPalette::HighlightedText : QPalette::ButtonText);
}

QSize MenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    // The menu bar sizes an entry with an icon by the icon alone: make room for
    // the caption too.
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuBarItem || !item || item->icon.isNull())
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const QSize contents(textWidth(item) + kIconSize + kGap,
                         std::max(size.height(), item->fontMetrics.height()));
    return QProxyStyle::sizeFromContents(type, option, contents, widget);
}

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
