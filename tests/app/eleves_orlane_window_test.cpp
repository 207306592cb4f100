#include "app/eleves_orlane_window.h"
#include "window_test_support.h"

#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;
using tressal::app::TTFEleves;

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
        TTFEleves window(f.services);
        QCOMPARE(window.windowTitle(), QString(" Sconet vers Orlane : élèves "));
        QCOMPARE(window.BFormatOrlane->text(), QString("Tressal Orlane"));
        QVERIFY(window.BFormatOrlane->isEnabled());
        QVERIFY(!window.BEnregistre->isEnabled());
        QCOMPARE(window.TreeElvOrlane->indentation(), 19);
    }

    void cancelledOpenDoesNothing() {
        WindowFixture f;
        TTFEleves window(f.services);
        window.BFormatOrlaneClick();
        QCOMPARE(f.dialogs.lastOpenFolder, f.services.exeDir);
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(window.state(), ConversionWindow::State::Fresh);
    }

    void refusedInputsLeaveTheWindowFresh_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("extension") << "0123456A.txt" << kExport << "Nom de fichier incorrect";
        QTest::newRow("code") << "123456A.csv" << kExport << "Nom de fichier incorrect";
        QTest::newRow("23 fields") << "0123456A.csv" << SconetHeader(23) + "A;B\r\n"
                                   << "Le fichier que vous avez sélectionné est incorrect. Il ne "
                                      "comporte que 23 Champs. L'extracteur necessite 22 champs";
    }
    void refusedInputsLeaveTheWindowFresh() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        WindowFixture f;
        TTFEleves window(f.services);
        f.dialogs.openAnswers.enqueue(f.WriteInput(name, bytes));
        window.BFormatOrlaneClick();
        QCOMPARE(f.dialogs.messages, QStringList{message});
        QCOMPARE(window.state(), ConversionWindow::State::Fresh);
        QVERIFY(window.BFormatOrlane->isEnabled());
        QVERIFY(!window.BEnregistre->isEnabled());
        QCOMPARE(window.TreeElvOrlane->topLevelItemCount(), 0);
    }

    void convertsSavesAndCloses() {
        WindowFixture f;
        auto* window = new TTFEleves(f.services);
        window->show();
        QPointer<TTFEleves> alive(window);
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        window->BFormatOrlaneClick();
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QVERIFY(!window->BFormatOrlane->isEnabled());
        QVERIFY(window->BEnregistre->isEnabled());
        const QStringList expected{"DUPONT,JEAN,19950312,M,XX,XX,OUI,3B,,9999999Z",
                                   "MARTIN,LEA,20120203,F,XX,XX,OUI,6A,,9999999Z"};
        QCOMPARE(TreeLines(window->TreeElvOrlane), expected);
        QVERIFY(!window->TreeElvOrlane->topLevelItem(0)->icon(0).isNull());

        const QString proposed = f.Output("Orlane/0123456A/Eleves/0123456A.txt");
        f.dialogs.saveAnswers.enqueue(proposed);
        window->BEnregistreClick();
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
        TTFEleves window(f.services);
        window.show();
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456a.CSV", kExport));
        window.BFormatOrlaneClick();
        window.BEnregistreClick();
        QVERIFY(QDir(f.Output("Orlane/0123456a/Eleves")).exists());
        QVERIFY(QDir(f.Output("Orlane/0123456a/Eleves")).isEmpty());
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(window.isVisible());
        QCOMPARE(window.state(), ConversionWindow::State::Converted);
    }

    void failedSaveIsReportedAndKeepsTheWindow() {
        WindowFixture f;
        TTFEleves window(f.services);
        window.show();
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        window.BFormatOrlaneClick();
        f.dialogs.saveAnswers.enqueue(f.temp.path()); // a folder, not a file
        window.BEnregistreClick();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].startsWith("Impossible de créer le fichier"));
        QVERIFY(window.isVisible());
        QVERIFY(window.BEnregistre->isEnabled());
    }
};

QTEST_MAIN(ElevesOrlaneWindowTest)
#include "eleves_orlane_window_test.moc"
