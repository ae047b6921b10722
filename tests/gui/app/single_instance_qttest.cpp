#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/app/CTremoluxDoc.h"
#include "gui/app/MapWindowFiles.h"
#include "gui/app/SingleInstance.h"
#include "gui/app/WatcherTest.h"

namespace tremolux {
namespace {

using test::AnswerModal;
using test::WaitUntil;
using test::WatcherTest;

// A real second start of the watcher, on the settings under configHome; its
// exit status, or -1 when it did not end.
int SecondStart(const QString& configHome, const QString& directory, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", configHome);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.start(TREMOLUX_WATCHER, arguments);
    if (!WaitUntil([&] { return process.state() == QProcess::NotRunning; }, 15000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The running watcher takes the second start's files, relative to where that
// start was made, opens them and is the one watcher; the second ends with 0.
TEST_F(WatcherTest, SecondStartHandsItsFilesToTheFirst)
{
    QTemporaryDir home;
    SingleInstance first(QDir(home.path()).filePath("Brevanto/Tremolux.conf"));
    ASSERT_TRUE(first.Lead());
    SingleInstance again(QDir(home.path()).filePath("Brevanto/Tremolux.conf"));
    EXPECT_FALSE(again.Lead());
    SingleInstance otherSettings(QDir(home.path()).filePath("Other/Tremolux.conf"));
    EXPECT_TRUE(otherSettings.Lead());

    Start();
    QObject::connect(&first, &SingleInstance::filesHandedOver, frame,
                     &CMainFrame::OpenHandedOverFiles);
    const QString saved = QDir(home.path()).filePath("manila.tremolux");
    ASSERT_TRUE(SaveMapWindowFile(saved, View(0)->Content()));

    QString box;
    AnswerModal<QMessageBox>(
        [&](QMessageBox* shown) {
            box = shown->text();
            shown->accept();
            return true;
        },
        [&] { EXPECT_EQ(SecondStart(home.path(), home.path(), {"manila.tremolux"}), 0); });
    EXPECT_EQ(box.toStdString(), "") << "the file opens without a word";
    ASSERT_TRUE(WaitUntil([&] { return frame->MapWindows().size() == 2; }));
    EXPECT_EQ(frame->ActiveMapWindow()->GetDocument().GetPathName(), saved);

    EXPECT_EQ(SecondStart(home.path(), home.path(), {}), 0);
    EXPECT_EQ(frame->MapWindows().size(), 2);
}

}  // namespace
}  // namespace tremolux
