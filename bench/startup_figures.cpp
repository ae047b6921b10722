// The watcher's start as a user meets it: from exec to the first paint of a
// map window that shows the feed's quakes. Started by bench/run, which notes
// the moment it starts the process; this program prints the moment of that
// paint on the same monotonic clock, in milliseconds, and ends.
// Usage: startup_figures --feed FILE --now "YYYY-MM-DD HH:MM:SS"
// The run is a first one (bench/run gives it empty settings folders) and keeps
// its events for the session only: the history's first write of a whole feed
// is bench_store's to measure.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/app/CommandLine.h"
#include "gui/app/SingleInstance.h"
#include "gui/common/Settings.h"
#include "gui/view/CTremoluxView.h"

namespace {

using namespace tremolux;

constexpr int kGiveUpMs = 20000;

double MonotonicMs()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Ends the run at the first paint of the map window whose picture is drawn
// from a list with quakes in it.
class FirstMapWithData final : public QObject {
public:
    FirstMapWithData(const CMainFrame& frame, const CTremoluxView& view)
        : m_frame(frame), m_view(view)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_view && event->type() == QEvent::Paint && m_frame.m_quakes.count() > 0
            && m_view.PictureIsCurrent()) {
            std::printf("%.3f\n", MonotonicMs());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return false;
    }

private:
    const CMainFrame& m_frame;
    const CTremoluxView& m_view;
};

}  // namespace

int main(int argc, char** argv)
{
    CommandLine commandLine = ParseCommandLine(argc, argv);
    if (commandLine.exit || commandLine.options.feedAddress.empty()) {
        std::fputs("usage: startup_figures --feed FILE --now \"YYYY-MM-DD HH:MM:SS\"\n", stderr);
        return 2;
    }

    // As the watcher's own main does.
    QApplication application(argc, argv);
    QApplication::setApplicationName(settings::kApplication);
    QApplication::setOrganizationName(settings::kOrganization);
    SingleInstance instance(AppSettings().fileName());
    if (!instance.Lead()) {
        std::fputs("startup_figures: another run is still going\n", stderr);
        return 1;
    }
    CTremoluxApp watcher(std::move(commandLine.options));
    if (!watcher.InitInstance())
        return 1;
    const CMainFrame& frame = *watcher.MainFrame();
    FirstMapWithData firstMap(frame, *frame.MapWindows().at(0)->GetView());
    frame.MapWindows().at(0)->GetView()->installEventFilter(&firstMap);
    QTimer::singleShot(kGiveUpMs, [] {
        std::fputs("startup_figures: no map with data was painted\n", stderr);
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}
