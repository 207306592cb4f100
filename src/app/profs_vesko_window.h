#pragma once

#include "app/conversion_window.h"

namespace tressal::app {

// STS teachers to Vesko; the save also writes the fixed copy Vesko reads.
class TTFVesko : public ConversionWindow {
    Q_OBJECT
public:
    explicit TTFVesko(AppServices& services);

    QToolBar* const ToolBar1;
    QToolButton* const BFermeProfsVesko;
    QToolButton* const BExtraitProfsVesko;
    QToolButton* const BSauveProfsVesko;
    QTreeWidget* const TreeProfs;

    void BFermeProfsVeskoClick() { CloseClick(); }
    void BExtraitProfsVeskoClick() { ConvertClick(); }
    void BSauveProfsVeskoClick() { SaveClick(); }
    const TextList& LB() const { return result().lines; }
    QString CodeEtab() const { return QString::fromStdString(result().code); }
};

} // namespace tressal::app
