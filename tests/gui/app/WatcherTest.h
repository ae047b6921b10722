#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/GeoJsonFeature.h"
#include "support/TestServer.h"
#include "support/Wait.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CTremoluxApp.h"
#include "gui/common/Settings.h"
#include "gui/view/CTremoluxView.h"

namespace tremolux::test {

struct Quake {
    double magnitude;
    double latitude;
    double longitude;
    int minutesAgo;
};

inline const QDateTime kNow(QDate(2025, 12, 7), QTime(6, 0, 0), Qt::UTC);

// A USGS GeoJSON feed with these quakes, newest first.
inline std::string Feed(const std::vector<Quake>& quakes)
{
    std::string json = R"({"type":"FeatureCollection","metadata":{"count":)"
                       + std::to_string(quakes.size()) + R"(},"features":[)";
    for (std::size_t i = 0; i < quakes.size(); ++i) {
        const Quake& q = quakes[i];
        const qint64 time = kNow.addSecs(-60LL * q.minutesAgo).toMSecsSinceEpoch();
        json += (i ? "," : "")
                + GeoJsonFeature(q.magnitude, "Test region " + std::to_string(i), time, q.longitude,
                                 q.latitude);
    }
    return json + "]}";
}

inline const std::vector<Quake> kFirstFeed = {
    {5.4, 35.31, 138.71, 30}, {4.4, 36.38, 141.24, 90}, {2.7, 33.5, -116.46, 200}};

struct RecordingTone : Tone {
    void Play(int frequencyHz, int) override { frequencies.push_back(frequencyHz); }
    std::vector<int> frequencies;
};

// A whole watcher started as the command line would, on a feed served from
// 127.0.0.1, with a fixed clock, a recording tone and empty settings.
class WatcherTest : public ::testing::Test {
protected:
    WatcherTest()
    {
        QStandardPaths::setTestModeEnabled(true);
        AppSettings().clear();
        server.Serve(Feed(kFirstFeed));
    }

    void Start(std::chrono::milliseconds loadTimeout = kFeedTimeout,
               std::chrono::milliseconds poll = std::chrono::milliseconds(10),
               const QStringList& files = {})
    {
        AppOptions options;
        options.files = files;
        if (feedOnCommandLine)
            options.feedAddress = server.Url();
        options.now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
        options.tone = &tone;
        options.timings.poll = poll;
        options.timings.refresh = std::chrono::hours(1);  // reloads come from the test
        options.loadTimeout = loadTimeout;
        options.historyFile = historyFile;
        app = std::make_unique<CTremoluxApp>(std::move(options));
        started = app->InitInstance();
        frame = app->MainFrame();
    }

    // Asks for a reload and waits until the cycle has parsed its outcome and
    // the history has told its changes.
    bool Reload()
    {
        frame->OnTimer(MainCycle::ID_TIMER_REFRESH);
        return WaitUntil(
            [this] { return !frame->Cycle().PagePending() && !frame->History().Busy(); });
    }

    bool FirstLoad()
    {
        return WaitUntil(
            [this] { return frame->m_quakes.count() == 3 && !frame->History().Busy(); });
    }

    CTremoluxView* View(int index) const { return frame->MapWindows().at(index)->GetView(); }

    TestServer server;
    RecordingTone tone;
    std::unique_ptr<CTremoluxApp> app;
    CMainFrame* frame = nullptr;
    bool started = false;
    bool feedOnCommandLine = true;  // false: the stored feed, as without --feed
    QString historyFile;            // empty: the session's events only
};

// Runs action while answering the modal dialog of type T that it opens; answer
// returns false while the dialog is not ready for its answer yet.
template <typename T>
void AnswerModal(const std::function<bool(T*)>& answer, const std::function<void()>& action)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            if (answer(dialog))
                poll.stop();
    });
    poll.start(10);
    action();
}

// Runs action and returns the text of the message box it opens, or that comes
// after it, closing the box.
inline QString BoxText(const std::function<void()>& action)
{
    QString text;
    AnswerModal<QMessageBox>(
        [&](QMessageBox* box) {
            text = box->text();
            box->accept();
            return true;
        },
        [&] {
            action();
            WaitUntil([&] { return !text.isEmpty(); });
        });
    return text;
}

// An answer for AnswerModal<QFileDialog> that types path as a person would:
// selectFile() leaves a focused name field alone, and the dialog's file model
// fills in asynchronously.
inline std::function<bool(QFileDialog*)> ChooseFile(const QString& path)
{
    return [path](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!name)
            return false;
        name->setText(path);
        if (dialog->selectedFiles().value(0) != path)
            return false;
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
        return true;
    };
}

}  // namespace tremolux::test
