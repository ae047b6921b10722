#include "gui/app/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "core/common/Clock.h"

namespace tremolux {

std::optional<OleDate> ParseNowText(const QString& text)
{
    return ParseClockText(text.toStdString());
}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Tremolux watches the world's recent earthquakes and shows them around your cities.");
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
    const QCommandLineOption feed(
        "feed", "Read the quakes from SOURCE: an http, https or file URL, or a file path.",
        "SOURCE");
    const QCommandLineOption now(
        "now", "Take TIME, \"YYYY-MM-DD HH:MM:SS\" in UTC, as the present moment.", "TIME");
    const QCommandLineOption verbose(
        "verbose", "Log each load, its changes and each alert to standard error as well.");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(feed);
    parser.addOption(now);
    parser.addOption(verbose);
    parser.addPositionalArgument("FILE", "A file to open as a map window; one window each.",
                                 "[FILE...]");

    // The parser names the program after its file, or not at all before the
    // application object exists.
    const QString helpText = parser.helpText().replace(
        QRegularExpression(QStringLiteral("^Usage: \\S+")), QStringLiteral("Usage: tremolux"));
    CommandLine result;
    auto usageError = [&](const QString& message) {
        result.exit = true;
        result.exitStatus = 2;
        result.message = "tremolux: " + message + "\n\n" + helpText;
        return result;
    };

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        result.exit = true;
        result.message = helpText;
        return result;
    }
    if (parser.isSet(version)) {
        result.exit = true;
        result.message = "tremolux " TREMOLUX_VERSION "\n";
        return result;
    }
    if (parser.isSet(now)) {
        const std::optional<OleDate> date = ParseNowText(parser.value(now));
        if (!date)
            return usageError("--now wants \"YYYY-MM-DD HH:MM:SS\" (UTC), not \""
                              + parser.value(now) + "\"");
        result.options.now = date;
    }
    result.verbose = parser.isSet(verbose);
    if (parser.isSet(feed))
        result.options.feedAddress = parser.value(feed).toStdString();
    result.options.files = parser.positionalArguments();
    return result;
}

CommandLine ParseCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return ParseCommandLine(arguments);
}

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace tremolux
