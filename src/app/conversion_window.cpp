#include "app/conversion_window.h"

#include "app/dialogs.h"
#include "app/export_folders.h"
#include "app/history_bar.h"
#include "app/preview_tree.h"
#include "app/report_panel.h"
#include "app/window_placement.h"
#include "conversions/file_comparison.h"
#include "conversions/save_result.h"
#include "text/cp1252.h"
#include "text/error.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>
#include <stdexcept>

namespace tressal::app {
namespace {

QToolButton* AddButton(QToolBar* bar, const char* name, const QString& caption, const QIcon& icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromUtf8(name));
    button->setText(caption);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
}

const Conversion& ConversionOf(const WindowRow& row) {
    const Conversion* conversion = FindConversion(row.cliName);
    if (!conversion)
        throw std::logic_error(std::string("unknown conversion ") + row.cliName);
    return *conversion;
}

} // namespace

ConversionWindow::ConversionWindow(const WindowRow& row, AppServices& services)
    : QWidget(nullptr, Qt::Window), row_(row), conversion_(ConversionOf(row)), services_(services) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setObjectName(QString::fromUtf8(row.objectName));
    setWindowTitle(QString::fromUtf8(row.caption));

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QString::fromUtf8(row.toolBarName));
    toolBar_->setIconSize(QSize(16, 16));
    close_ =
        AddButton(toolBar_, row.closeName, QStringLiteral("Fermer"), services.Icon(IconId::Close));
    convert_ = AddButton(toolBar_, row.convertName, QString::fromUtf8(row.convertCaption),
                         services.Icon(IconId::Convert));
    save_ = AddButton(toolBar_, row.saveName, QStringLiteral("Sauvegarder"),
                      services.Icon(IconId::Save));
    save_->setEnabled(false);

    tree_ = MakePreviewTree(this);
    tree_->setObjectName(QString::fromUtf8(row.treeName));
    hint_ = AddHint(tree_, QString::fromUtf8(row.hint));
    report_ = new ReportPanel(this);
    report_->hide();
    history_ = new HistoryBar(this, services);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(tree_, 1);
    layout->addWidget(report_);
    layout->addWidget(history_);
    // The details, once shown, share the height with the preview.
    connect(report_->detailsButton(), &QToolButton::toggled, this,
            [this, layout](bool shown) { layout->setStretchFactor(report_, shown ? 1 : 0); });
    resize(640, 420);
    PlaceBesideOpenWindows(this);

    connect(close_, &QToolButton::clicked, this, &ConversionWindow::CloseClick);
    connect(convert_, &QToolButton::clicked, this, &ConversionWindow::ConvertClick);
    connect(save_, &QToolButton::clicked, this, &ConversionWindow::SaveClick);
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        RefuseUnwritable(item);
        if (state_ == State::Converted)
            ShowReport();
    });
}

void ConversionWindow::RefuseUnwritable(QTreeWidgetItem* item) {
    const std::string character = FirstUnwritable(item->text(0).toStdString());
    const auto row = static_cast<std::size_t>(tree_->indexOfTopLevelItem(item));
    if (character.empty() || row >= result_.lines.size())
        return;
    const QSignalBlocker quiet(tree_);
    item->setText(0, QString::fromStdString(Cp1252ToUtf8(result_.lines[row])));
    services_.dialogs->Warn(
        this, QString::fromStdString("Le caractère « " + character +
                                     " » ne peut pas être écrit dans le fichier (Windows-1252) : "
                                     "la modification est annulée. Retapez-la sans ce caractère, "
                                     "par exemple avec une lettre sans accent."));
}

void ConversionWindow::RunAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        services_.dialogs->Warn(this, QString::fromUtf8(UserMessage(error)));
    }
}

void ConversionWindow::CloseClick() {
    close();
}

void ConversionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Space on a fresh window starts a conversion; it never closes it.
    if (state_ == State::Fresh)
        convert_->setFocus();
}

void ConversionWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString ConversionWindow::ChooseInput() {
    const QString start = StartFolder(services_, row_.input);
    if (row_.input == ExportKind::StaffFolder)
        return services_.dialogs->ChooseFolder(this, QStringLiteral("Choix du dossier"), start);
    return services_.dialogs->OpenFile(this, start, QString::fromUtf8(row_.openFilter));
}

void ConversionWindow::ConvertClick() {
    if (state_ != State::Fresh)
        return;
    ConvertInput(ChooseInput());
}

