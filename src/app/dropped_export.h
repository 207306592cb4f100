#pragma once

#include <QString>

class QMimeData;

namespace tressal::app {

// What a drag brings: the one local file or folder it holds, or that it holds
// several (to say that one is wanted), or nothing usable.
struct DroppedExport {
    QString path; // empty: none, or several
    bool several = false;
    bool folder = false;
};

DroppedExport ReadDrop(const QMimeData* data);

// The message for a drop of several files.
QString DropOneExportMessage();

} // namespace tressal::app
