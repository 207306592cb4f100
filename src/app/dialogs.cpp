#include "app/dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace tressal::app {
namespace {

// Saving replaces an existing file without a question, as the targets expect.
#ifdef Q_OS_WIN
// Windows' own dialogs: the places its users know in its side panel, named in their language
// (Bureau, Documents, Téléchargements, their network drives).
constexpr QFileDialog::Options kOptions = QFileDialog::DontConfirmOverwrite;
#else
// Qt's own dialogs look and behave the same on every desktop, and speak French
// once the program's translator is installed.
constexpr QFileDialog::Options kOptions =
    QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite;
#endif

} // namespace

QString QtDialogs::Run(QWidget* parent, QFileDialog::FileMode mode, QFileDialog::AcceptMode accept,
                       const QString& title, const QString& start, const QString& filter) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setOptions(mode == QFileDialog::Directory ? kOptions | QFileDialog::ShowDirsOnly
                                                     : kOptions);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(accept);
    QList<QUrl> places;
    for (const auto location : {QStandardPaths::DesktopLocation, QStandardPaths::DocumentsLocation,
                                QStandardPaths::DownloadLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QDir(folder).exists())
            places.append(QUrl::fromLocalFile(folder));
    }
    places.append(QUrl::fromLocalFile(programFolder_));
    dialog.setSidebarUrls(places);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

QString QtDialogs::OpenFile(QWidget* parent, const QString& folder, const QString& filter) {
    return Run(parent, QFileDialog::ExistingFile, QFileDialog::AcceptOpen, QString(), folder,
               filter);
}

QString QtDialogs::SaveFile(QWidget* parent, const QString& folder, const QString& proposedName,
                            const QString& filter) {
    return Run(parent, QFileDialog::AnyFile, QFileDialog::AcceptSave, QString(),
               QDir(folder).filePath(proposedName), filter);
}

QString QtDialogs::ChooseFolder(QWidget* parent, const QString& title, const QString& startFolder) {
    return Run(parent, QFileDialog::Directory, QFileDialog::AcceptOpen, title, startFolder, {});
}

void QtDialogs::Inform(QWidget* parent, const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tressal"), text, QMessageBox::Ok,
                    parent);
    box.setInformativeText(details);
    box.exec();
}

void QtDialogs::Warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Tressal"), text);
}

bool QtDialogs::Confirm(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

void QtDialogs::ShellOpenFile(const QString& file, const QString& /*workingFolder*/) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace tressal::app
