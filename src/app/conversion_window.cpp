#include "app/conversion_window.h"

#include "app/conversion_job.h"
#include "app/dialogs.h"
#include "app/file_dialogs.h"
#include "app/history_bar.h"
#include "app/preview_tree.h"
#include "app/report_panel.h"
#include "app/widgets.h"
#include "app/window_placement.h"
#include "conversions/file_comparison.h"
#include "conversions/save_result.h"
#include "text/error.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tressal::app {

ConversionWindow::ConversionWindow(const WindowRow& row, AppServices& services)
    : QWidget(nullptr, Qt::Window), row_(row), conversion_(ConversionNamed(row.cliName)),
      services_(services) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setObjectName(QString::fromUtf8(row.objectName));
    setWindowTitle(QString::fromUtf8(row.caption));

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QString::fromUtf8(row.toolBarName));
    toolBar_->setIconSize(QSize(16, 16));
    close_ = AddToolButton(toolBar_, row.closeName, QStringLiteral("Fermer"),
                           services.Icon(IconId::Close));
    convert_ = AddToolButton(toolBar_, row.convertName, QString::fromUtf8(row.convertCaption),
                             services.Icon(IconId::Convert));
    save_ = AddToolButton(toolBar_, row.saveName, QStringLiteral("Sauvegarder"),
                          services.Icon(IconId::Save));
    save_->setEnabled(false);

    tree_ = MakePreviewTree(this);
    tree_->setObjectName(QString::fromUtf8(row.treeName));
    hint_ = AddHint(tree_, QString::fromUtf8(row.hint));
    filler_ = new PreviewFiller(tree_);
    report_ = new ReportPanel(this);
    report_->hide();
    progress_ = new ProgressLine(this);
    progress_->hide();
    history_ = new HistoryBar(this, services);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(tree_, 1);
    layout->addWidget(progress_);
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
        if (const QString refused = UndoUnwritableEdit(tree_, item, result_.lines);
            !refused.isEmpty())
            services_.dialogs->Warn(this, refused);
        touched_ = true;
        if (state_ == State::Converted)
            ShowReport();
    });
    connect(filler_, &PreviewFiller::progressed, progress_, &ProgressLine::ShowLines);
    // The last line reached, then the report: two short steps for a large export.
    connect(filler_, &PreviewFiller::finished, this, [this] {
        if (row_.scrollToLast && tree_->topLevelItemCount() > 0 && !closing_)
            tree_->scrollToItem(tree_->topLevelItem(tree_->topLevelItemCount() - 1));
        QTimer::singleShot(0, this, [this] {
            if (closing_)
                return;
            Finish();
            emit conversionFinished();
        });
    });
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
    // Space or Enter on a fresh window starts a conversion; it never closes
    // it. The button shows it has the keyboard from the start.
    if (state_ == State::Fresh && !busy_) {
        setAttribute(Qt::WA_KeyboardFocusChange);
        convert_->setFocus(Qt::TabFocusReason);
    }
}

void ConversionWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        CloseClick();
    else if (enter && state_ == State::Fresh && !busy_)
        ConvertClick();
    else
        QWidget::keyPressEvent(event);
}

void ConversionWindow::closeEvent(QCloseEvent* event) {
    const bool edited = state_ == State::Converted && row_.editableLines && touched_ &&
                        ReportWithEdits(result_, tree_).edited > 0;
    if (edited && !services_.dialogs->Confirm(this, QStringLiteral("Confirmation"),
                                              QStringLiteral("Des lignes modifiées n'ont pas été "
                                                             "enregistrées. Fermer quand même ?"),
                                              true)) {
        event->ignore();
        return;
    }
    // A conversion still running is abandoned: nothing it does is shown or written.
    closing_ = true;
    event->accept();
}

QString ConversionWindow::ChooseInput() {
    const QString start = StartFolder(services_, row_.input);
    if (row_.input == ExportKind::StaffFolder)
        return services_.dialogs->ChooseFolder(this, QStringLiteral("Choix du dossier"), start);
    return services_.dialogs->OpenFile(this, start, QString::fromUtf8(row_.openFilter));
}

void ConversionWindow::ConvertClick() {
    if (state_ != State::Fresh || busy_)
        return;
    ConvertInput(ChooseInput());
}

