#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// STS teachers of one establishment to Orlane.
class TTFprofs : public ConversionWindow {
    Q_OBJECT
public:
    explicit TTFprofs(AppServices& services);

    QToolBar* const Barre;
    QToolButton* const BFerme;
    QToolButton* const BExtraire;
    QToolButton* const BSauve;
    QTreeWidget* const TreeAffiche;

    void BFermeClick() { CloseClick(); }
    void BExtraireClick() { ConvertClick(); }
    void BSauveClick() { SaveClick(); }
    const TextList& LB() const { return result().lines; }
    QString CodeEtab() const { return QString::fromStdString(result().code); }
};

} // namespace tressal::app
