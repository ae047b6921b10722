#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "core/cities/CityEntry.h"
#include "core/cities/CityFile.h"
#include "core/common/Clock.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/dialogs/CDia_Cities.h"
#include "gui/dialogs/CDia_Parameters.h"
#include "gui/dialogs/ModalDriver.h"
#include "gui/view/CTremoluxView.h"
#include "support/PaintCounter.h"
#include "support/QuakeBuilders.h"

using namespace tremolux;
using tremolux::test::WaitUntil;
using tremolux::test::WhenModal;

namespace {

const OleDate kNow = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

struct SilentTone : Tone {
    void Play(int, int) override {}
};

QuakeRecord Quake(double magnitude, double latitude, double longitude, double hoursOld)
{
    return test::QuakeBefore(kNow, hoursOld, magnitude, latitude, longitude, "Test region");
}

// The first press of a double-click activates the window, as a mouse does.
void DoubleClick(QWidget* view, Qt::MouseButton button)
{
    if (auto* window = qobject_cast<QMdiSubWindow*>(view->parentWidget()))
        window->mdiArea()->setActiveSubWindow(window);
    const QPointF at(view->width() / 3.0, view->height() / 3.0);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, view->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void SetParameters(CDia_Parameters* dialog, const QString& hours, const QString& nearest,
                   const QString& pie, bool texts)
{
    dialog->findChild<QLineEdit*>("m_editHours")->setText(hours);
    dialog->findChild<QLineEdit*>("m_editNearest")->setText(nearest);
    dialog->findChild<QLineEdit*>("m_editPie")->setText(pie);
    dialog->findChild<QCheckBox*>("m_checkTexts")->setChecked(texts);
}

QString HoursShown(CDia_Parameters* dialog)
{
    return dialog->findChild<QLineEdit*>("m_editHours")->text();
}

void Click(QDialog* dialog, const char* button)
{
    dialog->findChild<QPushButton*>(button)->click();
}

void PickCity(CDia_Cities* dialog, const QString& name, const char* button)
{
    auto* list = dialog->findChild<QListWidget*>("m_listCities");
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->setCurrentItem(found.first());
    Click(dialog, button);
}

// A main frame with quakes around Tokyo and Lima, its timers not started,
// and map windows that open on Tokyo and read the test's city file.
class DoubleClickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        StartupDirectory = m_dir.path().toStdString();
        std::ofstream(StartupDirectory + "/CITIES.TXT") << "Lima\t-12.0464\t-77.0428\n"
                                                           "Reykjavik\t64.1466\t-21.9426\n"
                                                           "Tokyo\t35.6895\t139.6917\n";
        CurrentCity = InitialCity();
        m_frame = std::make_unique<CMainFrame>(m_clock, m_tone);
        m_frame->m_quakes.Append(Quake(5.2, 35.0, 139.0, 2));
        m_frame->m_quakes.Append(Quake(4.1, 36.5, 141.0, 10));
        m_frame->m_quakes.Append(Quake(4.6, -13.5, -76.5, 5));
        m_frame->m_quakes.Append(Quake(3.2, -10.0, -78.0, 20));
        m_frame->show();
    }

    void TearDown() override { StartupDirectory.clear(); }

    CChildFrame* OpenWindow()
    {
        CChildFrame* window = m_frame->OnFileNew();
        CTremoluxView* view = window->GetView();
        EXPECT_TRUE(WaitUntil([view] { return !view->City().name.empty(); }));
        return window;
    }

    QString Status() const { return m_frame->m_wndStatusBar->currentMessage(); }

    QTemporaryDir m_dir;
    FixedClock m_clock{kNow};
    SilentTone m_tone;
    std::unique_ptr<CMainFrame> m_frame;
};

// What the window shows once its picture is drawn for what it shows now.
QImage Picture(CTremoluxView* view)
{
    view->repaint();
    EXPECT_TRUE(WaitUntil([view] { return view->PictureIsCurrent(); }));
    return view->grab().toImage();
}

}  // namespace

TEST_F(DoubleClickTest, LeftDoubleClickTakesTheChosenCity)
{
    CChildFrame* window = OpenWindow();
    CTremoluxView* view = window->GetView();
    ASSERT_EQ(window->GetDocument().GetTitle(), "Tokyo");
    const QImage before = Picture(view);

    WhenModal<CDia_Cities>([](CDia_Cities* dialog) {
        EXPECT_EQ(dialog->parentWidget(), nullptr);
        PickCity(dialog, "Lima", "okButton");
    });
    DoubleClick(view, Qt::LeftButton);

    EXPECT_EQ(view->City().name, "Lima");
    EXPECT_EQ(view->City().position.latDecimal, -12.0464);
    EXPECT_EQ(view->City().position.lonDecimal, -77.0428);
    EXPECT_EQ(window->GetDocument().GetTitle(), "Lima");
    EXPECT_EQ(window->windowTitle(), "Lima");
    EXPECT_EQ(Status(), " 48 hr   3000 max   300 pie");
    EXPECT_NE(Picture(view), before);
}

