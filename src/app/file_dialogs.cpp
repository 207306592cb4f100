#include "app/file_dialogs.h"

#include "app/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QString>
#include <QUrl>

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

namespace {

QString Key(ExportKind kind) {
    switch (kind) {
    case ExportKind::Students:
        return QStringLiteral("dossiers/eleves");
    case ExportKind::Staff:
        return QStringLiteral("dossiers/sts");
    case ExportKind::StaffFolder:
        return QStringLiteral("dossiers/cite");
    }
    return {};
}

} // namespace

QString StartFolder(const AppServices& services, ExportKind kind) {
    if (services.settings) {
        const QString folder = services.settings->value(Key(kind)).toString();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return services.exeDir;
}

void RememberExport(const AppServices& services, ExportKind kind, const QString& path) {
    if (!services.settings || path.isEmpty())
        return;
    const QFileInfo info(path);
    const QString folder =
        kind == ExportKind::StaffFolder ? info.absoluteFilePath() : info.absolutePath();
    services.settings->setValue(Key(kind), QDir::toNativeSeparators(folder));
}

DroppedExport ReadDrop(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls)
        if (!url.isLocalFile())
            return {};
    if (urls.size() > 1)
        return {{}, true, false};
    if (urls.isEmpty())
        return {};
    const QFileInfo info(urls.constFirst().toLocalFile());
    if (!info.isDir() && !info.isFile())
        return {};
    return {info.filePath(), false, info.isDir()};
}

QString DropOneExportMessage() {
    return QStringLiteral("Déposez un seul export");
}

} // namespace tressal::app
