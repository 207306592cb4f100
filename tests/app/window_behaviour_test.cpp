// What a user meets around the conversions: placement, guidance, keyboard,
// drag and drop, remembered folders, edited previews, the menu bar's colours.
#include "app/menu_bar_style.h"
#include "app/window_placement.h"
#include "window_test_support.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QToolButton>
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

QMimeData* Urls(const QString& path) {
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    return data;
}

bool Drop(ConversionWindow& window, const QString& path) {
    QScopedPointer<QMimeData> data(Urls(path));
    QDragEnterEvent enter(QPoint(10, 60), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 60), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
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
        const QRect screen(0, 0, 1280, 800);
        const QRect centred(320, 190, 640, 420);
        QTest::newRow("first, centred") << screen << QList<QRect>{} << centred;
        QTest::newRow("second, below and right")
            << screen << QList<QRect>{centred} << centred.translated(32, 32);
        QTest::newRow("third") << screen << QList<QRect>{centred, centred.translated(32, 32)}
                               << centred.translated(64, 64);
        QTest::newRow("elsewhere: centred")
            << screen << QList<QRect>{QRect(0, 0, 640, 420)} << centred;
        const QRect small(0, 0, 700, 450);
        QTest::newRow("no room below: top left")
            << small << QList<QRect>{QRect(30, 15, 640, 420)} << QRect(0, 0, 640, 420);
        QTest::newRow("taller than the screen: shrunk")
            << QRect(0, 24, 800, 376) << QList<QRect>{} << QRect(80, 24, 640, 376);
    }
    void placement() {
        QFETCH(QRect, available);
        QFETCH(QList<QRect>, open);
        QFETCH(QRect, expected);
        const QRect place = tressal::app::PlaceNewWindow(QSize(640, 420), available, open);
        QCOMPARE(place, expected);
        QVERIFY(available.contains(place));
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
        window->ConvertClick();
        QVERIFY(!window->hint()->isVisible());
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Sconet vers BCDI  : élèves — 0123456A.csv"));
        QTest::keyClick(window->convertButton(), Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    void droppedFileConvertsOnceOnly() {
        WindowFixture f;
        QScopedPointer<ConversionWindow> window(Open("eleves-pmb", f));
        QVERIFY(!Drop(*window, f.temp.path())); // a folder is not an export
        // A file is taken, then checked as if chosen in the dialog.
        QVERIFY(Drop(*window, f.WriteInput("0123456A.txt", kExport)));
        QCOMPARE(f.dialogs.messages, QStringList{kWrongStudentName});
        QCOMPARE(window->state(), ConversionWindow::State::Fresh);
        f.dialogs.messages.clear();
        QVERIFY(Drop(*window, f.WriteInput("0123456A.csv", kExport)));
        QCOMPARE(window->state(), ConversionWindow::State::Converted);
        QCOMPARE(window->tree()->topLevelItemCount(), 1);
        QVERIFY(!Drop(*window, f.WriteInput("0234567B.csv", kExport)));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("0123456A.csv")));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void openDialogStartsWhereTheLastExportWasFound() {
        WindowFixture f;
        QDir(f.temp.path()).mkpath("exports");
        const QString input = f.WriteInput("exports/0123456A.csv", kExport);
        {
            ConversionWindow window(Row("eleves-orlane"), f.services);
            f.dialogs.openAnswers.enqueue(input);
            window.ConvertClick();
            QCOMPARE(f.dialogs.lastOpenFolder, f.services.exeDir);
        }
        f.settings.sync();
        QSettings reread(f.settings.fileName(), QSettings::IniFormat); // the next run
        tressal::app::AppServices next = f.services;
        next.settings = &reread;
        ConversionWindow vesko(Row("eleves-vesko"), next);
        vesko.ConvertClick();
        QCOMPARE(QDir::fromNativeSeparators(f.dialogs.lastOpenFolder), f.temp.filePath("exports"));
        ConversionWindow staff(Row("profs-pmb"), next); // another kind of export
        staff.ConvertClick();
        QCOMPARE(f.dialogs.lastOpenFolder, f.services.exeDir);
    }

    void savesTheLinesAsEditedInThePreview() {
        WindowFixture f;
        QPointer<ConversionWindow> window(Open("eleves-bcdi", f));
        f.dialogs.openAnswers.enqueue(f.WriteInput("0123456A.csv", kExport));
        window->ConvertClick();
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
