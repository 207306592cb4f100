#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// Sconet students to Vesko; the save also writes the fixed copy Vesko reads.
class TTFVeskoElvV2 : public ConversionWindow {
    Q_OBJECT
public:
    explicit TTFVeskoElvV2(AppServices& services);

    QToolBar* const ToolBar1;
    QToolButton* const BFermeVesko;
    QToolButton* const BFormatVesko;
    QToolButton* const BEnrgVesko;
    QTreeWidget* const TreeElvVesko;

    void BFermeVeskoClick() { CloseClick(); }
    void BFormatVeskoClick() { ConvertClick(); }
    void BEnrgVeskoClick() { SaveClick(); }
    const TextList& LBFin() const { return result().lines; }
};

} // namespace tressal::app
