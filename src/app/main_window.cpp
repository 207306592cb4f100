#include "app/main_window.h"

#include "app/about_window.h"
#include "app/conversion_window.h"
#include "app/dialogs.h"
#include "app/file_dialogs.h"
#include "app/menus.h"
#include "app/window_placement.h"
#include "app/window_table.h"
#include "students/export_kind.h"
#include "text/error.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QVBoxLayout>
#include <map>

namespace tressal::app {

TFExtraction::TFExtraction(Dialogs& dialogs, const QString& exeDir, const QString& outputRoot,
                           QSettings* settings)
    : QMainWindow(nullptr, kFixedWindowFlags), Image1(new QLabel), Image2(new QLabel),
      ImagesExtract(LoadImagesExtract()), services_{&dialogs, exeDir, outputRoot, &ImagesExtract,
                                                    settings} {
    EnsureResources();
    setObjectName(QStringLiteral("FExtraction"));
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("Tressal : Orlane - Vesko - PMB"));
    setWindowIcon(services_.Icon(IconId::Orlane));

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/banner.jpg")));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(QPixmap(QStringLiteral(":/pictures/targets.jpg")));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QLabel* picture : {Image1, Image2}) {
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(picture);
    }
    setCentralWidget(central);
    BuildMenu();
    AddPictureMenus();
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    setFixedSize(sizeHint());
    CentreOnScreen(this);
}

QMenuBar* TFExtraction::MenuPrincipal() const {
    return menuBar();
}

QMenu* TFExtraction::AddMenu(QWidget* parent, const QString& name, const QString& caption,
                             IconId icon) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->setIcon(services_.Icon(icon));
    menu->menuAction()->setObjectName(name);
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else
        static_cast<QMenu*>(parent)->addMenu(menu);
    return menu;
}

void TFExtraction::BuildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuPrincipal"));
    auto* style = new MenuBarStyle(bar->style()->name());
    style->setParent(bar); // a widget does not own the style it is given
    bar->setStyle(style);
    bar->setNativeMenuBar(false);

    QAction* close =
        bar->addAction(services_.Icon(IconId::Close), QStringLiteral("Fermer        "));
    close->setObjectName(QStringLiteral("BFerme"));
    connect(close, &QAction::triggered, this, &TFExtraction::BFermeClick);

    std::map<std::string, QMenu*> menus;
    menus["BOrlane"] =
        AddMenu(bar, QStringLiteral("BOrlane"), QStringLiteral("Orlane      "), IconId::Orlane);
    menus["BVesko"] =
        AddMenu(bar, QStringLiteral("BVesko"), QStringLiteral("Vesko    "), IconId::Vesko);
    menus["PMB1"] = AddMenu(bar, QStringLiteral("PMB1"), QStringLiteral("PMB    "), IconId::Pmb);
    menus["BCDIElv"] =
        AddMenu(bar, QStringLiteral("BCDIElv"), QStringLiteral("BCDI        "), IconId::Bcdi);

    for (const WindowRow& row : WindowRows()) {
        const MenuPlace& entry = row.menu;
        if (entry.parent == std::string_view("BProfs") && !menus.count("BProfs"))
            menus["BProfs"] = AddMenu(menus["BOrlane"], QStringLiteral("BProfs"),
                                      QStringLiteral("Enseignants"), IconId::OrlaneTeachers);
        QMenu* parent = menus.at(entry.parent);
        QAction* action =
            parent->addAction(services_.Icon(entry.icon), QString::fromUtf8(entry.caption));
        action->setObjectName(QString::fromUtf8(entry.itemName));
        const std::string cliName = row.cliName;
        connect(action, &QAction::triggered, this,
                [this, cliName] { OpenWindow(CreateConversionWindow(cliName, services_)); });
    }

    QAction* about = bar->addAction(services_.Icon(IconId::About), QStringLiteral("A propos"));
    about->setObjectName(QStringLiteral("Apropos1"));
    connect(about, &QAction::triggered, this, &TFExtraction::Apropos1Click);
}

