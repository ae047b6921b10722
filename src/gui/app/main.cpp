#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include "gui/app/CTremoluxApp.h"
#include "gui/app/CommandLine.h"
#include "gui/app/SingleInstance.h"
#include "gui/common/Settings.h"
#include "gui/view/PictureWorker.h"

using namespace tremolux;

namespace {

// How long exit waits for a map picture no one will see.
constexpr int kExitWaitMs = 300;

}  // namespace

int main(int argc, char** argv)
{
    CommandLine commandLine = ParseCommandLine(argc, argv);
    if (commandLine.exit) {
        std::fputs(commandLine.message.toLocal8Bit().constData(),
                   commandLine.exitStatus == 0 ? stdout : stderr);
        return commandLine.exitStatus;
    }
    if (!HasDisplay()) {
        std::fputs("tremolux: no display to open a window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set).\n"
                   "The watcher needs a desktop session. Without one, tremolux-cli reads the "
                   "same feed and prints quakes, activity indexes and maps:\n"
                   "  tremolux-cli quakes --feed SOURCE\n"
                   "  tremolux-cli --help\n",
                   stderr);
        return 1;
    }

    if (commandLine.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("tremolux.*.debug=true"));
    QApplication application(argc, argv);
    QApplication::setApplicationName(settings::kApplication);
    QApplication::setOrganizationName(settings::kOrganization);
    QApplication::setApplicationVersion(TREMOLUX_VERSION);

    SingleInstance instance(AppSettings().fileName());
    if (!instance.Lead()) {
        QStringList files;
        for (const QString& file : commandLine.options.files)
            files << QFileInfo(file).absoluteFilePath();
        if (instance.HandOver(files))
            return 0;
        std::fputs("tremolux: Tremolux is already running for this user but does not answer.\n",
                   stderr);
        return 1;
    }

    commandLine.options.historyFile =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/history.sqlite";
    int status = 0;
    {
        CTremoluxApp theApp(std::move(commandLine.options));
        // Files handed over while start-up still shows a box wait for no frame.
        QObject::connect(&instance, &SingleInstance::filesHandedOver,
                         [&theApp](const QStringList& files) {
                             if (CMainFrame* frame = theApp.MainFrame())
                                 frame->OpenHandedOverFiles(files);
                         });
        if (!theApp.InitInstance())
            return 1;
        status = application.exec();
    }
    // Everything is saved and closed by now. A map picture still being drawn
    // must not outlive the fonts it draws with, nor keep the process waiting.
    if (!PictureWorker::WaitForAll(kExitWaitMs)) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