TEST_F(DoubleClickTest, CancelledDialogsChangeNothing)
{
    CChildFrame* window = OpenWindow();
    CTremoluxView* view = window->GetView();
    const QImage before = Picture(view);

    WhenModal<CDia_Cities>(
        [](CDia_Cities* dialog) { PickCity(dialog, "Reykjavik", "cancelButton"); });
    DoubleClick(view, Qt::LeftButton);
    EXPECT_EQ(view->City().name, "Tokyo");
    EXPECT_EQ(window->GetDocument().GetTitle(), "Tokyo");

    // A field passes its check and the next is rejected before Cancel.
    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) {
        EXPECT_EQ(dialog->parentWidget(), nullptr);
        SetParameters(dialog, "6", "20000", "50", false);
        WhenModal<QMessageBox>([](QMessageBox* box) {
            EXPECT_EQ(box->text(), "Show nearest must be inside 0 ... 15000 km");
            box->button(QMessageBox::Ok)->click();
        });
        Click(dialog, "okButton");
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
        Click(dialog, "cancelButton");
    });
    DoubleClick(view, Qt::RightButton);
    EXPECT_EQ(view->Settings().hours, 48.0);
    EXPECT_EQ(view->Settings().drawTexts, 1);
    EXPECT_EQ(Picture(view), before);

    // The next opening shows the window's own values again.
    QString shown;
    WhenModal<CDia_Parameters>([&shown](CDia_Parameters* dialog) {
        shown = HoursShown(dialog);
        Click(dialog, "cancelButton");
    });
    DoubleClick(view, Qt::RightButton);
    EXPECT_EQ(shown, "48");
}

TEST_F(DoubleClickTest, RightDoubleClickChangesTheSettings)
{
    CChildFrame* window = OpenWindow();
    CTremoluxView* view = window->GetView();
    const QImage before = Picture(view);

    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) {
        EXPECT_EQ(HoursShown(dialog), "48");
        SetParameters(dialog, "12", "500", "100", false);
        Click(dialog, "okButton");
    });
    DoubleClick(view, Qt::RightButton);

    EXPECT_EQ(view->Settings().hours, 12.0);
    EXPECT_EQ(view->Settings().nearestRadius, 500000.0);
    EXPECT_EQ(view->Settings().pieRadius, 100000.0);
    EXPECT_EQ(view->Settings().drawTexts, 0);
    EXPECT_EQ(Status(), " 12 hr   500 max   100 pie");
    EXPECT_NE(Picture(view), before);
    EXPECT_EQ(window->GetDocument().GetTitle(), "Tokyo");
}

TEST_F(DoubleClickTest, TwoWindowsKeepTheirOwnCityAndSettings)
{
    CChildFrame* first = OpenWindow();
    CChildFrame* second = OpenWindow();

    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) {
        SetParameters(dialog, "24", "1000", "200", true);
        Click(dialog, "okButton");
    });
    DoubleClick(first->GetView(), Qt::RightButton);
    EXPECT_EQ(Status(), " 24 hr   1000 max   200 pie");

    QString shown;
    WhenModal<CDia_Parameters>([&shown](CDia_Parameters* dialog) {
        shown = HoursShown(dialog);
        SetParameters(dialog, "100", "3000", "300", true);
        Click(dialog, "okButton");
    });
    DoubleClick(second->GetView(), Qt::RightButton);
    EXPECT_EQ(shown, "48");
    EXPECT_EQ(Status(), " 100 hr   3000 max   300 pie");

    WhenModal<CDia_Cities>([](CDia_Cities* dialog) { PickCity(dialog, "Lima", "okButton"); });
    DoubleClick(second->GetView(), Qt::LeftButton);

    EXPECT_EQ(first->GetView()->Settings().hours, 24.0);
    EXPECT_EQ(first->GetView()->Settings().nearestRadius, 1000000.0);
    EXPECT_EQ(second->GetView()->Settings().hours, 100.0);
    EXPECT_EQ(first->GetDocument().GetTitle(), "Tokyo");
    EXPECT_EQ(second->GetDocument().GetTitle(), "Lima");
    EXPECT_EQ(first->GetView()->City().name, "Tokyo");
}

// OK in either dialog paints the window before the double-click returns, also
// when the city chosen is the one it shows already.
TEST_F(DoubleClickTest, OkRepaintsAtOnceEvenForTheSameCity)
{
    CTremoluxView* view = OpenWindow()->GetView();
    QApplication::processEvents();
    tremolux::test::PaintCounter paints(view);

    WhenModal<CDia_Cities>([](CDia_Cities* dialog) { PickCity(dialog, "Tokyo", "okButton"); });
    DoubleClick(view, Qt::LeftButton);
    EXPECT_GT(paints.count, 0);

    paints.count = 0;
    WhenModal<CDia_Parameters>([](CDia_Parameters* dialog) { Click(dialog, "okButton"); });
    DoubleClick(view, Qt::RightButton);
    EXPECT_GT(paints.count, 0);
}
