#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// STS teachers to PMB.
class TTFProfsPMB : public ConversionWindow {
    Q_OBJECT
public:
    explicit TTFProfsPMB(AppServices& services);

    QToolBar* const ToolBar1;
    QToolButton* const Bferme;
    QToolButton* const BformatPMB;
    QToolButton* const BSauvegarde;
    QTreeWidget* const TreeProfsPMB;

    void BfermeClick() { CloseClick(); }
    void BformatPMBClick() { ConvertClick(); }
    void BSauvegardeClick() { SaveClick(); }
    const TextList& LB() const { return result().lines; }
    QString CodeEtab() const { return QString::fromStdString(result().code); }
};

} // namespace tressal::app
