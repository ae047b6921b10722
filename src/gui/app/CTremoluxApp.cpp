#include "gui/app/CTremoluxApp.h"

#include <malloc.h>

#include "core/cities/CityEntry.h"
#include "core/cities/CityFile.h"
#include "core/common/Clock.h"
#include "core/feed/CatchUp.h"
#include "core/feed/FeedAddress.h"
#include "gui/app/CTremoluxDoc.h"
#include "gui/app/InstallPaths.h"
#include "gui/app/MapWindowFiles.h"
#include "gui/app/QtTone.h"
#include "gui/app/RecentFiles.h"
#include "gui/app/Session.h"
#include "gui/common/Log.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/Settings.h"

namespace tremolux {

namespace {

constexpr int kOwnMappingBytes = 256 * 1024;
// The window's thread and its workers.
constexpr int kHeaps = 2;

}  // namespace

FeedView* g_pFeedView = nullptr;

CTremoluxApp::CTremoluxApp(AppOptions options) : m_options(std::move(options))
{
    // Feed bodies, documents and pictures are megabytes each and come and go
    // with every load. Above this size they get their own mappings, which go
    // back to the system when freed; glibc would otherwise raise the threshold
    // after the first free and keep them in its heaps.
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
    // Each worker thread (pictures, page builds, the history) would otherwise
    // get a heap of its own, which keeps what the thread freed between loads:
    // about 10 MiB more with four windows. All threads share two heaps instead.
    mallopt(M_ARENA_MAX, kHeaps);
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
    // The first load is fetched and read while the frame and its windows are made.
    StartFeed();
    m_pMainFrame = std::make_unique<CMainFrame>(*m_clock, *m_options.tone, m_options.timings);
    m_pMainFrame->OnCreate();
    if (!m_options.historyFile.isEmpty())
        m_pMainFrame->OpenHistory(m_options.historyFile);

    // Every file is read before any window opens, so a bad one starts nothing.
    QList<MapWindow> windows;
    for (const QString& file : m_options.files) {
        const Result<MapWindow> load = LoadMapWindowFile(file);
        if (!load) {
            const QString text = QObject::tr("%1 cannot be opened: %2.")
                                     .arg(file, QString::fromStdString(load.error()));
            qCWarning(lcSession).noquote() << text;
            ShowMessage(nullptr, QMessageBox::Critical, text);
            return false;
        }
        windows << *load;
    }

    // The stored map windows come back into the shown frame, where they can
    // be fitted into view; files named on the command line replace them.
    RestoreFrameLayout(*m_pMainFrame);
    m_pMainFrame->show();
    for (int i = 0; i < windows.size(); ++i) {
        m_pMainFrame->OpenMapWindow(windows[i], m_options.files[i]);
        AddRecentFile(m_options.files[i]);
    }
    if (windows.isEmpty() && !RestoreMapWindows(*m_pMainFrame))
        m_pMainFrame->OnFileNew();

    RecordStartupDirectory();
    DefaultCityFile = DefaultCityFilePath().toStdString();
    m_pMainFrame->LoadAlerts();  // rules name cities of the city file
    return InitFeed();
}

void CTremoluxApp::StartFeed()
{
    m_pFeedDoc = std::make_unique<CTremoluxDoc>(QStringLiteral("Tremolux data"));
    m_pFeedView = std::make_unique<FeedView>(*m_clock);
    m_pFeedView->SetTimeout(m_options.loadTimeout);
    g_pFeedView = m_pFeedView.get();

    // A feed given on the command line is read alone.
    if (m_options.feedAddress.empty())
        m_pFeedView->SetOtherSources(StoredOtherFeedAddresses());
    m_pFeedView->SetCatchUp(CatchUpAddress(StoredCatchUpService(), FeedAddress(),
                                           StoredLastGoodLoad(), m_clock->Now()));
    m_pFeedView->Navigate2(FeedAddress());
}

bool CTremoluxApp::InitFeed()
{
    CurrentCity = InitialCity();
    m_pMainFrame->UpdateFeedStatus();
    return true;
}

}  // namespace tremolux
