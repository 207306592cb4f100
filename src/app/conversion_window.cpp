#include "app/conversion_window.h"

#include "app/dialogs.h"
#include "app/window_placement.h"
#include "conversions/save_result.h"
#include "text/cp1252.h"

#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>
#include <stdexcept>

namespace tressal::app {
namespace {

QToolButton* AddButton(QToolBar* bar, const QString& name, const QString& caption,
                       const QIcon& icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
}

} // namespace

const Conversion& ConversionNamed(const char* cliName) {
    const Conversion* conversion = FindConversion(cliName);
    if (!conversion)
        throw std::logic_error(std::string("unknown conversion ") + cliName);
    return *conversion;
}

ConversionWindow::ConversionWindow(const Conversion& conversion, const WindowSetting& setting,
                                   AppServices& services)
    : QWidget(nullptr, Qt::Window), conversion_(conversion), setting_(setting),
      services_(services) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(setting.objectName);
    setWindowTitle(setting.caption);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(setting.toolBarName);
    toolBar_->setIconSize(QSize(16, 16));
    close_ = AddButton(toolBar_, setting.closeName, QStringLiteral("Fermer"), services.Icon(0));
    convert_ = AddButton(toolBar_, setting.convertName, setting.convertCaption, services.Icon(8));
    save_ = AddButton(toolBar_, setting.saveName, QStringLiteral("Sauvegarder"), services.Icon(7));
    save_->setEnabled(false);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(setting.treeName);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setIndentation(19);
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(tree_);
    resize(640, 420);
    CentreOnScreen(this);

    connect(close_, &QToolButton::clicked, this, &ConversionWindow::CloseClick);
    connect(convert_, &QToolButton::clicked, this, &ConversionWindow::ConvertClick);
    connect(save_, &QToolButton::clicked, this, &ConversionWindow::SaveClick);
}

void ConversionWindow::RunAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        services_.dialogs->Inform(this, QString::fromUtf8(error.what()));
    }
}

void ConversionWindow::CloseClick() {
    close();
}

void ConversionWindow::ConvertClick() {
    if (state_ != State::Fresh)
        return;
    RunAction([this] {
        const QString input = ChooseInput();
        if (input.isEmpty())
            return;
        input_ = input;
        // The duplicates file follows the inputs as they are read.
        const auto progress = [this](const Converted& sofar) {
            SaveDuplicates(conversion_, sofar, ToPath(services_.outputRoot));
            Show(sofar);
            repaint();
        };
        Show(conversion_.convert(ToPath(input), {progress}));
    });
}

QString ConversionWindow::ChooseInput() {
    return services_.dialogs->OpenFile(this, services_.exeDir, setting_.openFilter);
}

void ConversionWindow::Show(const Converted& result) {
    result_ = result;
    tree_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(result_.lines.size()));
    const QIcon icon = services_.Icon(setting_.treeIcon);
    for (const auto& line : result_.lines) {
        auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(Cp1252ToUtf8(line))));
        if (setting_.treeIcon >= 0)
            item->setIcon(0, icon);
        if (setting_.editableTree)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        items.append(item);
    }
    tree_->addTopLevelItems(items);
    if (setting_.scrollToLast && !items.isEmpty())
        tree_->scrollToItem(items.last());
    state_ = State::Converted;
    convert_->setEnabled(false);
    save_->setEnabled(true);
}

void ConversionWindow::SaveClick() {
    if (state_ != State::Converted)
        return;
    RunAction([this] {
        const auto choose = [this](const std::filesystem::path& proposed) {
            return ToPath(services_.dialogs->SaveFile(this, FromPath(proposed.parent_path()),
                                                      FromPath(proposed.filename()),
                                                      setting_.saveFilter));
        };
        const SavedResult saved =
            SaveResult(conversion_, result_, ToPath(services_.outputRoot), choose);
        if (saved.files.empty())
            return;
        services_.dialogs->Inform(this, QString::fromStdString(saved.plan.doneMessage));
        AfterSave(saved.plan);
        close();
    });
}

} // namespace tressal::app
