#pragma once

#include "text/text_helpers.h"

#include <QIcon>
#include <QList>
#include <QObject>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tressal::app {

// The tree that previews a conversion's lines: one column, no header, rows
// tall enough for the accents of capitals whatever the font. A line wider
// than the tree is scrolled to, never cut, and shown whole as its tooltip.
QTreeWidget* MakePreviewTree(QWidget* parent);

// A word-wrapped guidance text centred in the tree's empty area.
QLabel* AddHint(QTreeWidget* tree, const QString& text);

// Replaces the tree's rows by the lines (Windows-1252), each with the icon
// unless it is null, editable in place when asked.
void FillPreview(QTreeWidget* tree, const TextList& lines, const QIcon& icon, bool editable);

// Fills a tree with many lines a few at a time, so that the window stays
// responsive: each step takes at most kStepMilliseconds, the event loop runs
// between steps. The rows are made apart from the tree, then given to it at
// once in a step of their own (a tree lays out all its rows again after each
// addition); finished() follows in the next turn.
class PreviewFiller : public QObject {
    Q_OBJECT
public:
    // Short enough that two steps run back to back (the event loop may put
    // its timers after queued calls once) stay well under 50 ms.
    static constexpr int kStepMilliseconds = 15;

    explicit PreviewFiller(QTreeWidget* tree);
    ~PreviewFiller() override;
    // Clears the tree and starts filling it with the lines, which must stay
    // as they are until finished() (or until the filler is destroyed).
    void Start(const TextList& lines, const QIcon& icon, bool editable);
    // Rows are still being made (they are not yet in the tree).
    bool running() const { return lines_ != nullptr; }

signals:
    void progressed(qsizetype done, qsizetype total);
    void finished();

private:
    void MakeSome();
    void AddMade();

    QTreeWidget* tree_;
    const TextList* lines_ = nullptr;
    std::size_t next_ = 0;
    QList<QTreeWidgetItem*> made_; // not yet in the tree
    QIcon icon_;
    bool editable_ = false;
};

// Takes the rows the user edited in place into the lines they were filled
// from (in Windows-1252); lines left alone keep their bytes. Returns how many
// lines were edited.
int TakeEdits(const QTreeWidget* tree, TextList& lines);

// An edited row holding a character that Windows-1252 cannot hold gets its
// line back (from lines, as filled); returns the message naming that
// character, or "" when the row is fine.
QString UndoUnwritableEdit(QTreeWidget* tree, QTreeWidgetItem* item, const TextList& lines);

} // namespace tressal::app
