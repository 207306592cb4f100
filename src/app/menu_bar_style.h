#pragma once

#include <QProxyStyle>

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
