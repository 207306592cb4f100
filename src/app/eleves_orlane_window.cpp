#include "app/eleves_orlane_window.h"

namespace tressal::app {

TTFEleves::TTFEleves(AppServices& services)
    : ConversionWindow(
          ConversionNamed("eleves-orlane"),
          {QStringLiteral("TFEleves"), QStringLiteral(" Sconet vers Orlane : élèves "),
           QStringLiteral("MenuEleves"), QStringLiteral("BfermeElv"),
           QStringLiteral("BFormatOrlane"), QStringLiteral("Tressal Orlane"),
           QStringLiteral("BEnregistre"), QStringLiteral("TreeElvOrlane"), 4,
           QStringLiteral(
               "Fichier csv (*.csv);;Exports SIECLE (*.xml *.zip);;Tous les fichiers (*)"),
           QStringLiteral("Fichier  texte (*.txt)")},
          services),
      MenuEleves(toolBar()), BfermeElv(closeButton()), BFormatOrlane(convertButton()),
      BEnregistre(saveButton()), TreeElvOrlane(tree()) {}

} // namespace tressal::app
