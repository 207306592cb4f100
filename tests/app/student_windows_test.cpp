#include "app/conversion_window.h"
#include "window_test_support.h"

#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;

namespace {

const QByteArray kExport = SconetHeader() +
                           "DUPONT;Jean;;;12/03/1995;42;INE1;M;3\xE8me B;AGL1;;;;;;;;;1 rue;21000;"
                           "DIJON;03\r\n"
                           "DUPONT;Jean;;;12/03/1995;42;INE2;M;3\xE8me B;AGL1;;;;;;;;;1 rue;21000;"
                           "DIJON;03\r\n";

// Every form first, then the CSV, the SIECLE exports and any file.
const QString kCsvFilter = "Exports des élèves (*.zip *.xml *.csv);;Fichier csv (*.csv);;Exports "
                           "SIECLE (*.xml *.zip);;Tous les fichiers (*)";
const QString kVeskoFilter = "Exports des élèves (*.zip *.xml *.csv);;Fichier csv (*.Csv);;Exports "
                             "SIECLE (*.xml *.zip);;Tous les fichiers (*)";

} // namespace

class StudentWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void settings_data() {
        QTest::addColumn<QString>("cli");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("convertName");
        QTest::addColumn<QString>("convertCaption");
        QTest::addColumn<QString>("treeName");
        QTest::addColumn<bool>("treeIcons");
        QTest::addColumn<QString>("openFilter");
        QTest::newRow("orlane") << "eleves-orlane"
                                << " Sconet vers Orlane : élèves "
                                << "BFormatOrlane"
                                << "Tressal Orlane"
                                << "TreeElvOrlane" << true << kCsvFilter;
        QTest::newRow("pmb") << "eleves-pmb"
                             << "Sconet vers PMB : élèves"
                             << "Bformat"
                             << "Tressal PMB"
                             << "TreeElvPMB" << false << kCsvFilter;
        QTest::newRow("bcdi") << "eleves-bcdi"
                              << "Sconet vers BCDI  : élèves"
                              << "Bformat"
                              << "Tressal BCDI"
                              << "TreeElvPMB" << false << kCsvFilter;
        QTest::newRow("vesko") << "eleves-vesko"
                               << "Sconet vers Vesko : élèves"
                               << "BFormatVesko"
                               << "Tressal Vesko"
                               << "TreeElvVesko" << true << kVeskoFilter;
    }
    void settings() {
        QFETCH(QString, cli);
        QFETCH(QString, caption);
        QFETCH(QString, convertName);
        QFETCH(QString, convertCaption);
        QFETCH(QString, treeName);
        QFETCH(bool, treeIcons);
        QFETCH(QString, openFilter);
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open(cli.toUtf8(), f));
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->convertButton()->objectName(), convertName);
        QCOMPARE(window->convertButton()->text(), convertCaption);
        QCOMPARE(window->tree()->objectName(), treeName);
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.lastOpenFilter, openFilter);
        QVERIFY(window->tree()->topLevelItemCount() > 0);
        QCOMPARE(!window->tree()->topLevelItem(0)->icon(0).isNull(), treeIcons);
        // PMB and BCDI let the user touch up a preview line (the file keeps the original).
        const bool editable = cli == "eleves-pmb" || cli == "eleves-bcdi";
        QCOMPARE(window->tree()->topLevelItem(0)->flags().testFlag(Qt::ItemIsEditable), editable);
    }

    void refusedExportLeavesEveryWindowFresh_data() {
        QTest::addColumn<QString>("cli");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray nulBeforeText = kExport + QByteArray("\0\r\n", 3) + kExport;
        for (const char* cli : {"eleves-orlane", "eleves-pmb", "eleves-bcdi", "eleves-vesko"}) {
            QTest::addRow("%s header", cli)
                << cli << SconetHeader(21)
                << "Le fichier que vous avez sélectionné est incorrect. Il ne comporte que 21 "
                   "Champs. L'extracteur necessite 22 champs";
            QTest::addRow("%s NUL", cli) << cli << nulBeforeText
                                         << "Le fichier contient un caractère nul à la ligne 4 : "
                                            "il est abîmé ou ce n'est pas un export texte.";
        }
    }
    void refusedExportLeavesEveryWindowFresh() {
        QFETCH(QString, cli);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open(cli.toUtf8(), f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", bytes));
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.messages, QStringList{message});
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        QVERIFY(window->convertButton()->isEnabled());
        QCOMPARE(window->tree()->topLevelItemCount(), 0);
    }

    void savesIntoTheTargetFolder_data() {
        QTest::addColumn<QString>("cli");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("lastLine");
        QTest::newRow("pmb") << "eleves-pmb"
                             << "PMB/0123456a/Eleves"
                             << "elevespmb.txt"
                             << "L'extraction des élèves PMB pour l'établissement 0123456a est "
                                "terminée"
                             << QByteArray("DUPONT;Jean;1 rue;;21000;DIJON;03;1995;3 B;M\r\n");
        QTest::newRow("bcdi") << "eleves-bcdi"
                              << "BCDI/0123456a/Eleves"
                              << "elevesBCDI.csv"
                              << "L'extraction des élèves BCDI pour l'établissement 0123456a est "
                                 "terminée"
                              << QByteArray(
                                     "DUPONT;Jean;1 rue;;21000;DIJON;03;1995;3 B;M;INE2\r\n");
        QTest::newRow("vesko") << "eleves-vesko"
                               << "Vesko/0123456a/Eleves"
                               << "eleves.txt"
                               << "L'extraction des élèves Vesko pour l'établissement est terminée"
                               << QByteArray("INE2;00042;DUPONT;Jean;12/03/1995;M.;3 B;;;anglais");
    }
    void savesIntoTheTargetFolder() {
        QFETCH(QString, cli);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QByteArray, lastLine);
        WindowFixture f;
        QPointer<ConversionWindow> window(Open(cli.toUtf8(), f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456a.csv", kExport));
        ConvertAndWait(&*window);
        const QString target = f.Output(folder + "/" + name);
        f.dialogs.saveAnswers.enqueue(target);
        window->SaveClick();
        QCOMPARE(QDir::fromNativeSeparators(f.dialogs.lastSaveFolder), f.Output(folder));
        QCOMPARE(f.dialogs.lastProposedName, name);
        QCOMPARE(f.dialogs.messages, QStringList{message});
        QVERIFY(ReadBytes(target).endsWith(lastLine));
        QTRY_VERIFY(window.isNull());
    }

    void veskoWritesTheFixedCopyBesideTheChosenFile() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("eleves-vesko", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        ConvertAndWait(&*window);
        const QString chosen = f.Output("ailleurs.txt");
        f.dialogs.saveAnswers.enqueue(chosen);
        window->SaveClick();
        const QByteArray fixed = ReadBytes(f.Output("Vesko/0123456A/Eleves/eleves.txt"));
        QCOMPARE(ReadBytes(chosen), fixed + "\r\n");
        QVERIFY(!fixed.endsWith("\n"));
    }

    void veskoDateErrorNamesTheStudent() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("eleves-vesko", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput(
            "0123456A.csv", SconetHeader() + "MARTIN;L\xE9"
                                             "a;;;01/01/2010\r\nPETIT;Lou;;;2010\r\n"));
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.messages, QStringList{"Fichier incorrect : le champ date de naissance "
                                                 "est incomplet.\nLigne 3 : PETIT Lou"});
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        QCOMPARE(window->tree()->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(StudentWindowsTest)
#include "student_windows_test.moc"
