#include <QDir>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/alerts/AlertRulesJson.h"
#include "gui/alerts/CDia_Alerts.h"
#include "gui/alerts/CommandAction.h"
#include "gui/app/WatcherTest.h"

namespace tremolux {
namespace {

using test::AnswerModal;
using test::WaitUntil;

// Feed text meant as shell code arrives as one argument, character for
// character: touch makes one file named after the whole place.
TEST(CommandAction, FeedTextIsOnePlainArgument)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    AlertFiring firing;
    firing.event.region = "Near \"Lima\" $(touch pwned) `touch pwned2`; rm x\nnext\tline {city}";
    firing.city = "Lima";
    const QStringList arguments =
        CommandArguments({"/usr/bin/touch", dir.path().toStdString() + "/{place}"}, firing);
    ASSERT_EQ(arguments.size(), 2);

    CommandRunner runner;
    QSignalSpy finished(&runner, &CommandRunner::finished);
    ASSERT_TRUE(runner.Run(arguments, 10));
    ASSERT_TRUE(WaitUntil([&] { return finished.count() == 1; }));
    EXPECT_EQ(finished.at(0).at(1).toInt(), 0);
    const QStringList made = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(made, QStringList{QString::fromStdString(firing.event.region)});
}

// A hanging command is killed at its limit; beyond the few running and the
// few waiting, further commands are dropped.
TEST(CommandAction, HangingCommandsAreKilledAndTheQueueIsBounded)
{
    CommandRunner runner;
    QSignalSpy finished(&runner, &CommandRunner::finished);
    const int room = CommandRunner::kMaxRunning + CommandRunner::kMaxWaiting;
    for (int i = 0; i < room; ++i)
        ASSERT_TRUE(runner.Run({"/bin/sleep", "30"}, 1));
    EXPECT_FALSE(runner.Run({"/bin/sleep", "30"}, 1));
    EXPECT_EQ(runner.Running(), CommandRunner::kMaxRunning);
    ASSERT_TRUE(WaitUntil([&] { return finished.count() >= 1; }, 5000));
    EXPECT_TRUE(finished.at(0).at(2).toBool());
}

// A rules file with a fault changes nothing in the dialog and says where the
// fault is; an exported file imports back as it was.
TEST(AlertsDialog, ImportTakesAWholeFileOrNothing)
{
    QTemporaryDir dir;
    const AlertSettings before = DefaultAlertSettings(true, 0.0, true);
    CDia_Alerts dialog(before, [](const AlertSettings&) {});
    const QString bad = dir.filePath("bad.json");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"([{"name": "fine", "actions": ["notify"]},
                  {"name": "far", "windows": true, "within_km": 1e309, "actions": ["notify"]}])");
    file.close();

    QString reason;
    AnswerModal<QMessageBox>(
        [&](QMessageBox* box) {
            reason = box->informativeText();
            box->accept();
            return true;
        },
        [&] { EXPECT_FALSE(dialog.Import(bad)); });
    EXPECT_EQ(reason, "rule 2 (far): within_km must be a number above 0 and up to 20038");
    EXPECT_EQ(WriteAlertSettings(dialog.Settings()), WriteAlertSettings(before));

    const QString exported = dir.filePath("rules.json");
    ASSERT_TRUE(dialog.Export(exported));
    CDia_Alerts other(AlertSettings(), [](const AlertSettings&) {});
    ASSERT_TRUE(other.Import(exported));
    EXPECT_EQ(WriteAlertSettings(other.Settings()), WriteAlertSettings(before));
}

}  // namespace
}  // namespace tremolux
