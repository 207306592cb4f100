#include "app/profs_cite_window.h"

#include "app/dialogs.h"

#include <QDir>

namespace tressal::app {

TTFprofsCite::TTFprofsCite(AppServices& services)
    : ConversionWindow(
          ConversionNamed("profs-orlane-cite"),
          {QStringLiteral("TFprofsCite"), QStringLiteral("Sconet vers Orlane :  enseignants"),
           QStringLiteral("Barre"), QStringLiteral("BFerme"), QStringLiteral("BExtraire"),
           QStringLiteral("Tressal Orlane"), QStringLiteral("BSauve"),
           QStringLiteral("TreeAffiche"), 3, QStringLiteral(""), QStringLiteral("")},
          services),
      Barre(toolBar()), BFerme(closeButton()), BExtraire(convertButton()), BSauve(saveButton()),
      TreeAffiche(tree()) {}

QString TTFprofsCite::ChoixDossier() {
    const QString folder = services().dialogs->ChooseFolder(
        this, QStringLiteral("Choix du dossier"), services().exeDir);
    if (!folder.isEmpty())
        DossierSTS_ = folder;
    return folder;
}

void TTFprofsCite::AfterSave(const OutputPlan& plan) {
    if (result().duplicates.empty())
        return;
    if (services().dialogs->Confirm(this, QStringLiteral("Confirmation"),
                                    QStringLiteral("Tressal a rencontré des doublons, voulez-vous "
                                                   "consulter le fichier des doublons ?")))
        services().dialogs->ShellOpenFile(
            QDir::toNativeSeparators(
                QDir(services().outputRoot).filePath(QString::fromStdString(plan.duplicatesFile))),
            services().outputRoot);
}

} // namespace tressal::app
