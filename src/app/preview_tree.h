#pragma once

#include "text/text_list.h"

#include <QIcon>

class QLabel;
class QTreeWidget;
class QWidget;

namespace tressal::app {

// The tree that previews a conversion's lines: one column, no header, rows
// tall enough for the accents of capitals whatever the font.
QTreeWidget* MakePreviewTree(QWidget* parent);

// A word-wrapped guidance text centred in the tree's empty area.
QLabel* AddHint(QTreeWidget* tree, const QString& text);

// Replaces the tree's rows by the lines (Windows-1252), each with the icon
// unless it is null, editable in place when asked.
void FillPreview(QTreeWidget* tree, const TextList& lines, const QIcon& icon, bool editable);

// Takes the rows the user edited in place into the lines they were filled
// from (in Windows-1252); lines left alone keep their bytes. Returns how many
// lines were edited.
int TakeEdits(const QTreeWidget* tree, TextList& lines);

} // namespace tressal::app
