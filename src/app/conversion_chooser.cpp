#include "app/conversion_chooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tressal::app {

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
