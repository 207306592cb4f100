#include "app/preview_tree.h"

#include "text/cp1252.h"

#include <QLabel>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tressal::app {
namespace {

// Without an icon a row is only as tall as the font's cap height plus a
// little; the accents of É or Å need the whole line spacing.
class FullHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.lineSpacing() + 2));
        return size;
    }
};

} // namespace

QTreeWidget* MakePreviewTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setItemDelegate(new FullHeightDelegate(tree));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setIndentation(19);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    return tree;
}

QLabel* AddHint(QTreeWidget* tree, const QString& text) {
    auto* hint = new QLabel(text, tree->viewport());
    hint->setObjectName(QStringLiteral("Aide"));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignCenter);
    hint->setForegroundRole(QPalette::PlaceholderText);
    hint->setContentsMargins(32, 16, 32, 16);
    auto* layout = new QVBoxLayout(tree->viewport());
    layout->addWidget(hint);
    return hint;
}

void FillPreview(QTreeWidget* tree, const TextList& lines, const QIcon& icon, bool editable) {
    tree->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) {
        auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(Cp1252ToUtf8(line))));
        if (!icon.isNull())
            item->setIcon(0, icon);
        if (editable)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        items.append(item);
    }
    tree->addTopLevelItems(items);
}

int TakeEdits(const QTreeWidget* tree, TextList& lines) {
    int edited = 0;
    const auto rows = std::min(static_cast<std::size_t>(tree->topLevelItemCount()), lines.size());
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string shown = tree->topLevelItem(static_cast<int>(i))->text(0).toStdString();
        if (shown != Cp1252ToUtf8(lines[i])) {
            lines[i] = Utf8ToCp1252(shown);
            ++edited;
        }
    }
    return edited;
}

} // namespace tressal::app