// The four targets drawn on the right of the picture open their menus.
void TFExtraction::AddPictureMenus() {
    struct Target {
        const char* menu;
        int top;
        const char* tooltip;
    };
    static constexpr Target kTargets[] = {
        {"BOrlane", 102, "Orlane : choisissez la conversion"},
        {"BVesko", 151, "Vesko : choisissez la conversion"},
        {"PMB1", 199, "PMB : choisissez la conversion"},
        {"BCDIElv", 247, "BCDI : choisissez la conversion"},
    };
    pictureMenus_ = new PictureMenus(Image2);
    for (const Target& target : kTargets)
        pictureMenus_->Add(QRect(414, target.top, 174, 43),
                           findChild<QMenu*>(QString::fromLatin1(target.menu)),
                           QString::fromUtf8(target.tooltip));
}

void TFExtraction::Apropos1Click() {
    OpenWindow(new TTFAPP(services_));
}

// "PMB ▸ Elèves": the item's caption after those of the menus that hold it.
QString TFExtraction::MenuPath(const char* itemName) const {
    const auto* item = findChild<QAction*>(QString::fromLatin1(itemName));
    QString path = item ? item->text().trimmed() : QString();
    for (const QObject* holder = item ? item->parent() : nullptr;
         qobject_cast<const QMenu*>(holder); holder = holder->parent())
        path = static_cast<const QMenu*>(holder)->title().trimmed() + QStringLiteral(" ▸ ") + path;
    return path;
}

void TFExtraction::OpenExport(const QString& path) {
    const QFileInfo info(path);
    ExportKind kind = ExportKind::StaffFolder;
    if (!info.isDir()) {
        try {
            const auto recognised = students::RecogniseExport(ToPath(info.absoluteFilePath()));
            if (recognised.content == students::ExportContent::Other)
                throw Error(recognised.message);
            kind = recognised.content == students::ExportContent::Students ? ExportKind::Students
                                                                           : ExportKind::Staff;
        } catch (const std::exception& error) {
            services_.dialogs->Warn(this, QString::fromUtf8(UserMessage(error)));
            return;
        }
    }
    const QString key = QStringLiteral("conversions/%1").arg(static_cast<int>(kind));
    const QString last = services_.settings ? services_.settings->value(key).toString() : QString();
    std::vector<const WindowRow*> rows;
    QList<ConversionChoice> choices;
    int proposed = 0;
    for (const WindowRow& row : WindowRows()) {
        if (row.input != kind)
            continue;
        if (last == QLatin1String(row.cliName))
            proposed = static_cast<int>(rows.size());
        rows.push_back(&row);
        choices.append({MenuPath(row.menu.itemName), services_.Icon(row.menu.icon)});
    }
    // A folder of exports has one conversion: nothing to choose.
    const int chosen = rows.size() == 1 ? 0
                                        : services_.dialogs->ChooseConversion(this, info.fileName(),
                                                                              choices, proposed);
    if (chosen < 0 || chosen >= static_cast<int>(rows.size()))
        return;
    if (services_.settings)
        services_.settings->setValue(key, QString::fromLatin1(rows[chosen]->cliName));
    auto* window =
        static_cast<ConversionWindow*>(CreateConversionWindow(rows[chosen]->cliName, services_));
    window->show();
    window->ConvertInput(info.absoluteFilePath());
}

void TFExtraction::dragEnterEvent(QDragEnterEvent* event) {
    const DroppedExport dropped = ReadDrop(event->mimeData());
    if (dropped.several || !dropped.path.isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFExtraction::dropEvent(QDropEvent* event) {
    const DroppedExport dropped = ReadDrop(event->mimeData());
    if (!dropped.several && dropped.path.isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    if (dropped.several)
        services_.dialogs->Warn(this, DropOneExportMessage());
    else
        OpenExport(dropped.path);
}

void TFExtraction::OpenWindow(QWidget* window) {
    if (window)
        window->show();
}

void TFExtraction::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program: every other window goes too,
    // unless one is kept open (edited lines not saved).
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible() && !window->close()) {
            event->ignore();
            return;
        }
    event->accept();
    QApplication::quit();
}

QWidget* CreateConversionWindow(const std::string& cliName, AppServices& services) {
    const WindowRow* row = FindWindowRow(cliName);
    return row ? new ConversionWindow(*row, services) : nullptr;
}

} // namespace tressal::app
