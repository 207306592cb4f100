#include "app/eleves_vesko_window.h"

namespace tressal::app {

TTFVeskoElvV2::TTFVeskoElvV2(AppServices& services)
    : ConversionWindow(
          ConversionNamed("eleves-vesko"),
          {QStringLiteral("TFVeskoElvV2"), QStringLiteral("Sconet vers Vesko : élèves"),
           QStringLiteral("ToolBar1"), QStringLiteral("BFermeVesko"),
           QStringLiteral("BFormatVesko"), QStringLiteral("Tressal Vesko"),
           QStringLiteral("BEnrgVesko"), QStringLiteral("TreeElvVesko"), 6,
           QStringLiteral(
               "Fichier csv (*.Csv);;Exports SIECLE (*.xml *.zip);;Tous les fichiers (*)"),
           QStringLiteral("Fichier texte (*.txt)"), false},
          services),
      ToolBar1(toolBar()), BFermeVesko(closeButton()), BFormatVesko(convertButton()),
      BEnrgVesko(saveButton()), TreeElvVesko(tree()) {}

} // namespace tressal::app
