// Prints how long the PMB student window takes to preview a generated
// 100,000-line Sconet CSV (from the chosen file to the last line shown and the
// report below it) beside `tressal-cli eleves-pmb … --dry-run` on the same
// file, measured in the same run, with the ratio (goal: at most 1.5), and the
// longest time the window's event loop was kept from running meanwhile (goal:
// at most 50 ms). Each time is the median of several runs, alternated.

#include "app/conversion_job.h"
#include "app/conversion_window.h"
#include "app/main_window.h"
#include "bench_support.h"
#include "fake_dialogs.h"
#include "sconet_bench_export.h"
#include "text/replace_files.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kStudents = 100000;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Preview {
    double seconds = 0;
    double longestPauseMs = 0;
    bool ok = false;
};

// One window, from the file chosen to the conversion shown; a timer that
// should fire every few milliseconds tells how long the event loop waited.
Preview PreviewOnce(tressal::app::AppServices& services, const QString& input) {
    auto* window = qobject_cast<tressal::app::ConversionWindow*>(
        tressal::app::CreateConversionWindow("eleves-pmb", services));
    window->show();
    QSignalSpy finished(window, &tressal::app::ConversionWindow::conversionFinished);
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    clock.start();
    ticker.start();
    window->ConvertInput(input);
    const bool ok = finished.wait(120000);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    ticker.stop();
    Preview preview{seconds, static_cast<double>(longest),
                    ok && window->tree()->topLevelItemCount() == kStudents};
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return preview;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString input = folder.filePath("0123456A.csv");
    tressal::WriteFileAtomically(tressal::app::ToPath(input), MakeSconetExport(kStudents));
    std::printf("Sconet CSV of %d students, eleves-pmb\n", kStudents);

    FakeDialogs dialogs;
    const QList<QIcon> icons = tressal::app::LoadImagesExtract();
    tressal::app::AppServices services{&dialogs, folder.path(), folder.filePath("sortie"), &icons,
                                       nullptr};
    const std::string cli = std::string(TRESSAL_CLI) + " eleves-pmb '" + input.toStdString() +
                            "' --dry-run --root '" + folder.filePath("cli").toStdString() +
                            "' >/dev/null";
    std::vector<double> cliTimes;
    std::vector<double> previewTimes;
    std::vector<double> pauses;
    bool ok = true;
    for (int run = 0; run < kRuns; ++run) {
        const Measure measure = MeasureInChild([&] {
            if (std::system(cli.c_str()) != 0)
                throw std::runtime_error("tressal-cli failed");
        });
        ok = ok && measure.ok;
        cliTimes.push_back(measure.seconds);
        const Preview preview = PreviewOnce(services, input);
        ok = ok && preview.ok;
        previewTimes.push_back(preview.seconds);
        pauses.push_back(preview.longestPauseMs);
    }
    tressal::app::WaitForConversionJobs();
    const double cliSeconds = Median(cliTimes);
    const double previewSeconds = Median(previewTimes);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-30s %s %8.3f s\n", "tressal-cli --dry-run", ok ? "ok    " : "FAILED",
                cliSeconds);
    std::printf("%-30s %s %8.3f s  %7.1f MB peak  x%.2f of the CLI (goal: at most x1.50)\n",
                "window preview", ok ? "ok    " : "FAILED", previewSeconds,
                static_cast<double>(usage.ru_maxrss) / 1024.0, previewSeconds / cliSeconds);
    std::printf("%-30s %8.0f ms (median of the runs' longest; goal: at most 50 ms)\n",
                "longest event-loop pause", Median(pauses));
    return ok ? 0 : 1;
}
