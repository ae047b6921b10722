#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "gui/app/WatcherTest.h"
#include "gui/dialogs/FeedDialog.h"
#include "gui/feed/FeedView.h"
#include "support/PushServer.h"

namespace tremolux {
namespace {

using test::AnswerModal;
using test::BoxText;
using test::ChooseFile;
using test::Feed;
using test::Quake;
using test::TestServer;
using test::WaitUntil;
using test::WatcherTest;

struct FeedDialogParts {
    QComboBox* preset;
    QLineEdit* address;
    QLabel* problem;
    QComboBox* refresh;
    QPushButton* ok;
};

FeedDialogParts Parts(FeedDialog& dialog)
{
    QPushButton* ok = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "OK")
            ok = button;
    return {dialog.findChild<QComboBox*>("m_comboPreset"),
            dialog.findChild<QLineEdit*>("m_editAddress"),
            dialog.findChild<QLabel*>("m_labelProblem"),
            dialog.findChild<QComboBox*>("m_comboRefresh"), ok};
}

// The dialog says what is wrong with the address before it can be accepted.
TEST(FeedDialogTest, ValidatesTheAddressBeforeOk)
{
    FeedDialog dialog("file:///data/week.geojson", {}, 7, OleDateFromCalendar(2025, 12, 7, 6));
    FeedDialogParts parts = Parts(dialog);
    ASSERT_TRUE(parts.preset && parts.address && parts.problem && parts.refresh && parts.ok);
    EXPECT_EQ(parts.preset->currentText(), "Other address or file");
    EXPECT_EQ(dialog.RefreshMinutes(), 5) << "a stored period that is no choice gives the default";
    EXPECT_TRUE(parts.ok->isEnabled());

    parts.address->setText("gopher://old.example/feed");
    EXPECT_EQ(parts.problem->text(),
              "Only http, https and file addresses can be read, not gopher:.");
    EXPECT_FALSE(parts.ok->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "OK is not taken with a bad address";

    parts.preset->setCurrentIndex(2);
    emit parts.preset->activated(2);
    EXPECT_EQ(dialog.Address(),
              "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/2.5_hour.geojson");
    EXPECT_TRUE(parts.problem->text().isEmpty());
    EXPECT_TRUE(parts.ok->isEnabled());

    parts.address->setText(
        "https://earthquake.usgs.gov/earthquakes/feed/v1.0/summary/significant_day.geojson");
    EXPECT_EQ(parts.preset->currentText(), "Past day, significant (USGS GeoJSON)");
    QStringList periods;
    for (int i = 0; i < parts.refresh->count(); ++i)
        periods << parts.refresh->itemText(i);
    EXPECT_EQ(periods, (QStringList{"every minute", "every 5 minutes", "every 15 minutes",
                                    "every 60 minutes"}));

    // Other sources, a line each; blank lines are no source.
    auto* others = dialog.findChild<QPlainTextEdit*>("m_editOthers");
    ASSERT_TRUE(others);
    others->setPlainText("https://example.org/fdsnws/event/1/query?format=text\n\nftp://x/y\n");
    EXPECT_EQ(parts.problem->text(),
              "Also read, line 3: Only http, https and file addresses can be read, not ftp:.");
    EXPECT_FALSE(parts.ok->isEnabled());
    others->setPlainText(" https://example.org/fdsnws/event/1/query?format=text\n\n/tmp/b.txt\n");
    EXPECT_TRUE(parts.ok->isEnabled());
    EXPECT_EQ(dialog.OtherAddresses(),
              (QStringList{"https://example.org/fdsnws/event/1/query?format=text", "/tmp/b.txt"}));
}

// An agency's FDSN query of the last seven days above the minimum chosen,
// EMSC's push service offered once among the other sources, and no file
// that would block or fail every start.
TEST(FeedDialogTest, OffersAgencyQueriesThePushAndRefusesSpecialFiles)
{
    FeedDialog dialog("", {}, 5, OleDateFromCalendar(2025, 12, 7, 6, 30, 15));
    FeedDialogParts parts = Parts(dialog);
    auto* minimum = dialog.findChild<QDoubleSpinBox*>("m_spinMinimum");
    auto* others = dialog.findChild<QPlainTextEdit*>("m_editOthers");
    auto* push = dialog.findChild<QPushButton*>("m_buttonPush");
    ASSERT_TRUE(minimum && others && push);
    EXPECT_FALSE(minimum->isEnabled());

    const int ingv = parts.preset->findText("Last 7 days (INGV FDSN event service)");
    ASSERT_GE(ingv, 0);
    parts.preset->setCurrentIndex(ingv);
    emit parts.preset->activated(ingv);
    EXPECT_EQ(dialog.Address(),
              "https://webservices.ingv.it/fdsnws/event/1/query?format=text"
              "&starttime=2025-11-30T06:30:15&minmagnitude=2.5&orderby=time&limit=5000");
    EXPECT_TRUE(minimum->isEnabled());
    minimum->setValue(4.0);
    EXPECT_EQ(dialog.Address(),
              "https://webservices.ingv.it/fdsnws/event/1/query?format=text"
              "&starttime=2025-11-30T06:30:15&minmagnitude=4.0&orderby=time&limit=5000");
    EXPECT_TRUE(parts.ok->isEnabled());
    parts.address->setText(
        "https://service.geonet.org.nz/fdsnws/event/1/query?format=text&minmagnitude=3");
    EXPECT_EQ(parts.preset->currentText(), "Last 7 days (GeoNet FDSN event service)");

    push->click();
    push->click();
    EXPECT_EQ(dialog.OtherAddresses(),
              QStringList{"wss://www.seismicportal.eu/standing_order/websocket"});
    EXPECT_TRUE(parts.ok->isEnabled());
    parts.address->setText("wss://www.seismicportal.eu/standing_order/websocket");
    EXPECT_EQ(parts.problem->text(),
              "A push service is read beside a feed: put its address under Also read.");
    EXPECT_FALSE(parts.ok->isEnabled());

    QTemporaryDir dir;
    const QString fifo = dir.filePath("quakes.fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const auto& [address, problem] : std::vector<std::pair<QString, QString>>{
             {fifo, fifo + " cannot be read as a feed: it is a FIFO, not a regular file."},
             {"file://" + fifo,
              fifo + " cannot be read as a feed: it is a FIFO, not a regular file."},
             {dir.path(), dir.path() + " cannot be read as a feed: it is a directory, not a file."},
             {"/dev/zero",
              "/dev/zero cannot be read as a feed: it is a device, not a regular file."}}) {
        parts.address->setText(address);
        EXPECT_EQ(parts.problem->text(), problem);
        EXPECT_FALSE(parts.ok->isEnabled());
    }
    parts.address->setText(QString(TREMOLUX_SAMPLES) + "/sample_week.geojson");
    EXPECT_TRUE(parts.ok->isEnabled());
    others->setPlainText(fifo);
    EXPECT_EQ(parts.problem->text(),
              "Also read, line 1: " + fifo
                  + " cannot be read as a feed: it is a FIFO, not a regular file.");
}

// A feed chosen in Options > Feed is kept and loaded at once, with its period.
TEST_F(WatcherTest, ChosenFeedLoadsAtOnceAndIsKept)
{
    Start();
    ASSERT_TRUE(FirstLoad());
    TestServer other;
    other.Serve(Feed({{6.1, 14.6, 121.0, 5}}));
    AnswerModal<FeedDialog>(
        [&](FeedDialog* dialog) {
            FeedDialogParts parts = Parts(*dialog);
            parts.address->setText(QString::fromStdString(other.Url()));
            parts.refresh->setCurrentIndex(2);
            parts.ok->click();
            return true;
        },
        [&] { frame->OnOptionsFeed(); });
    EXPECT_EQ(g_pFeedView->Address(), other.Url());
    ASSERT_TRUE(WaitUntil([&] { return frame->m_quakes.count() == 1; }));
    EXPECT_EQ(frame->RefreshPeriod(), std::chrono::minutes(15));
    const AppSettings settings;
    EXPECT_EQ(settings.value(settings::kFeedAddress).toString().toStdString(), other.Url());
    EXPECT_EQ(settings.value(settings::kRefreshMinutes).toInt(), 15);

    // Cancel changes nothing.
    AnswerModal<FeedDialog>(
        [](FeedDialog* dialog) {
            dialog->reject();
            return true;
        },
        [&] { frame->OnOptionsFeed(); });
    EXPECT_EQ(g_pFeedView->Address(), other.Url());
    frame->close();
    app.reset();

    // The next start keeps the period (the fixture's own period is the default).
    Start();
    EXPECT_EQ(frame->RefreshPeriod(), std::chrono::minutes(15));
}

// File > Open Feed reads a feed file as the feed.
TEST_F(WatcherTest, OpenFeedLoadsAFeedFile)
{
    Start();
    ASSERT_TRUE(FirstLoad());
    QTemporaryDir dir;
    const QString path = dir.filePath("two.geojson");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(Feed({{4.0, 10, 10, 3}, {3.0, 20, 20, 4}})));
    file.close();
    AnswerModal<QFileDialog>(ChooseFile(path), [&] { frame->OnFileOpenFeed(); });
    EXPECT_EQ(g_pFeedView->Address(), QUrl::fromLocalFile(path).toString().toStdString());
    EXPECT_TRUE(WaitUntil([&] { return frame->m_quakes.count() == 2; }));
}

