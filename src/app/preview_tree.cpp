#include "app/preview_tree.h"

#include "text/cp1252.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tressal::app {
namespace {

// Lines measured to find the widest: the longest in bytes, a few more than
// one, as letters differ in width.
constexpr std::size_t kMeasuredLines = 64;
// Rows added between two looks at the clock.
constexpr int kRowsPerBatch = 256;

// Without an icon a row is only as tall as the font's cap height plus a
// little; the accents of É or Å need the whole line spacing. A row's tooltip
// is its whole text.
class PreviewDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.lineSpacing() + 2));
        return size;
    }
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QToolTip::showText(event->globalPos(), index.data().toString(), view);
        return true;
    }
};

// Every Windows-1252 character is one UTF-16 unit: no detour through UTF-8.
QString LineText(const std::string& line) {
    QString text(static_cast<qsizetype>(line.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : line)
        *out++ = QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c))));
    return text;
}

QTreeWidgetItem* MakeItem(const std::string& line, const QIcon& icon, bool editable) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, LineText(line));
    if (!icon.isNull())
        item->setIcon(0, icon);
    if (editable)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

// The column as wide as the widest line, so that none is cut.
void FitColumn(QTreeWidget* tree, const TextList& lines, bool withIcon) {
    std::vector<const std::string*> longest;
    for (const auto& line : lines) {
        longest.push_back(&line);
        if (longest.size() > 4 * kMeasuredLines) {
            std::nth_element(longest.begin(), longest.begin() + kMeasuredLines, longest.end(),
                             [](auto* a, auto* b) { return a->size() > b->size(); });
            longest.resize(kMeasuredLines);
        }
    }
    int width = 0;
    for (const std::string* line : longest)
        width = std::max(width, tree->fontMetrics().horizontalAdvance(LineText(*line)));
    const int icon = withIcon ? tree->iconSize().width() + 8 : 0;
    tree->setColumnWidth(0, std::max(width + icon + 24, tree->viewport()->width()));
}

} // namespace

QTreeWidget* MakePreviewTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setItemDelegate(new PreviewDelegate(tree));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setIndentation(19);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->header()->setStretchLastSection(false);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree->setTextElideMode(Qt::ElideNone);
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
    FitColumn(tree, lines, !icon.isNull());
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        items.append(MakeItem(line, icon, editable));
    tree->addTopLevelItems(items);
}

PreviewFiller::PreviewFiller(QTreeWidget* tree) : QObject(tree), tree_(tree) {}

PreviewFiller::~PreviewFiller() {
    qDeleteAll(made_);
}

void PreviewFiller::Start(const TextList& lines, const QIcon& icon, bool editable) {
    tree_->clear();
    qDeleteAll(made_);
    made_.clear();
    made_.reserve(static_cast<qsizetype>(lines.size()));
    FitColumn(tree_, lines, !icon.isNull());
    lines_ = &lines;
    next_ = 0;
    icon_ = icon;
    editable_ = editable;
    QTimer::singleShot(0, this, &PreviewFiller::MakeSome);
}

// The rows are made apart from the tree: a tree given rows lays all of them
// out again at the next turn of the event loop.
void PreviewFiller::MakeSome() {
    if (!lines_)
        return;
    QElapsedTimer clock;
    clock.start();
    const TextList& lines = *lines_;
    while (next_ < lines.size() && clock.elapsed() < kStepMilliseconds) {
        const std::size_t end = std::min(lines.size(), next_ + kRowsPerBatch);
        for (; next_ < end; ++next_)
            made_.append(MakeItem(lines[next_], icon_, editable_));
    }
    emit progressed(static_cast<qsizetype>(next_), static_cast<qsizetype>(lines.size()));
    QTimer::singleShot(0, this,
                       next_ < lines.size() ? &PreviewFiller::MakeSome : &PreviewFiller::AddMade);
}

// All rows at once, laid out once; what follows waits for the next turn.
void PreviewFiller::AddMade() {
    if (!lines_)
        return;
    tree_->addTopLevelItems(made_);
    made_.clear();
    lines_ = nullptr;
    QTimer::singleShot(0, this, &PreviewFiller::finished);
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

QString UndoUnwritableEdit(QTreeWidget* tree, QTreeWidgetItem* item, const TextList& lines) {
    const std::string character = FirstUnwritable(item->text(0).toStdString());
    const auto row = static_cast<std::size_t>(tree->indexOfTopLevelItem(item));
    if (character.empty() || row >= lines.size())
        return {};
    const QSignalBlocker quiet(tree);
    item->setText(0, QString::fromStdString(Cp1252ToUtf8(lines[row])));
    return QString::fromStdString("Le caractère « " + character +
                                  " » ne peut pas être écrit dans le fichier (Windows-1252) : la "
                                  "modification est annulée. Retapez-la sans ce caractère, par "
                                  "exemple avec une lettre sans accent.");
}

} // namespace tressal::app
