#pragma once

#include "app/app_services.h"
#include "conversions/conversion.h"

#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

namespace tressal::app {

// Under a conversion's report, when the file it would replace has kept
// versions: "Version précédente : 12/09/2026 10:41 (18 élèves)" and a
// "Restaurer…" button that shows the comparison of that version with the
// current file and, once the user says yes, puts it back through the save
// path (the current file going into the history in its turn).
class HistoryBar : public QWidget {
    Q_OBJECT
public:
    HistoryBar(QWidget* parent, AppServices& services);

    // Shows the most recent version kept of the plan's files below the
    // output root, or hides itself when there is none. `restored` runs after a
    // version was put back.
    void ShowFor(const OutputPlan& plan, std::function<void()> restored);

    QLabel* label() const { return label_; }
    QToolButton* restoreButton() const { return restore_; }
    void RestoreClick();

private:
    AppServices& services_;
    OutputPlan plan_;
    std::function<void()> restored_;
    QLabel* label_;
    QToolButton* restore_;
};

} // namespace tressal::app
