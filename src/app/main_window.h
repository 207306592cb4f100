#pragma once

#include "app/app_services.h"

#include <QMainWindow>
#include <string>

class QLabel;
class QMenu;
class QMenuBar;
class QSettings;

namespace tressal::app {

class PictureMenus;

// The main window: two pictures and the menu that opens every other window.
class TFExtraction : public QMainWindow {
    Q_OBJECT
public:
    TFExtraction(Dialogs& dialogs, const QString& exeDir, const QString& outputRoot,
                 QSettings* settings = nullptr);

    QMenuBar* MenuPrincipal() const;
    QLabel* const Image1;
    QLabel* const Image2;
    const QList<QIcon> ImagesExtract;

    void BFermeClick() { close(); }
    void Apropos1Click();
    // An export opened from outside ("tressal FILE", a drop): recognised by
    // its content, converted by the conversion the user chooses among those
    // that take it (the last one chosen for that kind proposed).
    void OpenExport(const QString& path);
    AppServices& services() { return services_; }
    // The areas of Image2 that open the menus of the four targets.
    PictureMenus* pictureMenus() const { return pictureMenus_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenu();
    void AddPictureMenus();
    QMenu* AddMenu(QWidget* parent, const QString& name, const QString& caption, IconId icon);
    void OpenWindow(QWidget* window);
    QString MenuPath(const char* itemName) const;

    AppServices services_;
    PictureMenus* pictureMenus_ = nullptr;
};

} // namespace tressal::app

class QWidget;

namespace tressal::app {

// A new window for the conversion of that command-line name, or nullptr when
// the program has no window for it.
QWidget* CreateConversionWindow(const std::string& cliName, AppServices& services);

} // namespace tressal::app
