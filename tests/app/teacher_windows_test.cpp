#include "app/conversion_window.h"
#include "window_test_support.h"

#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;

namespace {

// A small STS export holding these persons (usage name, first name).
QByteArray Sts(const QList<QPair<QByteArray, QByteArray>>& persons) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<STS_EDT><DONNEES><INDIVIDUS>";
    int id = 100;
    for (const auto& [name, first] : persons)
        xml += "<INDIVIDU ID=\"" + QByteArray::number(id++) +
               "\"><CIVILITE>2</CIVILITE><NOM_USAGE>" + name + "</NOM_USAGE><PRENOM>" + first +
               "</PRENOM><DATE_NAISSANCE>1970-05-31</DATE_NAISSANCE></INDIVIDU>";
    return xml + "</INDIVIDUS><STRUCTURE><DIVISIONS><DIVISION CODE=\"3A\"><SERVICES><SERVICE>"
                 "<ENSEIGNANTS><ENSEIGNANT ID=\"100\"/></ENSEIGNANTS></SERVICE></SERVICES>"
                 "</DIVISION></DIVISIONS></STRUCTURE></DONNEES></STS_EDT>\n";
}

QString MakeFolder(WindowFixture& f, const QString& name) {
    QDir(f.temp.path()).mkpath(name);
    return QDir(f.temp.path()).filePath(name);
}

} // namespace

class TeacherWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void settings_data() {
        QTest::addColumn<QString>("cli");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("convertName");
        QTest::addColumn<QString>("convertCaption");
        QTest::addColumn<QString>("saveName");
        QTest::addColumn<QString>("treeName");
        QTest::addColumn<bool>("treeIcons");
        QTest::newRow("orlane") << "profs-orlane"
                                << "Sconet vers Orlane :  enseignants"
                                << "BExtraire"
                                << "Tressal Orlane"
                                << "BSauve"
                                << "TreeAffiche" << true;
        QTest::newRow("cite") << "profs-orlane-cite"
                              << "Sconet vers Orlane :  enseignants"
                              << "BExtraire"
                              << "Tressal Orlane"
                              << "BSauve"
                              << "TreeAffiche" << true;
        QTest::newRow("vesko") << "profs-vesko"
                               << " Sconet vers Vesko : enseignants"
                               << "BExtraitProfsVesko"
                               << "Tressal Vesko"
                               << "BSauveProfsVesko"
                               << "TreeProfs" << true;
        QTest::newRow("pmb") << "profs-pmb"
                             << "Sconet vers PMB : enseignants"
                             << "BformatPMB"
                             << "Tressal PMB"
                             << "BSauvegarde"
                             << "TreeProfsPMB" << false;
    }
    void settings() {
        QFETCH(QString, cli);
        QFETCH(QString, caption);
        QFETCH(QString, convertName);
        QFETCH(QString, convertCaption);
        QFETCH(QString, saveName);
        QFETCH(QString, treeName);
        QFETCH(bool, treeIcons);
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open(cli.toUtf8(), f));
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->convertButton()->objectName(), convertName);
        QCOMPARE(window->convertButton()->text(), convertCaption);
        QCOMPARE(window->saveButton()->objectName(), saveName);
        QCOMPARE(window->tree()->objectName(), treeName);
        const QString folder = MakeFolder(f, "exports");
        for (const char* name : {"/STS_a_0123456A_2026.xml", "/STS_b_0234567B_2026.xml"}) {
            QFile file(folder + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Sts({{"MARTIN", "Paul"}}));
        }
        f.dialogs.openAnswers.enqueue(folder + "/STS_a_0123456A_2026.xml");
        f.dialogs.folderAnswers.enqueue(folder);
        ConvertAndWait(&*window);
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.join('\n')));
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QCOMPARE(!window->tree()->topLevelItem(0)->icon(0).isNull(), treeIcons);
    }

    void refusedExportsLeaveTheWindowFresh_data() {
        QTest::addColumn<QString>("cli");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("messageStart");
        for (const char* cli : {"profs-orlane", "profs-vesko", "profs-pmb"}) {
            QTest::addRow("%s unsafe code", cli)
                << cli << "sts_emp_.._2026.xml" << Sts({{"A", "B"}}) << "Nom de fichier incorrect";
            QTest::addRow("%s not XML", cli)
                << cli << "sts_emp_0123456A_2026.xml" << QByteArray("bonjour")
                << "« sts_emp_0123456A_2026.xml » est un fichier texte, pas un export STS";
            QTest::addRow("%s not well-formed", cli)
                << cli << "sts_emp_0123456A_2026.xml" << QByteArray("<STS_EDT>bonjour") << "";
            QTest::addRow("%s other root", cli)
                << cli << "sts_emp_0123456A_2026.xml" << QByteArray("<AUTRE/>")
                << "Interface non supportée";
            QTest::addRow("%s missing PRENOM", cli)
                << cli << "sts_emp_0123456A_2026.xml"
                << QByteArray("<STS_EDT><DONNEES><INDIVIDUS><INDIVIDU ID=\"1\"><CIVILITE>1"
                              "</CIVILITE><NOM_USAGE>X</NOM_USAGE></INDIVIDU></INDIVIDUS>"
                              "</DONNEES></STS_EDT>")
                << "Noeud \"PRENOM\" non trouvé";
        }
    }
    void refusedExportsLeaveTheWindowFresh() {
        QFETCH(QString, cli);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, messageStart);
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open(cli.toUtf8(), f));
        f.dialogs.openAnswers.enqueue(f.WriteInput(name, bytes));
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].startsWith(messageStart), qPrintable(f.dialogs.messages[0]));
        if (messageStart.isEmpty()) // a load error: reason, line number, start of the line
            QVERIFY(f.dialogs.messages[0].contains("\r\nLigne: 1\r\n<STS_EDT>bonjour"));
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        QCOMPARE(window->tree()->topLevelItemCount(), 0);
        QVERIFY(window->convertButton()->isEnabled());
    }

    void cancelledOpenDoesNotConvertTheEarlierFileAgain() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("profs-orlane", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("sts_emp_0123456A_2026.xml", "<AUTRE/>"));
        ConvertAndWait(&*window);
        ConvertAndWait(&*window); // cancelled
        QCOMPARE(f.dialogs.messages, QStringList{"Interface non supportée"});
    }

    void orlaneSavesBelowTheEstablishmentCode() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("profs-orlane", f));
        MakeFolder(f, "Mes_Exports");
        f.dialogs.openAnswers.enqueue(f.WriteInput("Mes_Exports/STS_X_0123456A_2009.xml",
                                                   Sts({{"BETA", "b"}, {"alpha", "a"}})));
        ConvertAndWait(&*window);
        QCOMPARE(TreeLines(window->tree()), (QStringList{"alpha,a", "BETA,b"}));
        const QString target = f.Output("Orlane/0123456A/Profs/profs.txt");
        f.dialogs.saveAnswers.enqueue(target);
        window->SaveClick();
        QCOMPARE(f.dialogs.lastProposedName, QString("profs.txt"));
        QCOMPARE(ReadBytes(target), QByteArray("alpha,a\r\nBETA,b\r\n"));
        QCOMPARE(f.dialogs.messages,
                 QStringList{"L'extraction des enseignants pour l'établissement 0123456A est "
                             "terminée"});
        QTRY_VERIFY(window.isNull());
    }

    void veskoWritesBothFiles() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("profs-vesko", f));
        f.dialogs.openAnswers.enqueue(
            f.WriteInput("sts_emp_0123456A_2026.xml", Sts({{"MARTIN", "Paul"}})));
        ConvertAndWait(&*window);
        const QString chosen = f.Output("copie.txt");
        f.dialogs.saveAnswers.enqueue(chosen);
        window->SaveClick();
        const QByteArray fixed = ReadBytes(f.Output("Vesko/0123456A/Profs/profs.txt"));
        QVERIFY(fixed.endsWith(";100;Mme;MARTIN;Paul;;31/05/1970;;;3A"));
        QCOMPARE(ReadBytes(chosen), fixed + "\r\n");
        QCOMPARE(
            f.dialogs.messages,
            QStringList{"L'extraction des enseignants Vesko pour l'établissement est terminée"});
    }

    void citeNeedsTwoExports_data() {
        QTest::addColumn<int>("exports");
        QTest::addColumn<QString>("message");
        QTest::newRow("none")
            << 0
            << "Une cité scolaire comporte au moins deux établissements. Il n'y a "
               "pas de fichiers STS dans le répertoire choisi";
        QTest::newRow("one") << 1
                             << "Une cité scolaire comporte au moins deux établissements. Il n'y a "
                                "qu'un seul fichiers STS dans le répertoire choisi";
    }
    void citeNeedsTwoExports() {
        QFETCH(int, exports);
        QFETCH(QString, message);
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("profs-orlane-cite", f));
        const QString folder = MakeFolder(f, "cite");
        if (exports == 1)
            f.WriteInput("cite/STS_un.xml", Sts({{"A", "B"}}));
        f.WriteInput("cite/EXPORT_STS.xml", Sts({{"A", "B"}}));
        f.dialogs.folderAnswers.enqueue(folder);
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.lastFolderTitle, QString("Choix du dossier"));
        QCOMPARE(f.dialogs.messages, QStringList{message});
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        ConvertAndWait(&*window); // folder dialog cancelled: no search at all
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(window->inputPath(), folder);
    }

    void citeMergesAndOffersTheDuplicates_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("desktopOpensText");
        QTest::newRow("yes") << true << true;
        QTest::newRow("yes, but no program for text files") << true << false;
        QTest::newRow("no") << false << true;
    }
    void citeMergesAndOffersTheDuplicates() {
        QFETCH(bool, open);
        QFETCH(bool, desktopOpensText);
        WindowFixture f;
        f.dialogs.shellOpens = desktopOpensText;
        QPointer<ConversionWindow> window(Open("profs-orlane-cite", f));
        const QString folder = MakeFolder(f, "cite");
        f.WriteInput("cite/sts_b.xml", Sts({{"Dupont", "JEAN"}, {"DURAND", "Paul"}}));
        f.WriteInput("cite/STS_a.XML", Sts({{"DUPONT", "Jean"}}));
        f.dialogs.folderAnswers.enqueue(folder);
        ConvertAndWait(&*window);
        QCOMPARE(TreeLines(window->tree()), (QStringList{"DUPONT,Jean", "DURAND,Paul"}));
        QVERIFY(!QFileInfo::exists(f.Output("Litiges.txt"))); // converting writes nothing

        const QString target = f.Output("Orlane/Profs/profs.txt");
        f.dialogs.saveAnswers.enqueue(target);
        f.dialogs.confirmAnswers.enqueue(open);
        window->SaveClick();
        QCOMPARE(ReadBytes(target), QByteArray("DUPONT,Jean\r\nDURAND,Paul\r\n"));
        QCOMPARE(ReadBytes(f.Output("Litiges.txt")), QByteArray("Dupont,JEAN\r\n"));
        const QString litiges = QDir::toNativeSeparators(f.Output("Litiges.txt"));
        QStringList messages{"L'extraction des enseignants pour la cité scolaire est terminée"};
        if (!desktopOpensText) // the path shown, to be copied
            messages.append("Aucun programme de ce bureau n'ouvre les fichiers texte : ouvrez le "
                            "fichier des doublons vous-même, à cet emplacement.");
        QCOMPARE(f.dialogs.messages, messages);
        QCOMPARE(f.dialogs.details.last(),
                 desktopOpensText ? QDir::toNativeSeparators(target) : litiges);
        QCOMPARE(f.dialogs.questions,
                 QStringList{"Confirmation|Tressal a rencontré des doublons, voulez-vous "
                             "consulter le fichier des doublons ?"});
        QCOMPARE(f.dialogs.shellOpened, open ? QStringList{litiges} : QStringList{});
        QTRY_VERIFY(window.isNull());
    }

    void citeWithoutDuplicatesAsksNothing() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("profs-orlane-cite", f));
        const QString folder = MakeFolder(f, "cite");
        f.WriteInput("cite/STS_1.xml", Sts({{"A", "a"}}));
        f.WriteInput("cite/STS_2.xml", Sts({{"B", "b"}}));
        f.dialogs.folderAnswers.enqueue(folder);
        ConvertAndWait(&*window);
        f.dialogs.saveAnswers.enqueue(f.Output("profs.txt"));
        window->SaveClick();
        QVERIFY(QFileInfo::exists(f.Output("Litiges.txt")));
        QCOMPARE(ReadBytes(f.Output("Litiges.txt")), QByteArray());
        QVERIFY(f.dialogs.questions.isEmpty());
    }

    void citeKeepsWhatWasReadBeforeABrokenExport() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("profs-orlane-cite", f));
        const QString folder = MakeFolder(f, "cite");
        f.WriteInput("cite/STS_1.xml", Sts({{"A", "a"}}));
        f.WriteInput("cite/STS_2.xml", "<STS_EDT>");
        f.dialogs.folderAnswers.enqueue(folder);
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].contains("Ligne"));
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QCOMPARE(TreeLines(window->tree()), QStringList{"A,a"});
        QVERIFY(window->saveButton()->isEnabled());
    }
};

QTEST_MAIN(TeacherWindowsTest)
#include "teacher_windows_test.moc"
