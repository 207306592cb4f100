#include "app/eleves_pmb_window.h"

namespace tressal::app {

TFElevesPMB::TFElevesPMB(AppServices& services)
    : ConversionWindow(
          ConversionNamed("eleves-pmb"),
          {QStringLiteral("TFElevesPMB"), QStringLiteral("Sconet vers PMB : élèves"),
           QStringLiteral("ToolBar1"), QStringLiteral("BFerme"), QStringLiteral("Bformat"),
           QStringLiteral("Tressal PMB"), QStringLiteral("BSauve"), QStringLiteral("TreeElvPMB"),
           -1,
           QStringLiteral(
               "Fichier csv (*.csv);;Exports SIECLE (*.xml *.zip);;Tous les fichiers (*)"),
           QStringLiteral("Fichier  texte (*.txt)"), true, true},
          services),
      ToolBar1(toolBar()), BFerme(closeButton()), Bformat(convertButton()), BSauve(saveButton()),
      TreeElvPMB(tree()) {}

} // namespace tressal::app
