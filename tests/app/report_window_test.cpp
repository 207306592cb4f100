// The report under a conversion's preview: the summary of the sample export,
// the details with their warning, and after a save the comparison of a
// changed export with the file written, edits in the preview included.

#include "app/conversion_window.h"
#include "app/report_panel.h"
#include "window_test_support.h"

#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

using tressal::app::ConversionWindow;

namespace {

QByteArray SampleExport() {
    return ReadBytes(QStringLiteral(TRESSAL_TEST_DATA "/../../samples/0123456A.csv"));
}

QStringList DetailTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void summaryDetailsAndComparisonAfterASave() {
        WindowFixture f;
        const QByteArray sample = SampleExport();
        QVERIFY(sample.contains("FAURE;Camille;"));

        QPointer<ConversionWindow> first(Open("eleves-pmb", f));
        QVERIFY(!first->report()->isVisible());
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", sample));
        ConvertAndWait(&*first);
        const auto* panel = first->report();
        QVERIFY(panel->isVisible());
        // The empty last line of the export is no student: neither counted nor reported.
        QCOMPARE(panel->summary()->text(),
                 QStringLiteral("19 élèves, 8 classes — 1 doublon retiré, 1 avertissement"));
        QVERIFY(!panel->details()->isVisible());
        panel->detailsButton()->click();
        QVERIFY(panel->details()->isVisible());
        const QStringList details = DetailTexts(panel->details());
        for (const QString& expected :
             {QStringLiteral("Lus dans l'export : 20 — lignes écrites : 19"),
              QStringLiteral("Ligne 7 — DUPONT Jean : même nom et prénom que la ligne 6, "
                             "doublon retiré"),
              QStringLiteral("Classe 6ème A : 3 élèves")})
            QVERIFY2(details.contains(expected), qPrintable(details.join('\n')));
        int warnings = 0;
        for (int i = 0; i < panel->details()->count(); ++i) {
            const QListWidgetItem* item = panel->details()->item(i);
            const bool warning = item->text().startsWith("Ligne 13 — PETIT Louis : 9 champs");
            QCOMPARE(!item->icon().isNull(), warning);
            warnings += warning;
        }
        QCOMPARE(warnings, 1);

        const QString target = f.Output("PMB/0123456A/Eleves/elevespmb.txt");
        f.dialogs.saveAnswers.enqueue(target);
        first->SaveClick();
        QCOMPARE(f.dialogs.messages, QStringList{"L'extraction des élèves PMB pour "
                                                 "l'établissement 0123456A est terminée"});
        // The path as the system writes it (backslashes on Windows).
        QCOMPARE(f.dialogs.details, QStringList{QDir::toNativeSeparators(target)});
        QTRY_VERIFY(first.isNull());

        QByteArray changed = sample;
        changed.replace("FAURE;Camille;", "FAURE;Camilla;");
        QScopedPointer<ConversionWindow> second(Open("eleves-pmb", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", changed));
        ConvertAndWait(&*second);
        QVERIFY(second->report()->summary()->text().endsWith(
            QStringLiteral(" — fichier existant : 1 ajout, 1 retrait")));
        second->report()->detailsButton()->click(); // listed when asked for
        const QStringList compared = DetailTexts(second->report()->details());
        QVERIFY2(compared.contains("+ FAURE;Camilla;10 rue Vauban;;21000;DIJON;;2010;4 B;F"),
                 qPrintable(compared.join('\n')));
        QVERIFY(compared.contains("− FAURE;Camille;10 rue Vauban;;21000;DIJON;;2010;4 B;F"));

        // Put back in the preview, the line is counted as edited and no longer differs.
        QTreeWidgetItem* edited = nullptr;
        for (int i = 0; i < second->tree()->topLevelItemCount(); ++i)
            if (second->tree()->topLevelItem(i)->text(0).startsWith("FAURE;Camilla"))
                edited = second->tree()->topLevelItem(i);
        QVERIFY(edited);
        edited->setText(0, edited->text(0).replace("Camilla", "Camille"));
        QVERIFY2(second->report()->summary()->text().endsWith(
                     QStringLiteral("1 ligne modifiée, 1 avertissement — fichier existant : "
                                    "identique")),
                 qPrintable(second->report()->summary()->text()));
        QVERIFY(f.dialogs.warnings.isEmpty());
    }

    void errorsShowTheWarningIcon() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("eleves-orlane", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", QByteArray()));
        ConvertAndWait(&*window);
        QCOMPARE(f.dialogs.warnings,
                 QStringList{"Indice de liste hors limites (0)\nLe fichier est vide : refaites "
                             "l'export des élèves, ou choisissez un autre fichier."});
        QCOMPARE(f.dialogs.messages, f.dialogs.warnings);
        QVERIFY(!window->report()->isVisible());
    }
};

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
