#include "app/profs_vesko_window.h"

namespace tressal::app {

TTFVesko::TTFVesko(AppServices& services)
    : ConversionWindow(
          ConversionNamed("profs-vesko"),
          {QStringLiteral("TFVesko"), QStringLiteral(" Sconet vers Vesko : enseignants"),
           QStringLiteral("ToolBar1"), QStringLiteral("BFermeProfsVesko"),
           QStringLiteral("BExtraitProfsVesko"), QStringLiteral("Tressal Vesko"),
           QStringLiteral("BSauveProfsVesko"), QStringLiteral("TreeProfs"), 5,
           QStringLiteral("Fichier xml (*.xml *.zip)"), QStringLiteral("Fichiers textes (*.txt)")},
          services),
      ToolBar1(toolBar()), BFermeProfsVesko(closeButton()), BExtraitProfsVesko(convertButton()),
      BSauveProfsVesko(saveButton()), TreeProfs(tree()) {}

} // namespace tressal::app
