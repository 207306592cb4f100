#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace tressal::app {

// Under a preview while a conversion runs: what it is doing, and a bar that
// moves (filled in proportion once the number of steps is known).
class ProgressLine : public QWidget {
    Q_OBJECT
public:
    explicit ProgressLine(QWidget* parent);

    // A step of unknown length.
    void ShowWorking(const QString& text);
    // `done` of `total` lines shown in the preview.
    void ShowLines(qsizetype done, qsizetype total);
    QString text() const;

private:
    QLabel* text_;
    QProgressBar* bar_;
};

} // namespace tressal::app

class QToolBar;
class QToolButton;

namespace tressal::app {

// A button of a window's tool bar: its object name, caption and icon, the
// caption beside the icon.
QToolButton* AddToolButton(QToolBar* bar, const char* name, const QString& caption,
                           const QIcon& icon);

} // namespace tressal::app
