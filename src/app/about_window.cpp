#include "app/about_window.h"

#include "app/widgets.h"
#include "app/window_placement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tressal::app {

TTFAPP::TTFAPP(const AppServices& services)
    : QWidget(nullptr, kFixedWindowFlags), ToolBar1(new QToolBar(this)),
      Bferme(AddToolButton(ToolBar1, "Bferme", QStringLiteral("Fermer"),
                           services.Icon(IconId::Close))),
      Image1(new QLabel(this)) {
    EnsureResources();
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("TFAPP"));
    setWindowTitle(QStringLiteral("Tressal : A propos."));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(16, 16));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/credits.jpg")));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Image1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(Bferme, &QToolButton::clicked, this, &TTFAPP::BfermeClick);
    adjustSize();
    CentreOnScreen(this);
}

void TTFAPP::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        BfermeClick();
    else
        QWidget::keyPressEvent(event);
}

} // namespace tressal::app
