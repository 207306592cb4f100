#pragma once

#include <QIcon>
#include <QString>

class QToolBar;
class QToolButton;

namespace tressal::app {

// A button of a window's tool bar: its object name, caption and icon, the
// caption beside the icon.
QToolButton* AddToolButton(QToolBar* bar, const char* name, const QString& caption,
                           const QIcon& icon);

} // namespace tressal::app
