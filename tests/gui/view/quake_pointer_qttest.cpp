#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "gui/view/CTremoluxView.h"
#include "support/PaintCounter.h"
#include "support/ShownToolTip.h"
#include "support/Wait.h"

using namespace tremolux;
using tremolux::test::PaintCounter;
using tremolux::test::ShownToolTip;
using tremolux::test::WaitUntil;

namespace {

const OleDate kNow = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

QuakeRecord Quake(double magnitude, double latitude, double longitude, double hoursOld,
                  const std::string& region, const std::string& page = {})
{
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.latitude = latitude;
    quake.longitude = longitude;
    quake.time = OleDate{kNow.value - hoursOld / 24.0, true};
    quake.region = region;
    quake.eventPage = page;
    return quake;
}

// An 800 x 600 window on Tokyo: a 5.0 to the north-east, its ray through
// (463, 221), and a 4.2 to the south-west with a pie over (300, 400).
class QuakePointerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_quakes.Append(Quake(5.0, 38.297, 142.373, 12, "Near the east coast of Honshu",
                              "https://earthquake.usgs.gov/earthquakes/eventpage/us7000abcd"));
        m_quakes.Append(Quake(4.2, 35.0, 139.0, 2, "Izu Islands"));
        MapWindow content;
        content.city.name = "Tokyo";
        content.city.position.latDecimal = 35.68948888888889;
        content.city.position.lonDecimal = 139.69170555555556;
        m_view.SetContent(content);
        m_view.SetFrameCommands({&m_chooseCity, &m_parameters});
        m_view.resize(800, 600);
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
        ASSERT_TRUE(WaitUntil([this] { return m_view.QuakeAt(kOnRay) == 0; }));
    }

    QColor Pixel(QPoint at) { return m_view.grab().toImage().pixelColor(at); }

    static constexpr QPoint kOnRay{463, 221};
    static constexpr QPoint kInPie{300, 400};
    static constexpr QPoint kOpenGround{700, 60};
    QuakeList m_quakes;
    FixedClock m_clock{kNow};
    // What the frame's Map menu holds; a window on its own has no frame.
    QAction m_chooseCity{"Choose &City…"};
    QAction m_parameters{"&Parameters…"};
    CTremoluxView m_view{m_quakes, m_clock};
};

TEST_F(QuakePointerTest, HoverShowsTheQuakesDetails)
{
    QHelpEvent over(QEvent::ToolTip, kInPie, m_view.mapToGlobal(kInPie));
    QApplication::sendEvent(&m_view, &over);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(ShownToolTip(), "M 4.2  Izu Islands\n2024-03-01 10:00:00 UTC (2 h ago)\n"
                              "Depth 0.0 km\n99 km SW of Tokyo\nEstimated intensity II at Tokyo");

    QHelpEvent away(QEvent::ToolTip, kOpenGround, m_view.mapToGlobal(kOpenGround));
    QApplication::sendEvent(&m_view, &away);
    EXPECT_TRUE(WaitUntil([] { return !QToolTip::isVisible(); }));
}

// A feed's region is text: markup in it is shown as written, never rendered
// (an image it names is never opened), and a huge one is cut in the tip.
TEST_F(QuakePointerTest, TipShowsTheRegionAsPlainTextCutToALine)
{
    const QString cut = QString("M 4.2  ") + QString(192, 'x') + QChar(0x2026);
    const struct {
        std::string region;
        QString firstLine;
    } rows[] = {
        {"<b>bold</b>", "M 4.2  <b>bold</b>"},
        {"<img src=\"file:///dev/zero\">", "M 4.2  <img src=\"file:///dev/zero\">"},
        {"a &amp; b  c", "M 4.2  a &amp; b  c"},
        {std::string(1'000'000, 'x'), cut},
    };
    const QuakeRecord izu = m_quakes.at(1);
    for (const auto& row : rows) {
        QuakeRecord hostile = izu;
        hostile.region = row.region;
        m_quakes.Clear();
        m_quakes.Append(hostile);
        m_view.repaint();
        ASSERT_TRUE(WaitUntil([this] { return m_view.PictureIsCurrent(); }));
        QHelpEvent over(QEvent::ToolTip, kInPie, m_view.mapToGlobal(kInPie));
        QApplication::sendEvent(&m_view, &over);
        ASSERT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(ShownToolTip().section('\n', 0, 0), row.firstLine) << row.region.substr(0, 40);
        EXPECT_EQ(ShownToolTip().section('\n', 1), "2024-03-01 10:00:00 UTC (2 h ago)\n"
                                                   "Depth 0.0 km\n99 km SW of Tokyo\n"
                                                   "Estimated intensity II at Tokyo");
        QToolTip::hideText();
    }
}

