#pragma once

#include "app/dialogs.h"

#include <QDialog>

class QListWidget;

namespace tressal::app {

// The small window that asks which conversion to run on an export opened from
// outside the program: the file's name, the conversions that take it (the
// proposed one selected), "Convertir" and "Annuler". A double click converts.
class ConversionChooser : public QDialog {
    Q_OBJECT
public:
    ConversionChooser(QWidget* parent, const QString& fileName,
                      const QList<ConversionChoice>& choices, int proposed);

    int chosen() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace tressal::app
