// What a user meets around the conversions: placement, guidance, keyboard,
// drag and drop, remembered folders, edited previews, the menu bar's colours.
#include "app/menus.h"
#include "app/window_placement.h"
#include "window_test_support.h"

#include "app/conversion_job.h"
#include "app/widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionMenuItem>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

using tressal::app::ConversionWindow;
using tressal::app::WindowRows;

namespace {

const QByteArray kExport = SconetHeader() +
                           "DUPONT;Jean;;;12/03/1995;42;INE1;M;3\xE8me B;AGL1;;;;;;;;;1 rue;21000;"
                           "DIJON;03\r\n";

double Luminance(QRgb pixel) {
    return (0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel)) / 255.0;
}

// The menu bar entry drawn in that state, with and without its caption.
QImage DrawEntry(const QStyle& style, QStyle::State state, const QString& text) {
    QImage image(120, 24, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QStyleOptionMenuItem item;
    item.rect = image.rect();
    item.state = state;
    item.text = text;
    item.palette = QApplication::palette();
    item.fontMetrics = QFontMetrics(QApplication::font());
    QPixmap icon(16, 16);
    icon.fill(Qt::darkGreen);
    item.icon = QIcon(icon);
    item.menuItemType = QStyleOptionMenuItem::Normal;
    QPainter painter(&image);
    style.drawControl(QStyle::CE_MenuBarItem, &item, &painter);
    return image;
}

QMimeData* Urls(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

bool Drop(ConversionWindow& window, const QStringList& paths) {
    QScopedPointer<QMimeData> data(Urls(paths));
    QDragEnterEvent enter(QPoint(10, 60), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 60), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    WaitForConversion(&window);
    return drop.isAccepted();
}

} // namespace

class WindowBehaviourTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarCaptionReadableInEveryState_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<double>("contrast");
        const int on = QStyle::State_Enabled;
        QTest::newRow("normal") << on << 0.4;
        QTest::newRow("hover") << (on | QStyle::State_Selected) << 0.4;
        QTest::newRow("keyboard focus")
            << (on | QStyle::State_Selected | QStyle::State_HasFocus) << 0.4;
        QTest::newRow("pressed") << (on | QStyle::State_Selected | QStyle::State_Sunken) << 0.4;
        QTest::newRow("disabled") << 0 << 0.15;
    }
    void menuBarCaptionReadableInEveryState() {
        QFETCH(int, state);
        QFETCH(double, contrast);
        for (const char* base : {"fusion", "windows"}) {
            const tressal::app::MenuBarStyle style(QString::fromLatin1(base));
            const QImage with = DrawEntry(style, QStyle::State(state), QStringLiteral("Orlane"));
            const QImage without = DrawEntry(style, QStyle::State(state), QString());
            double best = 0;
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x)
                    best = std::max(best, std::abs(Luminance(with.pixel(x, y)) -
                                                   Luminance(without.pixel(x, y))));
            QVERIFY2(best >= contrast, qPrintable(QStringLiteral("%1: %2").arg(base).arg(best)));
        }
    }

    void previewRowsHoldTheAccentsOfCapitals() {
        WindowFixture f;
        for (const auto& row : WindowRows()) {
            ConversionWindow window(row, f.services);
            auto* item = new QTreeWidgetItem(QStringList(QStringLiteral("ÉTIENNE Ève Åsa")));
            window.tree()->addTopLevelItem(item);
            window.show();
            QVERIFY2(window.tree()->visualItemRect(item).height() >=
                         window.tree()->fontMetrics().lineSpacing(),
                     row.cliName);
        }
    }

    void placement_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QList<QRect>>("open");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<QRect>("keepVisible");
        const QRect screen(0, 0, 1280, 800);
        const QRect centred(320, 190, 640, 420);
        QTest::newRow("first, centred") << screen << QList<QRect>{} << centred << QRect();
        QTest::newRow("second, below and right")
            << screen << QList<QRect>{centred} << centred.translated(32, 32) << QRect();
        QTest::newRow("third") << screen << QList<QRect>{centred, centred.translated(32, 32)}
                               << centred.translated(64, 64) << QRect();
        QTest::newRow("elsewhere: centred")
            << screen << QList<QRect>{QRect(0, 0, 640, 420)} << centred << QRect();
        const QRect small(0, 0, 700, 450);
        QTest::newRow("no room below: top left")
            << small << QList<QRect>{QRect(30, 15, 640, 420)} << QRect(0, 0, 640, 420) << QRect();
        QTest::newRow("taller than the screen: shrunk")
            << QRect(0, 24, 800, 376) << QList<QRect>{} << QRect(80, 24, 640, 376) << QRect();
        // The main window's frame down to its menu bar stays in sight.
        const QRect wide(0, 0, 1920, 1040);
        QTest::newRow("beside the main window")
            << wide << QList<QRect>{} << QRect(1268, 300, 640, 420) << QRect(660, 300, 600, 60);
        QTest::newRow("on its left when the right is short")
            << wide << QList<QRect>{} << QRect(292, 300, 640, 420) << QRect(940, 300, 600, 60);
        QTest::newRow("below its menu bar")
            << QRect(0, 0, 1024, 768) << QList<QRect>{} << QRect(212, 252, 640, 420)
            << QRect(212, 200, 600, 52);
        QTest::newRow("below it, cascading")
            << QRect(0, 0, 1024, 768) << QList<QRect>{QRect(212, 252, 640, 420)}
            << QRect(244, 284, 640, 420) << QRect(212, 200, 600, 52);
    }
    void placement() {
        QFETCH(QRect, available);
        QFETCH(QList<QRect>, open);
        QFETCH(QRect, expected);
        QFETCH(QRect, keepVisible);
        const QRect place =
            tressal::app::PlaceNewWindow(QSize(640, 420), available, open, keepVisible);
        QCOMPARE(place, expected);
        QVERIFY(available.contains(place));
    }

    // Eight frames, title bar included, on a 900-pixel screen: each whole on
    // the area, none over the main window's menu bar.
    void cascadeStaysWholeAndClearOfTheMenuBar() {
        const QRect available(0, 0, 1440, 900);
        const QRect menuBar(420, 250, 600, 52);
        QList<QRect> open;
        for (int i = 0; i < 8; ++i) {
            const QRect place =
                tressal::app::PlaceNewWindow(QSize(640, 450), available, open, menuBar);
            QVERIFY2(available.contains(place), qPrintable(QString::number(i)));
            QVERIFY(!place.intersects(menuBar));
            QVERIFY(!open.contains(place));
            open.append(place);
        }
    }

    void furtherWindowsDoNotHideEachOther() {
        WindowFixture f;
        QList<QPoint> places;
        std::vector<std::unique_ptr<ConversionWindow>> windows;
        for (int i = 0; i < 3; ++i) {
            windows.push_back(std::make_unique<ConversionWindow>(Row("profs-pmb"), f.services));
            windows.back()->show();
            QVERIFY(!places.contains(windows.back()->pos()));
            places.append(windows.back()->pos());
        }
    }

    void freshWindowGuidesAndTakesTheKeyboard() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("eleves-bcdi", f));
        QVERIFY(window->hint()->isVisible());
        QVERIFY(window->hint()->text().contains(window->convertButton()->text()));
        QTRY_COMPARE(window->focusWidget(), window->convertButton());
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        ConvertAndWait(&*window);
        QVERIFY(!window->hint()->isVisible());
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Sconet vers BCDI  : élèves — 0123456A.csv"));
        QTest::keyClick(window->convertButton(), Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    void droppedFileConvertsOnceOnly() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("eleves-pmb", f));
        QVERIFY(!Drop(*window, {f.temp.path()})); // a folder is not an export
        // A file is taken, then checked as if chosen in the dialog.
        QVERIFY(Drop(*window, {f.WriteInput("0123456A.txt", kExport)}));
        QCOMPARE(f.dialogs.messages, QStringList{kWrongStudentName});
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        f.dialogs.messages.clear();
        f.dialogs.warnings.clear();
        // Two files: the user is told to drop one.
        const QString good = f.WriteInput("0123456A.csv", kExport);
        QVERIFY(Drop(*window, {good, f.WriteInput("0234567B.csv", kExport)}));
        QCOMPARE(f.dialogs.warnings, QStringList{"Déposez un seul export"});
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        f.dialogs.messages.clear();
        QVERIFY(Drop(*window, {good}));
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QCOMPARE(window->tree()->topLevelItemCount(), 1);
        QVERIFY(!Drop(*window, {f.WriteInput("0234567B.csv", kExport)}));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("0123456A.csv")));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void openDialogStartsWhereTheLastExportWasFound() {
        WindowFixture f;
        QDir(f.temp.path()).mkpath("exports");
        QDir(f.temp.path()).mkpath("refus");
        const QString input = f.WriteInput("exports/0123456A.csv", kExport);
        {
            ConversionWindow window(Row("eleves-orlane"), f.services);
            f.dialogs.openAnswers.enqueue(input);
            ConvertAndWait(&window);
            QCOMPARE(f.dialogs.lastOpenFolder, f.services.exeDir);
            ConversionWindow refused(Row("eleves-pmb"), f.services); // not remembered
            f.dialogs.openAnswers.enqueue(f.WriteInput("refus/0123456A.csv", SconetHeader(3)));
            ConvertAndWait(&refused);
            QCOMPARE(f.dialogs.warnings.size(), 1);
        }
        f.settings.sync();
        QSettings reread(f.settings.fileName(), QSettings::IniFormat); // the next run
        tressal::app::AppServices next = f.services;
        next.settings = &reread;
        ConversionWindow vesko(Row("eleves-vesko"), next);
        ConvertAndWait(&vesko);
        QCOMPARE(QDir::fromNativeSeparators(f.dialogs.lastOpenFolder), f.temp.filePath("exports"));
        ConversionWindow staff(Row("profs-pmb"), next); // another kind of export
        ConvertAndWait(&staff);
        QCOMPARE(f.dialogs.lastOpenFolder, f.services.exeDir);
    }

    void savesTheLinesAsEditedInThePreview() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("eleves-bcdi", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        ConvertAndWait(&*window);
        const int last = window->tree()->topLevelItemCount() - 1;
        window->tree()->topLevelItem(last)->setText(0, QStringLiteral("DUPONT;Jérôme"));
        // A character the file cannot hold is refused at once, the line left as it was.
        QTreeWidgetItem* other = window->tree()->topLevelItem(0);
        const QString before = other->text(0);
        other->setText(0, QStringLiteral("NOWAK;Łukasz"));
        QCOMPARE(other->text(0), before);
        QCOMPARE(f.dialogs.warnings.size(), 1);
        QVERIFY(f.dialogs.warnings.front().startsWith(QStringLiteral("Le caractère « Ł » ")));
        const QString target = f.Output("BCDI/0123456A/Eleves/elevesBCDI.csv");
        f.dialogs.saveAnswers.enqueue(target);
        window->SaveClick();
        QVERIFY(ReadBytes(target).endsWith("\r\nDUPONT;J\xE9r\xF4me\r\n"));
    }

    // The filter selected when the dialog opens lists every form of the export.
    void firstOpenFilterListsEveryFormOfTheExport() {
        for (const auto& row : WindowRows()) {
            const QString first = QString::fromUtf8(row.openFilter).section(";;", 0, 0);
            const QString patterns = first.section('(', 1).chopped(1);
            const QStringList exports =
                row.input == tressal::app::ExportKind::Students
                    ? QStringList{"ExportXML_ElevesAvecAdresses.zip", "ElevesSansAdresses.xml",
                                  "0123456A.csv"}
                    : QStringList{"sts_emp_0123456A_2026.xml", "sts_emp_0123456A_2026.zip"};
            for (const QString& name : exports)
                QVERIFY2(row.input == tressal::app::ExportKind::StaffFolder ||
                             QDir::match(patterns, name),
                         qPrintable(QString(row.cliName) + " " + name));
        }
    }

    // A conversion runs on a worker thread: meanwhile the window is busy,
    // says what it does and takes no second export; closed, it abandons the
    // work and nothing is written.
    void convertsWithoutBlockingAndCanBeAbandoned() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("eleves-pmb", f));
        QSignalSpy finished(window.data(), &ConversionWindow::conversionFinished);
        window->ConvertInput(f.WriteInput("0123456A.csv", kExport));
        QVERIFY(window->busy());
        QVERIFY(!window->convertButton()->isEnabled());
        QCOMPARE(window->cursor().shape(), Qt::BusyCursor);
        QVERIFY(window->progressLine()->isVisible());
        QCOMPARE(window->progressLine()->text(), QStringLiteral("Lecture de « 0123456A.csv »…"));
        window->ConvertInput(f.WriteInput("0234567B.csv", kExport)); // ignored
        QTest::keyClick(window, Qt::Key_Return);                     // ignored
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.size(), 1);
        QVERIFY(!window->busy());
        QVERIFY(!window->progressLine()->isVisible());
        QCOMPARE(window->result().code, std::string("0123456A"));
        window->close();

        QDir(f.temp.path()).mkpath("cite");
        const QByteArray sts =
            "<STS_EDT><DONNEES><INDIVIDUS><INDIVIDU ID=\"1\"><NOM_USAGE>A</NOM_USAGE><PRENOM>B"
            "</PRENOM></INDIVIDU></INDIVIDUS></DONNEES></STS_EDT>\n";
        f.WriteInput("cite/STS_a.xml", sts);
        f.WriteInput("cite/STS_b.xml", sts);
        QPointer<ConversionWindow> cite(Open("profs-orlane-cite", f));
        cite->ConvertInput(f.temp.filePath("cite"));
        cite->close();
        tressal::app::WaitForConversionJobs();
        QCoreApplication::processEvents();
        QTRY_VERIFY(cite.isNull());
        QVERIFY(!QFile::exists(f.Output("Litiges.txt")));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // A line wider than the preview is scrolled to, and whole in its tooltip.
    void longLinesScrollAndShowWhole() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("eleves-bcdi", f));
        ConvertAndWait(window.get(), f.WriteInput("0123456A.csv", kExport));
        QTreeWidgetItem* last = window->tree()->topLevelItem(1);
        const QString line = last->text(0);
        QVERIFY(line.endsWith(QStringLiteral("INE1")));
        QVERIFY(window->tree()->columnWidth(0) >=
                window->tree()->fontMetrics().horizontalAdvance(line));
        window->resize(200, window->height());
        QTRY_VERIFY(window->tree()->horizontalScrollBar()->maximum() > 0);
        const QPoint at = window->tree()->visualItemRect(last).center();
        QHelpEvent help(QEvent::ToolTip, at, window->tree()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(window->tree()->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), line);
    }

    // Enter converts a fresh window, whose convert button shows it has the
    // keyboard; the title names the file after one blank.
    void enterConvertsAndTheButtonShowsItsFocus() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("eleves-orlane", f));
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_VERIFY(window->convertButton()->hasFocus());
        const QImage focused = window->convertButton()->grab().toImage();
        window->closeButton()->setFocus(Qt::OtherFocusReason);
        QVERIFY(window->convertButton()->grab().toImage() != focused);
        window->convertButton()->setFocus(Qt::OtherFocusReason);
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        QTest::keyClick(window.get(), Qt::Key_Return);
        WaitForConversion(window.get());
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QCOMPARE(window->windowTitle(),
                 QStringLiteral(" Sconet vers Orlane : élèves — 0123456A.csv"));
    }

    // An export that lists no one over a file that lists students: the window
    // asks first; No (the default) writes nothing and keeps the window open.
    void emptyExportAsksBeforeEmptyingAFile_data() {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no answer") << QList<bool>{} << QByteArray("DUPONT,JEAN\r\n");
        QTest::newRow("no") << QList<bool>{false} << QByteArray("DUPONT,JEAN\r\n");
        QTest::newRow("yes") << QList<bool>{true} << QByteArray();
    }
    void emptyExportAsksBeforeEmptyingAFile() {
        QFETCH(QList<bool>, answers);
        QFETCH(QByteArray, after);
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("eleves-orlane", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", SconetHeader()));
        window->ConvertClick();
        WaitForConversion(window.data());
        const QString target = f.Output("Orlane/0123456A/Eleves/0123456A.txt");
        QDir().mkpath(QFileInfo(target).path());
        QFile existing(target);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("DUPONT,JEAN\r\n");
        existing.close();
        f.dialogs.saveAnswers.enqueue(target);
        f.dialogs.confirmAnswers.append(answers);
        window->SaveClick();
        QCOMPARE(f.dialogs.questions.size(), 1);
        QVERIFY2(f.dialogs.questions.front().startsWith(
                     "Tressal|L'export choisi ne donne aucun élève : l'enregistrer remplacerait"),
                 qPrintable(f.dialogs.questions.front()));
        QVERIFY(f.dialogs.noByDefaults.front());
        QCOMPARE(ReadBytes(target), after);
        QCOMPARE(!window.isNull() && window->isVisible(), !after.isEmpty());
    }

    void firstSaveFilterShowsTheProposedFile() {
        WindowFixture f;
        for (const auto& row : WindowRows()) {
            const QString filters = QString::fromUtf8(row.saveFilter);
            if (filters.isEmpty())
                continue;
            ConversionWindow window(row, f.services);
            const QString first = filters.section(QStringLiteral(";;"), 0, 0);
            const QString pattern = first.section('(', 1).chopped(1);
            const QString proposed = row.cliName == std::string_view("eleves-bcdi")
                                         ? QStringLiteral("elevesBCDI.csv")
                                         : QStringLiteral("profs.txt");
            QVERIFY2(QDir::match(pattern, proposed), row.cliName);
        }
    }
};

QTEST_MAIN(WindowBehaviourTest)
#include "window_behaviour_test.moc"
