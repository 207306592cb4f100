#include "app/about_window.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "window_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;
using tressal::app::TFExtraction;
using tressal::app::TTFAPP;

namespace {

QAction* MenuItem(TFExtraction& window, const QString& name) {
    for (QAction* action : window.MenuPrincipal()->findChildren<QAction*>())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void CloseAllWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllWindows(); }

    void captionAndPictures() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        QCOMPARE(window.windowTitle(), QString("Tressal : Orlane - Vesko - PMB"));
        QCOMPARE(window.Image1->pixmap().size(), QSize(600, 43));
        QCOMPARE(window.Image2->pixmap().size(), QSize(600, 300));
        QCOMPARE(window.ImagesExtract.size(), 16);
        for (const QIcon& icon : window.ImagesExtract)
            QCOMPARE(icon.pixmap(16, 16).size(), QSize(16, 16));
    }

    void outputRootIsTheProgramFolderWhenWritable() {
        QTemporaryDir writable;
        const QString documents = writable.path() + "/Documents";
        QCOMPARE(tressal::app::OutputRootFor(writable.path(), documents),
                 QDir::toNativeSeparators(writable.path()));
        const QString fallback =
            tressal::app::OutputRootFor(writable.path() + "/absent", documents);
        QVERIFY(fallback.endsWith(QDir::toNativeSeparators("/Tressal")));
        QVERIFY(!fallback.startsWith(QDir::toNativeSeparators(writable.path() + "/absent")));
        QCOMPARE(fallback, QDir::toNativeSeparators(documents + "/Tressal"));
    }

    void menuItems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("parent");
        QTest::newRow("BFerme") << "BFerme"
                                << "Fermer        " << 0 << "MenuPrincipal";
        QTest::newRow("BOrlane") << "BOrlane"
                                 << "Orlane      " << 1 << "MenuPrincipal";
        QTest::newRow("Beleves") << "Beleves"
                                 << "Elèves" << 4 << "BOrlane";
        QTest::newRow("BProfs") << "BProfs"
                                << "Enseignants" << 3 << "BOrlane";
        QTest::newRow("EtabSeul") << "EtabSeul"
                                  << "Etablissement unique" << 14 << "BProfs";
        QTest::newRow("CiteSco") << "CiteSco"
                                 << "Cité scolaire" << 15 << "BProfs";
        QTest::newRow("BVesko") << "BVesko"
                                << "Vesko    " << 2 << "MenuPrincipal";
        QTest::newRow("Elves4") << "Elves4"
                                << "Elèves" << 6 << "BVesko";
        QTest::newRow("Enseignants4") << "Enseignants4"
                                      << "Enseignants" << 5 << "BVesko";
        QTest::newRow("PMB1") << "PMB1"
                              << "PMB    " << 10 << "MenuPrincipal";
        QTest::newRow("Elves1") << "Elves1"
                                << "Elèves" << 12 << "PMB1";
        QTest::newRow("Enseignants1") << "Enseignants1"
                                      << "Enseignants" << 11 << "PMB1";
        QTest::newRow("BCDIElv") << "BCDIElv"
                                 << "BCDI        " << 13 << "MenuPrincipal";
        QTest::newRow("ElvesBCDI1") << "ElvesBCDI1"
                                    << "Elèves BCDI" << 13 << "BCDIElv";
        QTest::newRow("Apropos1") << "Apropos1"
                                  << "A propos" << 9 << "MenuPrincipal";
    }
    void menuItems() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(QString, parent);
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        QAction* action = MenuItem(window, name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->icon().pixmap(16, 16).toImage(),
                 window.ImagesExtract[icon].pixmap(16, 16).toImage());
        const QList<QObject*> holders = action->associatedObjects();
        QVERIFY(std::any_of(holders.begin(), holders.end(),
                            [&](QObject* holder) { return holder->objectName() == parent; }));
    }

    void menuOrder() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        auto names = [](const QList<QAction*>& actions) {
            QStringList list;
            for (const QAction* action : actions)
                list.append(action->objectName());
            return list;
        };
        QCOMPARE(names(window.MenuPrincipal()->actions()),
                 (QStringList{"BFerme", "BOrlane", "BVesko", "PMB1", "BCDIElv", "Apropos1"}));
        const QStringList submenus[] = {{"Beleves", "BProfs"},
                                        {"EtabSeul", "CiteSco"},
                                        {"Elves4", "Enseignants4"},
                                        {"Elves1", "Enseignants1"},
                                        {"ElvesBCDI1"}};
        const char* holders[] = {"BOrlane", "BProfs", "BVesko", "PMB1", "BCDIElv"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(names(window.findChild<QMenu*>(holders[i])->actions()), submenus[i]);
    }

    void eachClickOpensAFreshWindow() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        window.show();
        MenuItem(window, "Beleves")->trigger();
        MenuItem(window, "Beleves")->trigger();
        QList<ConversionWindow*> opened = OpenWindows<ConversionWindow>("TFEleves");
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened[0] != opened[1]);

        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", SconetHeader() + "A;B\r\n"));
        ConvertAndWait(&*opened[0]);
        QCOMPARE(opened[0]->tree()->topLevelItemCount(), 1);
        QCOMPARE(opened[1]->tree()->topLevelItemCount(), 0);
        opened[0]->CloseClick();
        MenuItem(window, "Beleves")->trigger();
        opened = OpenWindows<ConversionWindow>("TFEleves");
        QCOMPARE(opened.size(), 2);
        for (ConversionWindow* eleves : opened) {
            QCOMPARE(eleves->tree()->topLevelItemCount(), 0);
            QVERIFY(eleves->convertButton()->isEnabled());
        }
    }

    void conversionWindowsLeaveTheMenuBarInSight() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        window.show();
        const QRect bar(window.MenuPrincipal()->mapToGlobal(QPoint()),
                        window.MenuPrincipal()->size());
        const QRect screen = window.screen()->availableGeometry();
        for (int i = 0; i < 8; ++i)
            MenuItem(window, "Elves1")->trigger();
        const QList<ConversionWindow*> opened = OpenWindows<ConversionWindow>();
        QCOMPARE(opened.size(), 8);
        for (const ConversionWindow* conversion : opened) {
            QVERIFY(!conversion->frameGeometry().intersects(bar));
            QVERIFY(screen.contains(conversion->frameGeometry()));
        }
    }

    void aboutWindows() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        window.show();
        MenuItem(window, "Apropos1")->trigger();
        MenuItem(window, "Apropos1")->trigger();
        QList<TTFAPP*> about = OpenWindows<TTFAPP>();
        QCOMPARE(about.size(), 2);
        QCOMPARE(about[0]->windowTitle(), QString("Tressal : A propos."));
        QCOMPARE(about[0]->Image1->pixmap().size(), QSize(395, 200));
        about[0]->BfermeClick();
        QCOMPARE(OpenWindows<TTFAPP>().size(), 1);
        QTest::keyClick(OpenWindows<TTFAPP>().value(0), Qt::Key_Escape);
        QVERIFY(OpenWindows<TTFAPP>().isEmpty());
    }

    // Each of the four targets drawn in the picture opens its menu.
    void picturesOpenTheirMenus() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char* name : {"BOrlane", "BVesko", "PMB1", "BCDIElv"}) {
            auto* menu = window.findChild<QMenu*>(name);
            const QPoint centre = window.pictureMenus()->CentreOf(menu);
            QVERIFY2(!centre.isNull(), name);
            QTest::mouseMove(window.Image2, centre);
            QTRY_COMPARE(window.Image2->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(window.Image2, Qt::LeftButton, {}, centre);
            QTRY_COMPARE(QApplication::activePopupWidget(), menu);
            menu->close();
        }
        QTest::mouseMove(window.Image2, QPoint(20, 20)); // the Sconet picture: nothing
        QTRY_COMPARE(window.Image2->cursor().shape(), Qt::ArrowCursor);
    }

    // Edited lines are not lost without a question, answered No by default:
    // neither by Escape nor by closing the main window.
    void editedLinesAreNotClosedWithoutAQuestion() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        window.show();
        MenuItem(window, "Elves1")->trigger();
        QPointer<ConversionWindow> pmb = OpenWindows<ConversionWindow>().value(0);
        ConvertAndWait(pmb, f.WriteInput("0123456A.csv", SconetHeader() + "A;B\r\n"));
        QTest::keyClick(pmb, Qt::Key_Escape); // nothing edited: closes at once
        QTRY_VERIFY(pmb.isNull());
        QVERIFY(f.dialogs.questions.isEmpty());

        MenuItem(window, "Elves1")->trigger();
        pmb = OpenWindows<ConversionWindow>().value(0);
        ConvertAndWait(pmb, f.WriteInput("0123456A.csv", SconetHeader() + "A;B\r\n"));
        pmb->tree()->topLevelItem(0)->setText(0, QStringLiteral("A;C"));
        QTest::keyClick(pmb, Qt::Key_Escape);
        MenuItem(window, "BFerme")->trigger();
        const QString question = "Confirmation|Des lignes modifiées n'ont pas été enregistrées. "
                                 "Fermer quand même ?";
        QCOMPARE(f.dialogs.questions, (QStringList{question, question}));
        QCOMPARE(f.dialogs.noByDefaults, (QList<bool>{true, true}));
        QVERIFY(pmb && pmb->isVisible());
        QVERIFY(window.isVisible());
        f.dialogs.confirmAnswers.enqueue(true);
        MenuItem(window, "BFerme")->trigger();
        QVERIFY(!window.isVisible());
        QTRY_VERIFY(pmb.isNull());
    }

    // "tressal FILE" and a drop: the export recognised by content, the
    // conversions that take it offered, the last choice proposed.
    void openedExportOffersItsConversions_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("window");
        const QStringList students{"Orlane ▸ Elèves", "Vesko ▸ Elèves", "PMB ▸ Elèves",
                                   "BCDI ▸ Elèves BCDI"};
        QTest::newRow("Sconet CSV") << "0123456A.csv" << students << "TFElevesPMB";
        QTest::newRow("SIECLE zip")
            << "ExportXML_ElevesAvecAdresses.zip" << students << "TFElevesPMB";
        QTest::newRow("STS") << "sts_emp_0123456A_2026.xml"
                             << QStringList{"Orlane ▸ Enseignants ▸ Etablissement unique",
                                            "Vesko ▸ Enseignants", "PMB ▸ Enseignants"}
                             << "TFProfsPMB";
    }
    void openedExportOffersItsConversions() {
        QFETCH(QString, file);
        QFETCH(QStringList, choices);
        QFETCH(QString, window);
        WindowFixture f;
        TFExtraction main(f.dialogs, f.services.exeDir, f.services.outputRoot, &f.settings);
        main.show();
        const QString path = QStringLiteral(TRESSAL_TEST_DATA "/../../samples/") + file;
        main.OpenExport(path); // cancelled
        QCOMPARE(f.dialogs.conversionChoices, QList<QStringList>{choices});
        QVERIFY(OpenWindows<ConversionWindow>().isEmpty());
        f.dialogs.conversionAnswers.enqueue(2);
        main.OpenExport(path);
        QList<ConversionWindow*> opened = OpenWindows<ConversionWindow>(window);
        QCOMPARE(opened.size(), 1);
        WaitForConversion(opened[0]);
        QCOMPARE(opened[0]->state(), ConversionWindow::State::Converted);
        QVERIFY(f.dialogs.warnings.isEmpty());
        main.OpenExport(path); // the last choice proposed
        QCOMPARE(f.dialogs.proposedConversions, (QList<int>{0, 0, 2}));
    }

    void openedFolderOrWrongFileOrTwoDroppedFiles() {
        WindowFixture f;
        TFExtraction main(f.dialogs, f.services.exeDir, f.services.outputRoot, &f.settings);
        main.show();
        const QString responsables =
            f.WriteInput("Responsables.xml", "<?xml version=\"1.0\"?><BEE_RESPONSABLES/>");
        main.OpenExport(responsables);
        QCOMPARE(f.dialogs.warnings.size(), 1);
        QVERIFY(f.dialogs.warnings[0].startsWith("Ce fichier est l'export des responsables"));
        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(responsables), QUrl::fromLocalFile(responsables)});
        QDragEnterEvent enter(QPoint(10, 60), Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 60), Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &drop);
        QCOMPARE(f.dialogs.warnings.value(1), QStringLiteral("Déposez un seul export"));
        main.OpenExport(f.temp.path()); // a folder: the cité, nothing to choose
        QVERIFY(f.dialogs.conversionChoices.isEmpty());
        QCOMPARE(OpenWindows<ConversionWindow>("TFprofsCite").size(), 1);
    }

    void closingTheMainWindowClosesEveryWindow() {
        WindowFixture f;
        TFExtraction window(f.dialogs, f.services.exeDir, f.services.outputRoot);
        window.show();
        MenuItem(window, "Beleves")->trigger();
        MenuItem(window, "Apropos1")->trigger();
        MenuItem(window, "BFerme")->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(OpenWindows<ConversionWindow>("TFEleves").isEmpty());
        QVERIFY(OpenWindows<TTFAPP>().isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
