#include "app/dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace tressal::app {
namespace {

// Qt's own dialogs look and behave the same on every desktop, and speak French
// once the program's translator is installed.
constexpr QFileDialog::Options kOptions = QFileDialog::DontUseNativeDialog;

} // namespace

QString QtDialogs::OpenFile(QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter, nullptr, kOptions);
}

QString QtDialogs::SaveFile(QWidget* parent, const QString& folder, const QString& proposedName,
                            const QString& filter) {
    // Saving replaces an existing file without a question, as the targets expect.
    return QFileDialog::getSaveFileName(parent, QString(), QDir(folder).filePath(proposedName),
                                        filter, nullptr,
                                        kOptions | QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::ChooseFolder(QWidget* parent, const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent, title, startFolder,
                                             kOptions | QFileDialog::ShowDirsOnly);
}

void QtDialogs::Inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Tressal"), text);
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
