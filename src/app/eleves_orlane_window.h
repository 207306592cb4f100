#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// Sconet students to Orlane.
class TTFEleves : public ConversionWindow {
    Q_OBJECT
public:
    explicit TTFEleves(AppServices& services);

    QToolBar* const MenuEleves;
    QToolButton* const BfermeElv;
    QToolButton* const BFormatOrlane;
    QToolButton* const BEnregistre;
    QTreeWidget* const TreeElvOrlane;

    void BfermeElvClick() { CloseClick(); }
    void BFormatOrlaneClick() { ConvertClick(); }
    void BEnregistreClick() { SaveClick(); }
    const TextList& LBFin() const { return result().lines; }
};

} // namespace tressal::app
