#include "app/profs_orlane_window.h"

namespace tressal::app {

TTFprofs::TTFprofs(AppServices& services)
    : ConversionWindow(ConversionNamed("profs-orlane"),
                       {QStringLiteral("TFprofs"),
                        QStringLiteral("Sconet vers Orlane :  enseignants"),
                        QStringLiteral("Barre"), QStringLiteral("BFerme"),
                        QStringLiteral("BExtraire"), QStringLiteral("Tressal Orlane"),
                        QStringLiteral("BSauve"), QStringLiteral("TreeAffiche"), 3,
                        QStringLiteral("Fichier XML (*.xml *.zip)"), QStringLiteral("")},
                       services),
      Barre(toolBar()), BFerme(closeButton()), BExtraire(convertButton()), BSauve(saveButton()),
      TreeAffiche(tree()) {}

} // namespace tressal::app
