#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/app/CTremoluxDoc.h"
#include "gui/app/RecentFiles.h"
#include "gui/app/WatcherTest.h"

namespace tremolux {
namespace {

using test::BoxText;
using test::WaitUntil;
using test::WatcherTest;

MapWindow Manila()
{
    MapWindow window;
    window.city = CityAt("Manila", 14.5995, 120.9842);
    window.settings.hours = 168;
    window.settings.nearestRadius = 15000000.0;
    window.settings.pieRadius = 0.0;
    window.settings.drawTexts = 0;
    return window;
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

TEST_F(WatcherTest, SavedWindowOpensWithItsCityAndSettings)
{
    Start();
    QTemporaryDir dir;
    CChildFrame* original = frame->OnFileNew();
    original->GetView()->SetContent(Manila());
    const QString path = dir.filePath("manila.tremolux");
    const Result<> save =
        original->GetDocument().OnSaveDocument(path, original->GetView()->Content());
    ASSERT_TRUE(save) << save.error();
    EXPECT_EQ(original->windowTitle(), "manila.tremolux");
    EXPECT_EQ(original->GetDocument().GetPathName(), path);
    original->close();

    CChildFrame* opened = frame->OpenDocumentFile(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowTitle(), "manila.tremolux");
    const MapWindow shown = opened->GetView()->Content();
    EXPECT_EQ(shown.city.name, "Manila");
    EXPECT_EQ(shown.city.position.latDecimal, 14.5995);
    EXPECT_EQ(shown.city.position.lonDecimal, 120.9842);
    EXPECT_EQ(shown.settings.hours, 168);
    EXPECT_EQ(shown.settings.nearestRadius, 15000000.0);
    EXPECT_EQ(shown.settings.pieRadius, 0.0);
    EXPECT_EQ(shown.settings.drawTexts, 0);
    EXPECT_EQ(frame->m_wndStatusBar->currentMessage(), " 168 hr   15000 max   0 pie");

    // Painting keeps the window's own city rather than taking the current one.
    opened->GetView()->repaint();
    EXPECT_EQ(opened->GetView()->City().name, "Manila");
}

// A file that holds no map window opens nothing, changes nothing and says
// which line is wrong.
TEST_F(WatcherTest, BadFilesOpenNothingAndNameTheLine)
{
    Start();
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.tremolux");
    const struct {
        QByteArray contents;
        QString reason;
    } cases[] = {
        {"GIF89a", "line 1: this is not a Tremolux map window file"},
        {"Tremolux map window 1\ncity=Lima\nlatitude=-12.05\nlongitude=-77.04\nhours=500\n",
         "line 5: hours must be a whole number inside 0 ... 168"},
        {"Tremolux map window 1\ncity=Lima\n", "line 2: \"latitude\" is missing"},
        {QByteArray(70000, 'x'), "it is too large to be a Tremolux map window file"},
    };
    for (const auto& c : cases) {
        Write(path, c.contents);
        const QString recent = RecentFiles().value(0);
        CChildFrame* opened = reinterpret_cast<CChildFrame*>(1);
        const QString text = BoxText([&] { opened = frame->OpenDocumentFile(path); });
        EXPECT_EQ(text, path + " cannot be opened: " + c.reason + ".");
        EXPECT_EQ(opened, nullptr);
        EXPECT_EQ(frame->MapWindows().size(), 1);
        EXPECT_EQ(RecentFiles().value(0), recent);
    }

    // On the command line, a bad file stops start-up before any window opens.
    frame->close();
    const QString text = BoxText([&] {
        Start(kFeedTimeout, std::chrono::milliseconds(10), {dir.filePath("bad.tremolux")});
    });
    EXPECT_FALSE(started);
    EXPECT_TRUE(text.endsWith("it is too large to be a Tremolux map window file."))
        << text.toStdString();
    EXPECT_TRUE(frame->MapWindows().isEmpty());
}

// A save never puts a plain file in place of a device or a FIFO, and never
// writes what could not be opened again; each refusal says why.
TEST_F(WatcherTest, SaveRefusesSpecialFilesAndWindowsThatWouldNotOpen)
{
    Start();
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.tmx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    MapWindow bell = Manila();
    bell.city.name = "Ma\anila";
    const struct {
        QString path;
        MapWindow window;
        QString error;
    } rows[] = {
        {fifo, Manila(), "it is a FIFO, not a regular file"},
        {"/dev/null", Manila(), "it is a device, not a regular file"},
        {dir.filePath("bell.tmx"), bell,
         "it could not be opened again (line 2: the city name must be one line of text)"},
    };
    CTremoluxDoc& document = frame->MapWindows().at(0)->GetDocument();
    for (const auto& row : rows) {
        const Result<> save = document.OnSaveDocument(row.path, row.window);
        ASSERT_FALSE(save) << row.path.toStdString();
        EXPECT_EQ(QString::fromStdString(save.error()), row.error);
    }
    EXPECT_EQ(QFileInfo(fifo).isFile(), false);
    EXPECT_FALSE(QFile::exists(dir.filePath("bell.tmx")));
}

// A save that cannot be completed leaves the old file as it was and says why.
TEST_F(WatcherTest, FailedSaveLeavesTheOldFileWhole)
{
    Start();
    QTemporaryDir dir;
    CTremoluxDoc& document = frame->MapWindows().at(0)->GetDocument();
    const Result<> onDirectory = document.OnSaveDocument(dir.path(), Manila());
    ASSERT_FALSE(onDirectory);
    EXPECT_FALSE(onDirectory.error().empty());
    EXPECT_FALSE(document.OnSaveDocument(dir.filePath("no/such/dir/x"), Manila()));
    EXPECT_TRUE(document.GetPathName().isEmpty());

    // A disk that fills up mid-write, for any user: no file may grow past a few bytes.
    const QString path = dir.filePath("kept.tremolux");
    Write(path, "Tremolux map window 1\n# the old one\n");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = before;
    tiny.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const Result<> saved = document.OnSaveDocument(path, Manila());
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(QString::fromStdString(saved.error()).contains("too large", Qt::CaseInsensitive))
        << saved.error();
    EXPECT_EQ(Contents(path), "Tremolux map window 1\n# the old one\n");
    EXPECT_TRUE(document.GetPathName().isEmpty());
}

}  // namespace
}  // namespace tremolux
