#include "app/export_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tressal::app {
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

} // namespace tressal::app
