#include "app/profs_pmb_window.h"

namespace tressal::app {

TTFProfsPMB::TTFProfsPMB(AppServices& services)
    : ConversionWindow(
          ConversionNamed("profs-pmb"),
          {QStringLiteral("TFProfsPMB"), QStringLiteral("Sconet vers PMB : enseignants"),
           QStringLiteral("ToolBar1"), QStringLiteral("Bferme"), QStringLiteral("BformatPMB"),
           QStringLiteral("Tressal PMB"), QStringLiteral("BSauvegarde"),
           QStringLiteral("TreeProfsPMB"), -1, QStringLiteral("Fichier XML (*.xml *.zip)"),
           QStringLiteral("Fichier texte (*.txt)")},
          services),
      ToolBar1(toolBar()), Bferme(closeButton()), BformatPMB(convertButton()),
      BSauvegarde(saveButton()), TreeProfsPMB(tree()) {}

} // namespace tressal::app
