#pragma once

#include "conversions/conversion_report.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QToolButton;
class QTreeWidget;

namespace tressal {
struct Converted;
}

namespace tressal::app {

// The report of a conversion whose lines may be touched up in the preview:
// the edited lines counted and, when there are some, compared again with the
// file as they would be saved.
ConversionReport ReportWithEdits(const Converted& result, const QTreeWidget* preview);

// Below a conversion's preview: one summary line of its report, and a
// "Détails" toggle that shows the whole report as a list, the warnings
// marked with the warning icon and coloured.
class ReportPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReportPanel(QWidget* parent);

    void ShowReport(const ConversionReport& report);

    QLabel* summary() const { return summary_; }
    QToolButton* detailsButton() const { return toggle_; }
    QListWidget* details() const { return details_; }

private:
    void FillDetails();

    ConversionReport report_;
    bool detailsFilled_ = false;
    QLabel* summary_;
    QToolButton* toggle_;
    QListWidget* details_;
};

} // namespace tressal::app
