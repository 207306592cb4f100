#include "app/report_panel.h"

#include "app/preview_tree.h"
#include "conversions/conversion.h"
#include "conversions/file_comparison.h"
#include "conversions/report_text.h"
#include "text/files.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tressal::app {
namespace {

// Colours that read on light and dark backgrounds alike.
const QColor kWarningColour(0xC0, 0x50, 0x00);
const QColor kAddedColour(0x1E, 0x80, 0x3C);
const QColor kRemovedColour(0xC0, 0x20, 0x20);

} // namespace

ConversionReport ReportWithEdits(const Converted& result, const QTreeWidget* preview) {
    ConversionReport report = result.report;
    TextList lines = result.lines;
    report.edited = static_cast<std::size_t>(TakeEdits(preview, lines));
    if (report.edited > 0 && report.comparison) {
        try {
            const auto& file = report.comparison->file;
            report.comparison = CompareWithFile(lines, result.header, file);
        } catch (const std::exception&) {
            // the comparison made at conversion stands
        }
    }
    return report;
}

ReportPanel::ReportPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CompteRendu"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Resume"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    toggle_ = new QToolButton(this);
    toggle_->setObjectName(QStringLiteral("Details"));
    toggle_->setText(QStringLiteral("Détails"));
    toggle_->setCheckable(true);
    toggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle_->setArrowType(Qt::RightArrow);
    details_ = new QListWidget(this);
    details_->setObjectName(QStringLiteral("ListeDetails"));
    details_->setWordWrap(true);
    details_->setUniformItemSizes(false);
    details_->hide();

    auto* line = new QHBoxLayout;
    line->setContentsMargins(6, 4, 6, 4);
    line->addWidget(summary_, 1);
    line->addWidget(toggle_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(line);
    layout->addWidget(details_);

    connect(toggle_, &QToolButton::toggled, this, [this](bool shown) {
        toggle_->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
        if (shown)
            FillDetails();
        details_->setVisible(shown);
    });
}

void ReportPanel::ShowReport(const ConversionReport& report) {
    summary_->setText(QString::fromStdString(SummaryText(report)));
    report_ = report;
    detailsFilled_ = false;
    // A large export has thousands of details: they are listed when asked for.
    if (toggle_->isChecked())
        FillDetails();
}

void ReportPanel::FillDetails() {
    if (detailsFilled_)
        return;
    detailsFilled_ = true;
    const ConversionReport& report = report_;
    details_->clear();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const auto& [kind, text] : DetailLines(report)) {
        auto* item = new QListWidgetItem(QString::fromStdString(text), details_);
        if (kind == DetailKind::Warning) {
            item->setIcon(warning);
            item->setForeground(kWarningColour);
        } else if (kind == DetailKind::Comparison && report.comparison) {
            item->setToolTip(QString::fromStdString(PathText(report.comparison->file)));
        } else if (kind == DetailKind::Added) {
            item->setForeground(kAddedColour);
        } else if (kind == DetailKind::Removed) {
            item->setForeground(kRemovedColour);
        }
    }
}

} // namespace tressal::app
