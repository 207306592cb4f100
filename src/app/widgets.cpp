#include "app/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

namespace tressal::app {

ProgressLine::ProgressLine(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Progression"));
    text_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setMaximumWidth(160);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(text_, 1);
    layout->addWidget(bar_);
}

void ProgressLine::ShowWorking(const QString& text) {
    text_->setText(text);
    bar_->setRange(0, 0);
}

void ProgressLine::ShowLines(qsizetype done, qsizetype total) {
    const QLocale locale;
    text_->setText(QStringLiteral("Affichage des lignes : %1 sur %2…")
                       .arg(locale.toString(done), locale.toString(total)));
    bar_->setRange(0, static_cast<int>(total));
    bar_->setValue(static_cast<int>(done));
}

QString ProgressLine::text() const {
    return text_->text();
}

QToolButton* AddToolButton(QToolBar* bar, const char* name, const QString& caption,
                           const QIcon& icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromUtf8(name));
    button->setText(caption);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
}

} // namespace tressal::app
