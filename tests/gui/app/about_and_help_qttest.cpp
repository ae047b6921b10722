#include <algorithm>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/common/OleDate.h"
#include "core/feed/FeedAddress.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/InstallPaths.h"
#include "support/ShownToolTip.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

using test::WaitUntil;

const QString kLicence = "Free software under the GNU General Public License,\n"
                         "version 3 or later, with no warranty.";

// The about box's texts as shown, top to bottom, each checked to be on screen
// in full inside the box.
QStringList ShownTexts(CAboutDlg& dialog)
{
    dialog.show();
    EXPECT_TRUE(WaitUntil([&] { return dialog.isVisible(); }));
    QList<QLabel*> labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->pixmap().isNull())
            labels << label;
    }
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    QStringList texts;
    for (QLabel* label : labels) {
        EXPECT_TRUE(label->isVisible()) << label->text().toStdString();
        EXPECT_TRUE(dialog.rect().contains(label->geometry())) << label->text().toStdString();
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        texts << label->text();
    }
    return texts;
}

TEST(AboutBoxTest, CreditsTheSurveyAndNamesTheLicenceBelowTheVersion)
{
    CAboutDlg dialog(kDefaultFeedAddress);
    EXPECT_EQ(
        ShownTexts(dialog),
        (QStringList{"Tremolux Version 2.0", "Earthquake data: U.S. Geological Survey", kLicence}));
}

TEST(AboutBoxTest, AnotherFeedIsNamedByItsAddressAndALongOneShortened)
{
    CAboutDlg local("data/sample_week.geojson");
    EXPECT_EQ(ShownTexts(local).value(1), "Earthquake data: data/sample_week.geojson");

    const std::string longAddress = "https://mirror.example/" + std::string(400, 'q') + "/feed";
    CAboutDlg mirror(longAddress);
    const QString shown = ShownTexts(mirror).value(1);
    EXPECT_TRUE(shown.startsWith("Earthquake data: https://")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/feed")) << shown.toStdString();
    EXPECT_LT(shown.size(), 120);
    EXPECT_LT(mirror.width(), 1000);
    const QLabel* source = nullptr;
    for (const QLabel* label : mirror.findChildren<QLabel*>()) {
        if (label->text() == shown)
            source = label;
    }
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(test::ShownToolTip(source->toolTip()),
              "Earthquake data: " + QString::fromStdString(longAddress));
}

struct SilentTone : Tone {
    void Play(int, int) override {}
};

QString HelpPageText()
{
    QFile file(HelpPagePath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << HelpPagePath().toStdString();
    QTextDocument page;
    page.setHtml(QString::fromUtf8(file.readAll()));
    return page.toPlainText();
}

// Each item of every menu appears on the help page as "Menu > Item", and every
// key the frame answers to is named there.
TEST(HelpPageTest, DescribesEveryMenuItemEveryKeyAndBothDoubleClicks)
{
    const FixedClock clock(OleDateFromCalendar(2025, 12, 7, 6, 0, 0));
    SilentTone tone;
    CMainFrame frame(clock, tone);
    const QString help = HelpPageText();

    int items = 0;
    for (const QMenu* menu : frame.findChildren<QMenu*>()) {
        const QString title = QString(menu->title()).remove('&');
        if (title.isEmpty())
            continue;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const QString item = action->text().section('\t', 0, 0).remove('&');
            EXPECT_TRUE(help.contains(title + " > " + item))
                << (title + " > " + item).toStdString();
            ++items;
        }
    }
    EXPECT_GE(items, 13);

    for (const QAction* action : frame.findChildren<QAction*>()) {
        for (const QKeySequence& keys : action->shortcuts()) {
            const QString name = keys.toString(QKeySequence::PortableText);
            EXPECT_TRUE(help.contains(name)) << name.toStdString();
        }
    }
    EXPECT_TRUE(help.contains("Double-click with the left button"));
    EXPECT_TRUE(help.contains("Double-click with the right button"));
}

}  // namespace
}  // namespace tremolux
