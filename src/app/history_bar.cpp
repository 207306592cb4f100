#include "app/history_bar.h"

#include "app/dialogs.h"
#include "conversions/restore_version.h"
#include "text/cp1252.h"
#include "text/error.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <exception>

namespace tressal::app {
namespace {

// The lines a question box can show before it grows taller than the screen.
constexpr std::size_t kShownLines = 12;

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString ChangesText(const Comparison& comparison) {
    if (comparison.added.empty() && comparison.removed.empty())
        return QStringLiteral("Elle est identique au fichier actuel.");
    QString text = QStringLiteral("Par rapport au fichier actuel, elle remet %1 ligne(s) et en "
                                  "retire %2 :")
                       .arg(comparison.added.size())
                       .arg(comparison.removed.size());
    std::size_t shown = 0;
    for (const auto* lines : {&comparison.added, &comparison.removed})
        for (const auto& line : *lines) {
            if (shown++ == kShownLines) {
                text += QStringLiteral("\n…");
                return text;
            }
            text += (lines == &comparison.added ? QStringLiteral("\n+ ") : QStringLiteral("\n− ")) +
                    Utf8(Cp1252ToUtf8(line));
        }
    return text;
}

} // namespace

HistoryBar::HistoryBar(QWidget* parent, AppServices& services)
    : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("HistoryBar"));
    label_ = new QLabel(this);
    restore_ = new QToolButton(this);
    restore_->setObjectName(QStringLiteral("BRestaurer"));
    restore_->setText(QStringLiteral("Restaurer…"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(label_, 1);
    layout->addWidget(restore_);
    connect(restore_, &QToolButton::clicked, this, &HistoryBar::RestoreClick);
    hide();
}

void HistoryBar::ShowFor(const OutputPlan& plan, std::function<void()> restored) {
    plan_ = plan;
    restored_ = std::move(restored);
    const auto versions = KeptVersions(plan_, ToPath(services_.outputRoot));
    setVisible(!versions.empty());
    if (!versions.empty())
        label_->setText(QStringLiteral("Version précédente : ") +
                        Utf8(VersionText(versions.front(), plan_)));
}

void HistoryBar::RestoreClick() {
    try {
        const auto root = ToPath(services_.outputRoot);
        const auto versions = KeptVersions(plan_, root);
        if (versions.empty())
            return;
        const KeptVersion& version = versions.front();
        const QString question =
            QStringLiteral("Remettre en place la version du %1 ?\n\n%2\n\nLe fichier actuel sera "
                           "gardé dans l'historique.")
                .arg(Utf8(VersionText(version, plan_)),
                     ChangesText(CompareVersion(version, plan_)));
        if (!services_.dialogs->Confirm(this, QStringLiteral("Restaurer"), question))
            return;
        RestoreVersion(version, plan_, root);
        services_.dialogs->Inform(
            this,
            QStringLiteral("La version du %1 est remise en place.").arg(Utf8(version.DateText())),
            FromPath(version.targets.front()));
        // The call may show the bar again, with another function.
        if (const auto restored = restored_)
            restored();
    } catch (const std::exception& error) {
        services_.dialogs->Warn(this, Utf8(UserMessage(error)));
    }
}

} // namespace tressal::app
