#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// Sconet students to PMB.
class TFElevesPMB : public ConversionWindow {
    Q_OBJECT
public:
    explicit TFElevesPMB(AppServices& services);

    QToolBar* const ToolBar1;
    QToolButton* const BFerme;
    QToolButton* const Bformat;
    QToolButton* const BSauve;
    QTreeWidget* const TreeElvPMB;

    void BFermeClick() { CloseClick(); }
    void BformatClick() { ConvertClick(); }
    void BSauveClick() { SaveClick(); }
    const TextList& LBFin() const { return result().lines; }
};

} // namespace tressal::app
