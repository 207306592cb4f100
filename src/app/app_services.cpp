#include "app/app_services.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

// The pictures and icons are compiled into a static library: register them.
static void RegisterTressalResources() {
    Q_INIT_RESOURCE(tressal);
}

namespace tressal::app {

void EnsureResources() {
    static const bool registered = (RegisterTressalResources(), true);
    (void)registered;
}

QIcon AppServices::Icon(IconId id) const {
    const auto index = static_cast<int>(id);
    return icons && index < icons->size() ? icons->at(index) : QIcon();
}

// Windows grants writing through access lists, which QFileInfo::isWritable() does not read
// (a folder under "Program Files" looks writable): create a file to know.
static bool AcceptsNewFiles(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("tressal-XXXXXX.tmp")));
    return probe.open();
}

QString OutputRootFor(const QString& exeDir, const QString& documentsDir) {
    if (AcceptsNewFiles(exeDir))
        return QDir::toNativeSeparators(exeDir);
    return QDir::toNativeSeparators(QDir(documentsDir).filePath(QStringLiteral("Tressal")));
}

QList<QIcon> LoadImagesExtract() {
    EnsureResources();
    QList<QIcon> icons;
    for (int i = 0; i < kIconCount; ++i)
        icons.append(QIcon(QStringLiteral(":/icons/%1.png").arg(i, 2, 10, QLatin1Char('0'))));
    return icons;
}

std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

QString FromPath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

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
