#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// STS teachers of every establishment of a cité scolaire, merged for Orlane; duplicates go to
// Litiges.txt.
class TTFprofsCite : public ConversionWindow {
    Q_OBJECT
public:
    explicit TTFprofsCite(AppServices& services);

    QToolBar* const Barre;
    QToolButton* const BFerme;
    QToolButton* const BExtraire;
    QToolButton* const BSauve;
    QTreeWidget* const TreeAffiche;

    void BFermeClick() { CloseClick(); }
    void BExtraireClick() { ConvertClick(); }
    void BSauveClick() { SaveClick(); }

protected:
    // Offers to open the duplicates file when there are duplicates.
    void AfterSave(const OutputPlan& plan) override;
};

} // namespace tressal::app
