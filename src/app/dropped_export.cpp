#include "app/dropped_export.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace tressal::app {

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