void ConversionWindow::SetBusy(bool busy) {
    busy_ = busy;
    convert_->setEnabled(!busy && state_ == State::Fresh);
    progress_->setVisible(busy);
    setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor);
}

void ConversionWindow::ConvertInput(const QString& input) {
    if (state_ != State::Fresh || busy_ || closing_ || input.isEmpty())
        return;
    input_ = input;
    hint_->hide();
    progress_->ShowWorking(QStringLiteral("Lecture de « %1 »…").arg(QFileInfo(input).fileName()));
    SetBusy(true);
    StartConversionJob(conversion_, ToPath(input), ToPath(services_.outputRoot), this,
                       {[this](const Converted& sofar) { ShowProgress(sofar); },
                        [this](Converted result) { ShowConverted(std::move(result)); },
                        [this](const std::string& message) { Fail(message); }});
}

// What was read is shown, and can be saved, when a later input is refused.
void ConversionWindow::ShowProgress(const Converted& sofar) {
    if (closing_)
        return;
    RunAction([&] {
        result_ = sofar;
        partial_ = true;
        const QIcon icon = row_.lineIcon ? services_.Icon(*row_.lineIcon) : QIcon();
        FillPreview(tree_, result_.lines, icon, false);
    });
}

void ConversionWindow::Fail(const std::string& message) {
    if (closing_)
        return;
    if (partial_) {
        Finish();
    } else {
        tree_->clear();
        hint_->show();
        SetBusy(false);
    }
    services_.dialogs->Warn(this, QString::fromUtf8(message));
    emit conversionFinished();
}

void ConversionWindow::ShowConverted(Converted result) {
    if (closing_)
        return;
    // Only an export that converted is remembered, not a refused file.
    RememberExport(services_, row_.input, input_);
    result_ = std::move(result);
    const QIcon icon = row_.lineIcon ? services_.Icon(*row_.lineIcon) : QIcon();
    filler_->Start(result_.lines, icon, row_.editableLines);
}

void ConversionWindow::Finish() {
    state_ = State::Converted;
    SetBusy(false);
    ShowReport();
    report_->show();
    ShowHistory();
    save_->setEnabled(true);
    QString caption = QString::fromUtf8(row_.caption);
    while (caption.endsWith(QLatin1Char(' ')))
        caption.chop(1);
    setWindowTitle(caption + QStringLiteral(" — ") + QFileInfo(input_).fileName());
}

// Several files are taken, to say that one is wanted.
QString ConversionWindow::DroppedInput(const QMimeData* data, bool& several) const {
    const DroppedExport dropped = ReadDrop(data);
    const bool ready = state_ == State::Fresh && !busy_;
    several = ready && dropped.several;
    const bool wantsFolder = row_.input == ExportKind::StaffFolder;
    return ready && dropped.folder == wantsFolder ? dropped.path : QString();
}

void ConversionWindow::dragEnterEvent(QDragEnterEvent* event) {
    bool several = false;
    if (!DroppedInput(event->mimeData(), several).isEmpty() || several)
        event->acceptProposedAction();
    else
        event->ignore();
}

void ConversionWindow::dropEvent(QDropEvent* event) {
    bool several = false;
    const QString input = DroppedInput(event->mimeData(), several);
    if (input.isEmpty() && !several)
        return event->ignore();
    event->acceptProposedAction();
    if (several)
        services_.dialogs->Warn(this, DropOneExportMessage());
    else
        ConvertInput(input);
}

void ConversionWindow::ShowReport() {
    // Lines are looked at only once one was touched: 100,000 take a while.
    const bool edits = row_.editableLines && touched_;
    report_->ShowReport(edits ? ReportWithEdits(result_, tree_) : result_.report);
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
    if (state_ != State::Converted || busy_)
        return;
    RunAction([this] {
        // Lines touched up in the preview are saved as shown; they stay
        // unsaved edits until the save is done.
        Converted shown = result_;
        if (row_.editableLines)
            TakeEdits(tree_, shown.lines);
        const SavedResult saved = SaveAskingUser(this, services_, row_, conversion_, shown);
        if (saved.files.empty())
            return;
        result_ = std::move(shown);
        services_.dialogs->Inform(this, QString::fromStdString(saved.plan.doneMessage),
                                  FromPath(saved.files.front()));
        OfferDuplicates(this, services_, saved.plan, result_);
        close();
    });
}

} // namespace tressal::app
