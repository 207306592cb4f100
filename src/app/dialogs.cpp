#include "app/dialogs.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

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

// Escape answers No.
bool AskYesNo(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
              bool noByDefault) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(noByDefault ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

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

bool QtDialogs::Confirm(QWidget* parent, const QString& title, const QString& text,
                        bool noByDefault) {
    return AskYesNo(parent, QMessageBox::Question, title, text, noByDefault);
}

bool QtDialogs::ConfirmRisk(QWidget* parent, const QString& text) {
    return AskYesNo(parent, QMessageBox::Warning, QStringLiteral("Tressal"), text, true);
}

bool QtDialogs::ShellOpenFile(const QString& file, const QString& /*workingFolder*/) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void QtDialogs::ShowPath(QWidget* parent, const QString& text, const QString& path) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tressal"), text, QMessageBox::Ok,
                    parent);
    box.setInformativeText(path);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* copy = box.addButton(QStringLiteral("Copier le chemin"), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == copy)
        QGuiApplication::clipboard()->setText(path);
}

int QtDialogs::ChooseConversion(QWidget* parent, const QString& fileName,
                                const QList<ConversionChoice>& choices, int proposed) {
    ConversionChooser chooser(parent, fileName, choices, proposed);
    return chooser.exec() == QDialog::Accepted ? chooser.chosen() : -1;
}

ConversionChooser::ConversionChooser(QWidget* parent, const QString& fileName,
                                     const QList<ConversionChoice>& choices, int proposed)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ChoixConversion"));
    setWindowTitle(QStringLiteral("Tressal : ouvrir un export"));
    auto* question = new QLabel(
        QStringLiteral("Quelle conversion voulez-vous faire de « %1 » ?").arg(fileName), this);
    question->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Conversions"));
    list_->setIconSize(QSize(16, 16));
    for (const ConversionChoice& choice : choices)
        new QListWidgetItem(choice.icon, choice.caption, list_);
    list_->setCurrentRow(proposed >= 0 && proposed < list_->count() ? proposed : 0);
    const int rows = static_cast<int>(choices.size());
    list_->setFixedHeight(rows * (list_->sizeHintForRow(0) + 2) + 2 * list_->frameWidth() + 4);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Convertir"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(380, sizeHint().height());
    list_->setFocus();
}

int ConversionChooser::chosen() const {
    return list_->currentRow();
}

} // namespace tressal::app
