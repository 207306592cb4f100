#include "app/conversion_job.h"

#include "conversions/file_comparison.h"
#include "text/error.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <exception>
#include <memory>
#include <stdexcept>

namespace tressal::app {
namespace {

// Runs the call on the application's thread while the receiver lives.
void Post(const QPointer<QObject>& receiver, std::function<void()> call) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    QMetaObject::invokeMethod(
        application,
        [receiver, call = std::move(call)] {
            if (receiver)
                call();
        },
        Qt::QueuedConnection);
}

} // namespace

const Conversion& ConversionNamed(const char* cliName) {
    const Conversion* conversion = FindConversion(cliName);
    if (!conversion)
        throw std::logic_error(std::string("unknown conversion ") + cliName);
    return *conversion;
}

void StartConversionJob(const Conversion& conversion, std::filesystem::path input,
                        std::filesystem::path outputRoot, QObject* receiver, JobHandlers handlers) {
    const QPointer<QObject> guard(receiver);
    auto shared = std::make_shared<const JobHandlers>(std::move(handlers));
    const auto today = LocalToday();
    QThreadPool::globalInstance()->start([&conversion, input = std::move(input),
                                          root = std::move(outputRoot), guard, shared, today] {
        try {
            const auto progress = [&](const Converted& sofar) {
                if (shared->progress)
                    Post(guard, [shared, sofar] { shared->progress(sofar); });
            };
            Converted result = conversion.convert(input, {progress, today});
            // Against the proposed file: one chosen later in the save dialog is not compared.
            CompareWithProposedFile(conversion, result, root);
            auto kept = std::make_shared<Converted>(std::move(result));
            Post(guard, [shared, kept] { shared->done(std::move(*kept)); });
        } catch (const std::exception& error) {
            Post(guard, [shared, message = UserMessage(error)] { shared->failed(message); });
        }
    });
}

void WaitForConversionJobs() {
    QThreadPool::globalInstance()->waitForDone();
}

} // namespace tressal::app
