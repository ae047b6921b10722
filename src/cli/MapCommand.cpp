#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <iostream>

#include "cli/CityLookup.h"
#include "cli/CliClock.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/FeedInput.h"
#include "cli/NumberText.h"
#include "cli/Usage.h"
#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/view/DrawQuakes.h"
#include "core/view/TraceCanvas.h"
#include "gui/view/QPainterCanvas.h"

namespace tremolux {

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

// The map window's settings with the command line's changes; false after a
// usage error.
bool MapSettings(const CliOptions& options, DisplaySettings& settings, std::string& error)
{
    const std::pair<const char*, const std::optional<double>&> numbers[] = {
        {"--hours", options.hours}, {"--nearest", options.nearestKm}, {"--pie", options.pieKm}};
    for (const auto& [name, value] : numbers) {
        if (value && *value < 0.0) {
            error = std::string(name) + ": must not be negative, got " + FormatNumber(*value);
            return false;
        }
    }
    settings.drawTexts = options.noTexts ? 0 : 1;
    settings.hours = options.hours.value_or(settings.hours);
    if (options.nearestKm)
        settings.nearestRadius = *options.nearestKm * 1000.0;
    if (options.pieKm)
        settings.pieRadius = *options.pieKm * 1000.0;
    return true;
}

// Qt's warnings about its environment (no runtime directory and the like)
// mean nothing to a user of this command; only its failures are shown.
void ShowQtFailuresOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

// Painting into an image needs a GUI application for its fonts, never a
// display: the offscreen platform unless the caller chose one.
bool WritePicture(const std::string& path, int width, int height, const DisplaySettings& settings,
                  const CityPosition& city, const QuakeList& quakes, const Clock& clock)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ShowQtFailuresOnly);
    int argc = 1;
    char name[] = "tremolux-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    // The outer pixel is left as a window's erased background shows it.
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, MapLabelFont());
        DrawQuakes(canvas, width, height, settings, city, quakes, clock);
    }

    // Written whole or not at all.
    QSaveFile file(QString::fromStdString(path));
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        std::cerr << "tremolux-cli: cannot write " << path << ": " << reason.toStdString() << '\n';
        return false;
    }
    return true;
}

bool WriteTrace(int width, int height, const DisplaySettings& settings, const CityPosition& city,
                const QuakeList& quakes, const Clock& clock)
{
    TraceCanvas canvas(std::cout);
    DrawQuakes(canvas, width, height, settings, city, quakes, clock);
    if (!std::cout.flush()) {
        std::cerr << "tremolux-cli: cannot write the trace to standard output\n";
        return false;
    }
    return true;
}

}  // namespace

int RunMap(const CliOptions& options)
{
    std::string error;
    DisplaySettings settings;
    if (!MapSettings(options, settings, error))
        return UsageError(error);
    const std::optional<CityEntry> city = ReferenceCity(options, error);
    if (!city)
        return UsageError(error);
    const int width = options.width > 0 ? options.width : kDefaultWidth;
    const int height = options.height > 0 ? options.height : kDefaultHeight;

    QuakeList quakes;
    if (!LoadQuakes(options.feed, quakes))
        return kExitFeedFailed;
    const std::unique_ptr<Clock> clock = MakeClock(options.now);
    const bool written =
        options.out ? WritePicture(*options.out, width, height, settings, city->position, quakes, *clock)
                    : WriteTrace(width, height, settings, city->position, quakes, *clock);
    return written ? kExitSuccess : kExitFeedFailed;
}

}  // namespace tremolux
