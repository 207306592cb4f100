#pragma once

#include "app/app_services.h"

#include <QWidget>

class QLabel;
class QToolBar;
class QToolButton;

namespace tressal::app {

// The credits of the program.
class TTFAPP : public QWidget {
    Q_OBJECT
public:
    explicit TTFAPP(const AppServices& services);

    QToolBar* const ToolBar1;
    QToolButton* const Bferme;
    QLabel* const Image1;

    void BfermeClick() { close(); }

protected:
    void keyPressEvent(QKeyEvent* event) override; // Escape closes it
};

} // namespace tressal::app
