#include "app/save_questions.h"

#include "app/dialogs.h"

#include <QString>

namespace tressal::app {

SavedResult SaveAskingUser(QWidget* window, AppServices& services, const WindowRow& row,
                           const Conversion& conversion, const Converted& shown) {
    const auto choose = [&](const std::filesystem::path& proposed) {
        return ToPath(services.dialogs->SaveFile(window, FromPath(proposed.parent_path()),
                                                 FromPath(proposed.filename()),
                                                 QString::fromUtf8(row.saveFilter)));
    };
    const auto confirmEmptying = [&](const std::filesystem::path& file) {
        return services.dialogs->ConfirmRisk(
            window, QString::fromStdString(EmptyingText(shown, file)) +
                        QStringLiteral(" Voulez-vous vraiment remplacer ce fichier ?"));
    };
    return SaveResult(conversion, shown, ToPath(services.outputRoot), choose, SystemFiles(),
                      confirmEmptying);
}

void OfferDuplicates(QWidget* window, AppServices& services, const OutputPlan& plan,
                     const Converted& saved) {
    if (plan.duplicatesFile.empty() || saved.duplicates.empty())
        return;
    if (!services.dialogs->Confirm(window, QStringLiteral("Confirmation"),
                                   QStringLiteral("Tressal a rencontré des doublons, voulez-vous "
                                                  "consulter le fichier des doublons ?")))
        return;
    const QString file = FromPath(ToPath(services.outputRoot) / plan.duplicatesFile);
    if (!services.dialogs->ShellOpenFile(file, services.outputRoot))
        services.dialogs->ShowPath(window,
                                   QStringLiteral("Aucun programme de ce bureau n'ouvre les "
                                                  "fichiers texte : ouvrez le fichier des "
                                                  "doublons vous-même, à cet emplacement."),
                                   file);
}

} // namespace tressal::app
