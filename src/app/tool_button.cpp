#include "app/tool_button.h"

#include <QToolBar>
#include <QToolButton>

namespace tressal::app {

QToolButton* AddToolButton(QToolBar* bar, const char* name, const QString& caption,
                           const QIcon& icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromUtf8(name));
    button->setText(caption);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
}

} // namespace tressal::app
