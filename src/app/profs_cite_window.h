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
    const TextList& LB() const { return result().lines; }
    const TextList& LBRab() const { return result().duplicates; }
    // The folder chosen last in this window; empty before any choice.
    const QString& DossierSTS() const { return DossierSTS_; }
    // The folder-browse dialog; empty when cancelled.
    QString ChoixDossier();

protected:
    QString ChooseInput() override { return ChoixDossier(); }
    // Offers to open the duplicates file when there are duplicates.
    void AfterSave(const OutputPlan& plan) override;

private:
    QString DossierSTS_;
};

} // namespace tressal::app
