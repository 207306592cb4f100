#include "app/app_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using tressal::app::CopySamplesOnce;
using tressal::app::FindProgramFolders;
using tressal::app::ProgramFolders;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

class ProgramFoldersTest : public QObject {
    Q_OBJECT
private slots:
    // Every folder is given relative to a temporary folder; "" stands for "none".
    void layouts_data() {
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("samplesFile");
        QTest::addColumn<QString>("samples");
        QTest::addColumn<QString>("openFolder");
        QTest::addColumn<QString>("outputRoot");
        QTest::addColumn<QString>("examples");
        QTest::newRow("build tree") << "build/bin"
                                    << "build/bin/0123456A.csv"
                                    << "build/bin"
                                    << "build/bin"
                                    << "build/bin"
                                    << "";
        // The installed program's folder is writable here, as it is for root: still the
        // user's documents.
        QTest::newRow("installed") << "usr/bin"
                                   << "usr/share/tressal/samples/0123456A.csv"
                                   << "usr/share/tressal/samples"
                                   << "home/Documents/Tressal"
                                   << "home/Documents/Tressal"
                                   << "home/Documents/Tressal/Exemples";
        QTest::newRow("installed tree moved") << "opt/moved/tressal/bin/"
                                              << "opt/moved/tressal/share/tressal/samples/x.xml"
                                              << "opt/moved/tressal/share/tressal/samples"
                                              << "home/Documents/Tressal"
                                              << "home/Documents/Tressal"
                                              << "home/Documents/Tressal/Exemples";
    }

    void layouts() {
        QFETCH(QString, exeDir);
        QFETCH(QString, samplesFile);
        QFETCH(QString, samples);
        QFETCH(QString, openFolder);
        QFETCH(QString, outputRoot);
        QFETCH(QString, examples);
        QTemporaryDir temp;
        const QDir base(temp.path());
        Write(base.filePath(samplesFile), "export");
        QVERIFY(base.mkpath(exeDir));
        const auto expected = [&](const QString& relative) {
            return relative.isEmpty() ? QString() : Native(base.filePath(relative));
        };

        const ProgramFolders found =
            FindProgramFolders(base.filePath(exeDir), base.filePath("home/Documents"));
        QCOMPARE(found.samples, expected(samples));
        QCOMPARE(found.openFolder, expected(openFolder));
        QCOMPARE(found.outputRoot, expected(outputRoot));
        QCOMPARE(found.examples, expected(examples));
    }

    void samplesAreCopiedOnceAndNeverOverwritten() {
        QTemporaryDir temp;
        const QDir base(temp.path());
        Write(base.filePath("usr/share/tressal/samples/0123456A.csv"), "eleves");
        Write(base.filePath("usr/share/tressal/samples/sts_emp_0123456A_2026.xml"), "<STS_EDT/>");
        QVERIFY(base.mkpath("usr/bin"));
        const ProgramFolders folders =
            FindProgramFolders(base.filePath("usr/bin"), base.filePath("Documents"));
        const QDir examples(folders.examples);

        CopySamplesOnce(folders);
        QCOMPARE(examples.entryList(QDir::Files),
                 QStringList({"0123456A.csv", "sts_emp_0123456A_2026.xml"}));
        QCOMPARE(Read(examples.filePath("0123456A.csv")), QByteArray("eleves"));
        QCOMPARE(Read(examples.filePath("sts_emp_0123456A_2026.xml")), QByteArray("<STS_EDT/>"));

        // The user's changes stay: nothing is copied again on the next starts.
        Write(examples.filePath("0123456A.csv"), "modifié");
        QVERIFY(QFile::remove(examples.filePath("sts_emp_0123456A_2026.xml")));
        CopySamplesOnce(folders);
        QCOMPARE(examples.entryList(QDir::Files), QStringList({"0123456A.csv"}));
        QCOMPARE(Read(examples.filePath("0123456A.csv")), QByteArray("modifié"));
    }

    void buildTreeCopiesNothing() {
        QTemporaryDir temp;
        const QDir base(temp.path());
        Write(base.filePath("bin/0123456A.csv"), "eleves");
        CopySamplesOnce(FindProgramFolders(base.filePath("bin"), base.filePath("Documents")));
        QCOMPARE(base.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"bin"}));
    }
};

QTEST_GUILESS_MAIN(ProgramFoldersTest)
#include "program_folders_test.moc"
