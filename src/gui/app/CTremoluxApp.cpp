#include "gui/app/CTremoluxApp.h"

#include <QFileInfo>

#include "gui/app/CTremoluxDoc.h"
#include "gui/app/InstallPaths.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/Settings.h"
#include "gui/app/QtTone.h"
#include "core/cities/CityEntry.h"
#include "core/cities/CityFile.h"
#include "core/common/Clock.h"
#include "core/feed/FeedAddress.h"

namespace tremolux {

namespace {

// Why a start-up FILE cannot become a map window; empty when it can.
QString WhyNotOpenable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QObject::tr("there is no such file");
    if (info.isDir())
        return QObject::tr("it is a directory, not a file");
    if (!info.isReadable())
        return QObject::tr("it cannot be read");
    return {};
}

}  // namespace

FeedView* g_pFeedView = nullptr;

CTremoluxApp::CTremoluxApp(AppOptions options) : m_options(std::move(options))
{
    if (m_options.now)
        m_clock = std::make_unique<FixedClock>(*m_options.now);
    else
        m_clock = std::make_unique<SystemUtcClock>();
    if (m_options.tone == nullptr) {
        m_ownTone = std::make_unique<QtTone>();
        m_options.tone = m_ownTone.get();
    }
}

CTremoluxApp::~CTremoluxApp()
{
    m_pMainFrame.reset();
    g_pFeedView = nullptr;
}

std::string CTremoluxApp::FeedAddress() const
{
    if (!m_options.feedAddress.empty())
        return m_options.feedAddress;
    const QString stored = AppSettings().value(settings::kFeedAddress).toString();
    return stored.isEmpty() ? std::string(kDefaultFeedAddress) : stored.toStdString();
}

bool CTremoluxApp::InitInstance()
{
    m_pMainFrame = std::make_unique<CMainFrame>(*m_clock, *m_options.tone, m_options.timings);
    m_pMainFrame->OnCreate();

    // Every file is checked before any window opens, so a bad one starts nothing.
    for (const QString& file : m_options.files) {
        const QString reason = WhyNotOpenable(file);
        if (!reason.isEmpty()) {
            ShowMessage(nullptr, QMessageBox::Critical,
                        QObject::tr("%1 cannot be opened: %2.").arg(file, reason));
            return false;
        }
    }
    if (m_options.files.isEmpty())
        m_pMainFrame->OnFileNew();
    for (const QString& file : m_options.files)
        m_pMainFrame->OpenDocumentFile(file);

    m_pMainFrame->show();
    RecordStartupDirectory();
    DefaultCityFile = DefaultCityFilePath().toStdString();
    return InitFeed();
}

bool CTremoluxApp::InitFeed()
{
    CityPosition tokyo;
    tokyo.north = 1;
    tokyo.west = 0;
    tokyo.latDeg = 35.0;
    tokyo.latMin = 41.0;
    tokyo.latSec = 22.16;
    tokyo.lonDeg = 139.0;
    tokyo.lonMin = 41.0;
    tokyo.lonSec = 30.14;
    tokyo.ComputeDecimal();
    CurrentCity.position = tokyo;
    CurrentCity.name = "Tokyo";

    m_pFeedDoc = std::make_unique<CTremoluxDoc>(QStringLiteral("Tremolux data"));
    m_pFeedView = std::make_unique<FeedView>(*m_clock);
    m_pFeedView->SetTimeout(m_options.loadTimeout);
    g_pFeedView = m_pFeedView.get();

    m_pFeedView->Navigate2(FeedAddress());
    m_pMainFrame->UpdateFeedStatus();
    return true;
}

}  // namespace tremolux