// A FIFO kept as the feed (as an older version could store it) fails the
// load at once: no start waits on a writer that never comes.
TEST_F(WatcherTest, AStoredFifoFeedFailsAtOnce)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("quakes.fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    AppSettings().setValue(settings::kFeedAddress, fifo);
    feedOnCommandLine = false;
    EXPECT_FALSE(BoxText([&] { Start(); }).isEmpty());
    EXPECT_TRUE(started);
    EXPECT_NE(g_pFeedView->LastFailure().find("it is a FIFO, not a regular file"),
              std::string::npos)
        << g_pFeedView->LastFailure();
}

// An event pushed beside the feed reaches the list without a reload.
TEST_F(WatcherTest, PushedEventsReachTheListAtOnce)
{
    test::PushServer push;
    AppSettings().setValue(settings::kFeedAddress, QString::fromStdString(server.Url()));
    AppSettings().setValue(settings::kFeedOtherAddresses,
                           QStringList{QString::fromStdString(push.Url())});
    feedOnCommandLine = false;
    Start();
    ASSERT_TRUE(FirstLoad());
    ASSERT_TRUE(WaitUntil([&] { return push.Connected() == 1; }));
    push.Send(
        test::PushedEvent("create", "PUSHED1", "2025-12-07T05:59:00Z", 14.0, 121.0, 6.2, "LUZON"));
    ASSERT_TRUE(WaitUntil([&] { return frame->m_quakes.count() == 4; }));
    EXPECT_EQ(frame->m_quakes.at(0).region, "LUZON");
    EXPECT_NE(frame->FeedStatus().toStdString().find("127.0.0.1 push 0 min"), std::string::npos)
        << frame->FeedStatus().toStdString();
}

}  // namespace
}  // namespace tremolux
