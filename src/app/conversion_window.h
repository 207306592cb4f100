#pragma once

#include "app/app_services.h"
#include "app/window_table.h"
#include "conversions/conversion.h"

#include <QWidget>

#include <functional>

class QLabel;
class QMimeData;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tressal::app {

class HistoryBar;
class PreviewFiller;
class ProgressLine;
class ReportPanel;

// A conversion window: "Fermer", the convert button and "Sauvegarder" over a
// tree that previews the result, and below it the conversion's report, with
// the comparison with the file that saving would replace, and the version of
// that file kept in the history, which can be put back. Its row of the window table gives its
// names, captions, filters and preview settings. Fresh, it converts once (a file or folder chosen
// in a dialog or dropped on it) on a worker thread, busy meanwhile; converted, it saves and closes.
// Any error of an action is shown in a message box and the window stays as it was.
class ConversionWindow : public QWidget {
    Q_OBJECT
public:
    enum class State { Fresh, Converted };

    ConversionWindow(const WindowRow& row, AppServices& services);

    State state() const { return state_; }
    // A conversion is running, or its lines are being shown.
    bool busy() const { return busy_; }
    const Converted& result() const { return result_; }
    // The file or folder converted last, as the user chose it.
    const QString& inputPath() const { return input_; }
    QToolButton* closeButton() const { return close_; }
    QToolButton* convertButton() const { return convert_; }
    QToolButton* saveButton() const { return save_; }
    QTreeWidget* tree() const { return tree_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The guidance shown in the empty preview.
    QLabel* hint() const { return hint_; }
    ReportPanel* report() const { return report_; }
    // What a running conversion is doing.
    ProgressLine* progressLine() const { return progress_; }
    // The version kept of the file a save would replace.
    HistoryBar* history() const { return history_; }

    // The button handlers.
    void CloseClick();
    void ConvertClick();
    void SaveClick();
    // Converts that file or folder, as if chosen in the dialog.
    void ConvertInput(const QString& input);

signals:
    // A conversion started by ConvertInput is shown, or was refused.
    void conversionFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString ChooseInput();
    QString DroppedInput(const QMimeData* data, bool& several) const;
    void RunAction(const std::function<void()>& action);
    void SetBusy(bool busy);
    void ShowProgress(const Converted& sofar);
    void ShowConverted(Converted result);
    void Finish();
    void Fail(const std::string& message);
    void ShowReport();
    void ShowHistory();

    const WindowRow& row_;
    const Conversion& conversion_;
    AppServices& services_;
    State state_ = State::Fresh;
    bool busy_ = false;
    bool closing_ = false;
    bool touched_ = false; // a line of the preview was edited (maybe back as it was)
    bool partial_ = false; // the inputs read before one was refused are shown
    QString input_;
    Converted result_;
    QToolBar* toolBar_;
    QToolButton* close_;
    QToolButton* convert_;
    QToolButton* save_;
    QTreeWidget* tree_;
    QLabel* hint_;
    ProgressLine* progress_;
    PreviewFiller* filler_;
    ReportPanel* report_;
    HistoryBar* history_;
};

} // namespace tressal::app
