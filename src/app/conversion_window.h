#pragma once

#include "app/app_services.h"
#include "conversions/conversion.h"

#include <QWidget>

#include <functional>

class QToolBar;
class QToolButton;
class QTreeWidget;

namespace tressal::app {

// What sets one conversion window apart from the others: its names, captions,
// filters and tree icon.
struct WindowSetting {
    QString objectName;
    QString caption;
    QString toolBarName;
    QString closeName;
    QString convertName;
    QString convertCaption;
    QString saveName;
    QString treeName;
    int treeIcon = -1; // -1: the tree shows no icon
    QString openFilter;
    QString saveFilter;
    bool scrollToLast = true;  // the preview ends showing the last line
    bool editableTree = false; // lines may be edited in the preview (not in the file)
};

// A conversion window: "Fermer", the convert button and "Sauvegarder" over a
// tree that previews the result. Fresh, it converts once; converted, it saves
// and closes. Any error of an action is shown in a message box and the window
// stays as it was.
class ConversionWindow : public QWidget {
    Q_OBJECT
public:
    enum class State { Fresh, Converted };

    ConversionWindow(const Conversion& conversion, const WindowSetting& setting,
                     AppServices& services);

    State state() const { return state_; }
    const Converted& result() const { return result_; }
    // The file or folder converted last, as the user chose it.
    const QString& inputPath() const { return input_; }
    QToolButton* closeButton() const { return close_; }
    QToolButton* convertButton() const { return convert_; }
    QToolButton* saveButton() const { return save_; }
    QTreeWidget* tree() const { return tree_; }
    QToolBar* toolBar() const { return toolBar_; }

    // The button handlers.
    void CloseClick();
    void ConvertClick();
    void SaveClick();

protected:
    // Asks the user for the input; empty when cancelled.
    virtual QString ChooseInput();
    // Runs after a successful save, before the window closes.
    virtual void AfterSave(const OutputPlan& /*plan*/) {}
    AppServices& services() const { return services_; }

private:
    void RunAction(const std::function<void()>& action);
    void Show(const Converted& result);

    const Conversion& conversion_;
    WindowSetting setting_;
    AppServices& services_;
    State state_ = State::Fresh;
    QString input_;
    Converted result_;
    QToolBar* toolBar_;
    QToolButton* close_;
    QToolButton* convert_;
    QToolButton* save_;
    QTreeWidget* tree_;
};

// The conversion of that command-line name; it must exist.
const Conversion& ConversionNamed(const char* cliName);

} // namespace tressal::app
