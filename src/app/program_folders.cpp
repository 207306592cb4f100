#include "app/program_folders.h"

#include "app/app_services.h"

#include <QDir>
#include <QFileInfo>

namespace tressal::app {
namespace {

// Where the installed samples lie, seen from the installed executable's folder.
const char* const kInstalledSamples = "../share/tressal/samples";

QString Native(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

} // namespace

ProgramFolders FindProgramFolders(const QString& exeDir, const QString& documentsDir) {
    const QString installedSamples = QDir(exeDir).filePath(QLatin1String(kInstalledSamples));
    if (!QFileInfo(installedSamples).isDir())
        return {Native(exeDir), Native(exeDir), OutputRootFor(exeDir, documentsDir), QString()};
    const QString userFolder = QDir(documentsDir).filePath(QStringLiteral("Tressal"));
    return {Native(installedSamples), Native(userFolder), Native(userFolder),
            Native(QDir(userFolder).filePath(QStringLiteral("Exemples")))};
}

void CopySamplesOnce(const ProgramFolders& folders) {
    if (folders.examples.isEmpty() || QFileInfo::exists(folders.examples) ||
        !QDir().mkpath(folders.examples))
        return;
    const QDir samples(folders.samples);
    const QDir examples(folders.examples);
    for (const QString& name : samples.entryList(QDir::Files))
        QFile::copy(samples.filePath(name), examples.filePath(name));
}

} // namespace tressal::app