TEST_F(QuakePointerTest, ClickSelectsOverThePictureAndEscapeOrGroundClears)
{
    QSignalSpy selected(&m_view, &CTremoluxView::quakeSelected);
    PaintCounter paints(&m_view);
    const QPoint ringTop(526, 142 - 11);  // on the ring around the quake's spot
    const QColor before = Pixel(ringTop);

    QTest::mouseClick(&m_view, Qt::LeftButton, {}, kOnRay);
    EXPECT_EQ(m_view.SelectedQuake(), 0);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.takeFirst().at(0).toInt(), 0);
    EXPECT_TRUE(WaitUntil([&] { return paints.count > 0; }));  // shown, not only grabbed
    EXPECT_NE(Pixel(ringTop), before);

    QTest::keyClick(&m_view, Qt::Key_Escape);
    EXPECT_EQ(m_view.SelectedQuake(), -1);
    EXPECT_EQ(Pixel(ringTop), before);  // the mark was never part of the kept picture

    QTest::mouseClick(&m_view, Qt::LeftButton, {}, kInPie);
    EXPECT_EQ(m_view.SelectedQuake(), 1);
    QTest::mouseClick(&m_view, Qt::LeftButton, {}, kOpenGround);
    EXPECT_EQ(m_view.SelectedQuake(), -1);
    EXPECT_EQ(selected.count(), 3);
}

TEST_F(QuakePointerTest, SelectionFollowsItsQuakeThroughAReload)
{
    m_view.SelectQuake(1);
    const QuakeRecord izu = m_quakes.at(1);
    const QuakeRecord honshu = m_quakes.at(0);

    m_quakes.Clear();
    m_quakes.Append(Quake(3.1, 34.0, 138.0, 0.5, "Newer"));
    m_quakes.Append(honshu);
    m_quakes.Append(izu);
    m_view.FollowSelection();
    EXPECT_EQ(m_view.SelectedQuake(), 2);
    // Until it is painted again, the picture of the old list finds nothing.
    EXPECT_EQ(m_view.QuakeAt(kInPie), -1);
    m_view.repaint();
    EXPECT_TRUE(WaitUntil([this] { return m_view.QuakeAt(kInPie) == 2; }));

    // Same place and time, another magnitude: the same event, revised.
    m_quakes.Clear();
    QuakeRecord revised = izu;
    revised.magnitude = 4.3;
    m_quakes.Append(honshu);
    m_quakes.Append(revised);
    m_view.FollowSelection();
    EXPECT_EQ(m_view.SelectedQuake(), 1);

    m_quakes.Clear();
    m_quakes.Append(honshu);
    m_view.FollowSelection();
    EXPECT_EQ(m_view.SelectedQuake(), -1) << "gone from the list";
}

QStringList Items(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            items << action->text().remove('&') + (action->isEnabled() ? "" : " (off)");
    }
    return items;
}

TEST_F(QuakePointerTest, ContextMenuOffersTheQuakeUnderTheMouse)
{
    QMenu* ground = m_view.CreateContextMenu(kOpenGround);
    EXPECT_EQ(Items(ground), (QStringList{"Choose City…", "Parameters…"}));
    delete ground;

    QMenu* withPage = m_view.CreateContextMenu(kOnRay);
    EXPECT_EQ(Items(withPage), (QStringList{"Choose City…", "Parameters…", "Copy quake details",
                                            "Open event page"}));
    EXPECT_EQ(m_view.SelectedQuake(), 0);
    withPage->actions().at(3)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), m_view.QuakeDetailsText(0));
    delete withPage;

    QMenu* withoutPage = m_view.CreateContextMenu(kInPie);
    EXPECT_EQ(Items(withoutPage).last(), "Open event page (off)");
    delete withoutPage;
}

TEST_F(QuakePointerTest, RightClickOpensTheMenuOnceItIsNoDoubleClick)
{
    QTest::mouseClick(&m_view, Qt::RightButton, {}, kInPie);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Items(menu).size(), 4);
    menu->close();
}

TEST_F(QuakePointerTest, NoticeShowsOverThePicture)
{
    const QPoint middle(400, 300);
    const QColor before = Pixel(middle);
    m_view.SetNotice("Waiting for the feed…");
    EXPECT_NE(Pixel(middle), before);
    m_view.SetNotice({});
    EXPECT_EQ(Pixel(middle), before);
}

}  // namespace
