#include "window_test_support.h"

#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;

namespace {

const QByteArray kExport = SconetHeader() + "MARTIN;L\xE9"
                                            "a;;;03/02/2012;;;F;6\xE8me A;;;;;;;;;\r\n"
                                            "DUPONT;Jean;;;12/03/1995;;;M;3\xE8me B;;;;;;;;;\r\n"
                                            "DUPONT;Jean;;;12/03/1995;;;M;3\xE8me B;;;;;;;;;\r\n";

} // namespace

class ElevesOrlaneWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsFresh() {
        WindowFixture f;
        ConversionWindow window(Row("eleves-orlane"), f.services);
        QCOMPARE(window.objectName(), QString("TFEleves"));
        QCOMPARE(window.windowTitle(), QString(" Sconet vers Orlane : élèves "));
        QCOMPARE(window.toolBar()->objectName(), QString("MenuEleves"));
        QCOMPARE(window.closeButton()->objectName(), QString("BfermeElv"));
        QCOMPARE(window.saveButton()->objectName(), QString("BEnregistre"));
        QCOMPARE(window.convertButton()->text(), QString("Tressal Orlane"));
        QVERIFY(window.convertButton()->isEnabled());
        QVERIFY(!window.saveButton()->isEnabled());
        QCOMPARE(window.tree()->indentation(), 19);
    }

    void cancelledOpenDoesNothing() {
        WindowFixture f;
        ConversionWindow window(Row("eleves-orlane"), f.services);
        ConvertAndWait(&window);
        QCOMPARE(f.dialogs.lastOpenFolder, f.services.exeDir);
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(window.state(), ConversionWindow::State::Fresh);
    }

    void refusedInputsLeaveTheWindowFresh_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("extension") << "0123456A.txt" << kExport << kWrongStudentName;
        QTest::newRow("code") << "123456A.csv" << kExport << kWrongStudentName;
        QTest::newRow("23 fields") << "0123456A.csv" << SconetHeader(23) + "A;B\r\n"
                                   << "Le fichier que vous avez sélectionné est incorrect. Il ne "
                                      "comporte que 23 Champs. L'extracteur necessite 22 champs";
    }
    void refusedInputsLeaveTheWindowFresh() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        WindowFixture f;
        ConversionWindow window(Row("eleves-orlane"), f.services);
        f.dialogs.openAnswers.enqueue(f.WriteInput(name, bytes));
        ConvertAndWait(&window);
        QCOMPARE(f.dialogs.messages, QStringList{message});
        QCOMPARE(window.state(), ConversionWindow::State::Fresh);
        QVERIFY(window.convertButton()->isEnabled());
        QVERIFY(!window.saveButton()->isEnabled());
        QCOMPARE(window.tree()->topLevelItemCount(), 0);
    }

    void convertsSavesAndCloses() {
        WindowFixture f;
        auto* window = new ConversionWindow(Row("eleves-orlane"), f.services);
        window->show();
        QPointer<ConversionWindow> alive(window);
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        ConvertAndWait(&*window);
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QVERIFY(!window->convertButton()->isEnabled());
        QVERIFY(window->saveButton()->isEnabled());
        const QStringList expected{"DUPONT,JEAN,19950312,M,XX,XX,OUI,3B,,9999999Z",
                                   "MARTIN,LEA,20120203,F,XX,XX,OUI,6A,,9999999Z"};
        QCOMPARE(TreeLines(window->tree()), expected);
        QVERIFY(!window->tree()->topLevelItem(0)->icon(0).isNull());

        const QString proposed = f.Output("Orlane/0123456A/Eleves/0123456A.txt");
        f.dialogs.saveAnswers.enqueue(proposed);
        window->SaveClick();
        QCOMPARE(QDir::fromNativeSeparators(f.dialogs.lastSaveFolder),
                 f.Output("Orlane/0123456A/Eleves"));
        QCOMPARE(f.dialogs.lastProposedName, QString("0123456A.txt"));
        QCOMPARE(ReadBytes(proposed), expected.join("\r\n").toLatin1() + "\r\n");
        QCOMPARE(f.dialogs.messages,
                 QStringList{"L'extraction des élèves pour l'établissement 0123456A est terminée"});
        QTRY_VERIFY(alive.isNull());
    }

    void cancelledSaveWritesNothingAndStaysOpen() {
        WindowFixture f;
        ConversionWindow window(Row("eleves-orlane"), f.services);
        window.show();
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456a.CSV", kExport));
        ConvertAndWait(&window);
        window.SaveClick();
        // The folders made for the proposal are gone again.
        QVERIFY(!QDir(f.Output("Orlane")).exists());
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(window.isVisible());
        QCOMPARE(window.state(), ConversionWindow::State::Converted);
    }

    void failedSaveIsReportedAndKeepsTheWindow() {
        WindowFixture f;
        ConversionWindow window(Row("eleves-orlane"), f.services);
        window.show();
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        ConvertAndWait(&window);
        f.dialogs.saveAnswers.enqueue(f.temp.path()); // a folder, not a file
        window.SaveClick();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].startsWith("Impossible de créer le fichier"));
        QVERIFY(window.isVisible());
        QVERIFY(window.saveButton()->isEnabled());
    }
};

QTEST_MAIN(ElevesOrlaneWindowTest)
#include "eleves_orlane_window_test.moc"
