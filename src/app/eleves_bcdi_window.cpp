#include "app/eleves_bcdi_window.h"

namespace tressal::app {

TFElevesBCDI::TFElevesBCDI(AppServices& services)
    : ConversionWindow(
          ConversionNamed("eleves-bcdi"),
          {QStringLiteral("TFElevesBCDI"), QStringLiteral("Sconet vers BCDI  : élèves"),
           QStringLiteral("ToolBar1"), QStringLiteral("BFerme"), QStringLiteral("Bformat"),
           QStringLiteral("Tressal BCDI"), QStringLiteral("BSauve"), QStringLiteral("TreeElvPMB"),
           -1,
           QStringLiteral(
               "Fichier csv (*.csv);;Exports SIECLE (*.xml *.zip);;Tous les fichiers (*)"),
           QStringLiteral("Fichier  texte (*.txt)"), true, true},
          services),
      ToolBar1(toolBar()), BFerme(closeButton()), Bformat(convertButton()), BSauve(saveButton()),
      TreeElvPMB(tree()) {}

} // namespace tressal::app
