// The conversion window shows the version kept of the file it would replace,
// and puts it back after a Yes (nothing on a No), the current file going into
// the history in its turn.

#include "app/history_bar.h"
#include "conversions/file_history.h"
#include "conversions/save_result.h"
#include "window_test_support.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;

class HistoryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void restoreAsksThenPutsTheVersionBack() {
        WindowFixture f;
        const auto root = tressal::app::ToPath(f.services.outputRoot);
        const tressal::Conversion& pmb = *tressal::FindConversion("eleves-pmb");
        for (const char* line : {"ANCIEN;Un", "RECENT;Deux"})
            tressal::SaveResult(pmb, tressal::Converted{"0123456A", {line, "AUTRE;X"}, {}}, root);
        const QString target = f.Output("PMB/0123456A/Eleves/elevespmb.txt");

        ConversionWindow* window = Open("eleves-pmb", f);
        auto* bar = window->history();
        QVERIFY(!bar->isVisible());
        f.dialogs.openAnswers.enqueue(f.WriteInput(
            "0123456A.csv",
            ReadBytes(QStringLiteral(TRESSAL_TEST_DATA "/../../samples/0123456A.csv"))));
        ConvertAndWait(window);
        QVERIFY(bar->isVisible());
        QVERIFY2(bar->label()->text().startsWith(QStringLiteral("Version précédente : ")) &&
                     bar->label()->text().endsWith(QStringLiteral(" (2 élèves)")),
                 qPrintable(bar->label()->text()));

        for (const bool yes : {false, true}) {
            f.dialogs.confirmAnswers.enqueue(yes);
            bar->restoreButton()->click();
            QVERIFY2(f.dialogs.questions.last().contains(QStringLiteral("+ ANCIEN;Un")) &&
                         f.dialogs.questions.last().contains(QStringLiteral("− RECENT;Deux")),
                     qPrintable(f.dialogs.questions.last()));
            QCOMPARE(ReadBytes(target), yes ? QByteArray("ANCIEN;Un\r\nAUTRE;X\r\n")
                                            : QByteArray("RECENT;Deux\r\nAUTRE;X\r\n"));
        }
        QVERIFY(f.dialogs.warnings.isEmpty());
        // The file replaced by the restore is now the most recent version.
        const auto versions = tressal::KeptVersions(pmb.plan({"0123456A", {}, {}}), root);
        QCOMPARE(versions.size(), std::size_t{2});
        QCOMPARE(ReadBytes(tressal::app::FromPath(versions.front().kept.front())),
                 QByteArray("RECENT;Deux\r\nAUTRE;X\r\n"));
        window->close();
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "history_window_test.moc"
