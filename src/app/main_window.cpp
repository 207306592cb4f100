#include "app/main_window.h"

#include "app/about_window.h"
#include "app/menu_bar_style.h"
#include "app/picture_menus.h"
#include "app/window_factory.h"
#include "app/window_placement.h"
#include "app/window_table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
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

} // namespace tressal::app