void ConversionWindow::ConvertInput(const QString& input) {
    if (state_ != State::Fresh || input.isEmpty())
        return;
    input_ = input;
    RememberExport(services_, row_.input, input);
    RunAction([this] {
        // The duplicates file follows the inputs as they are read.
        const auto progress = [this](const Converted& sofar) {
            SaveDuplicates(conversion_, sofar, ToPath(services_.outputRoot));
            Show(sofar);
            repaint();
        };
        Converted result = conversion_.convert(ToPath(input_), {progress, LocalToday()});
        // Against the proposed file: one chosen later in the save dialog is not compared.
        CompareWithProposedFile(conversion_, result, ToPath(services_.outputRoot));
        Show(result);
    });
}

QString ConversionWindow::DroppedInput(const QMimeData* data) const {
    if (state_ != State::Fresh || !data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QFileInfo info(url.toLocalFile());
    const bool wantsFolder = row_.input == ExportKind::StaffFolder;
    return (wantsFolder ? info.isDir() : info.isFile()) ? info.filePath() : QString();
}

void ConversionWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedInput(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void ConversionWindow::dropEvent(QDropEvent* event) {
    const QString input = DroppedInput(event->mimeData());
    if (input.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    ConvertInput(input);
}

void ConversionWindow::Show(const Converted& result) {
    result_ = result;
    const QIcon icon = row_.lineIcon ? services_.Icon(*row_.lineIcon) : QIcon();
    FillPreview(tree_, result_.lines, icon, row_.editableLines);
    if (row_.scrollToLast && tree_->topLevelItemCount() > 0)
        tree_->scrollToItem(tree_->topLevelItem(tree_->topLevelItemCount() - 1));
    hint_->hide();
    state_ = State::Converted;
    ShowReport();
    report_->show();
    ShowHistory();
    convert_->setEnabled(false);
    save_->setEnabled(true);
    setWindowTitle(QString::fromUtf8(row_.caption) + QStringLiteral(" — ") +
                   QFileInfo(input_).fileName());
}

// The report as converted, with the lines touched up in the preview counted
// and, when there are some, compared again as they would be saved.
void ConversionWindow::ShowReport() {
    if (!row_.editableLines) {
        report_->ShowReport(result_.report);
        return;
    }
    ConversionReport report = result_.report;
    TextList lines = result_.lines;
    report.edited = static_cast<std::size_t>(TakeEdits(tree_, lines));
    if (report.edited > 0 && report.comparison) {
        try {
            const auto& file = report.comparison->file;
            report.comparison = CompareWithFile(lines, result_.header, file);
        } catch (const std::exception&) {
            // the comparison made at conversion stands
        }
    }
    report_->ShowReport(report);
}

// The kept versions of the file; once one is put back, the report compares
// the result with it.
void ConversionWindow::ShowHistory() {
    history_->ShowFor(conversion_.plan(result_), [this] {
        CompareWithProposedFile(conversion_, result_, ToPath(services_.outputRoot));
        ShowReport();
        ShowHistory();
    });
}

void ConversionWindow::SaveClick() {
    if (state_ != State::Converted)
        return;
    RunAction([this] {
        // Lines touched up in the preview are saved as shown.
        if (row_.editableLines)
            TakeEdits(tree_, result_.lines);
        const auto choose = [this](const std::filesystem::path& proposed) {
            return ToPath(services_.dialogs->SaveFile(this, FromPath(proposed.parent_path()),
                                                      FromPath(proposed.filename()),
                                                      QString::fromUtf8(row_.saveFilter)));
        };
        const auto confirmEmptying = [this](const std::filesystem::path& file) {
            return services_.dialogs->ConfirmRisk(
                this, QString::fromStdString(EmptyingText(result_, file)) +
                          QStringLiteral(" Voulez-vous vraiment remplacer ce fichier ?"));
        };
        const SavedResult saved = SaveResult(conversion_, result_, ToPath(services_.outputRoot),
                                             choose, SystemFiles(), confirmEmptying);
        if (saved.files.empty())
            return;
        services_.dialogs->Inform(this, QString::fromStdString(saved.plan.doneMessage),
                                  FromPath(saved.files.front()));
        OfferDuplicates(saved.plan);
        close();
    });
}

void ConversionWindow::OfferDuplicates(const OutputPlan& plan) {
    if (plan.duplicatesFile.empty() || result_.duplicates.empty())
        return;
    if (services_.dialogs->Confirm(this, QStringLiteral("Confirmation"),
                                   QStringLiteral("Tressal a rencontré des doublons, voulez-vous "
                                                  "consulter le fichier des doublons ?")))
        services_.dialogs->ShellOpenFile(
            FromPath(ToPath(services_.outputRoot) / plan.duplicatesFile), services_.outputRoot);
}

} // namespace tressal::app
