#pragma once

#include <QObject>
#include <QProxyStyle>
#include <QRect>
#include <QString>
#include <QVector>

namespace tressal::app {

// Draws each menu bar entry with its icon before its caption (Qt's styles
// draw either the icon or the caption).
class MenuBarStyle : public QProxyStyle {
public:
    explicit MenuBarStyle(const QString& baseStyle);
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
};

} // namespace tressal::app

class QLabel;
class QMenu;

namespace tressal::app {

// Areas of a picture that open a menu: over each, a hand cursor and a
// tooltip; a click opens the menu below the area.
class PictureMenus : public QObject {
    Q_OBJECT
public:
    explicit PictureMenus(QLabel* picture);

    void Add(const QRect& area, QMenu* menu, const QString& tooltip);
    // The area's centre, in the picture's coordinates, of that menu's area.
    QPoint CentreOf(const QMenu* menu) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Area {
        QRect rect;
        QMenu* menu;
        QString tooltip;
    };
    const Area* AreaAt(const QPoint& point) const;

    QLabel* picture_;
    QVector<Area> areas_;
};

} // namespace tressal::app
