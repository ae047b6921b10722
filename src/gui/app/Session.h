#pragma once

namespace tremolux {

class CMainFrame;

// Keeps the main window and its polar and world map windows in the
// settings; the windows are shown normal afterwards, so call it only as the
// frame closes.
void SaveSession(CMainFrame& frame);

// Gives the frame its stored geometry, toolbar and status bar, before it is shown.
void RestoreFrameLayout(CMainFrame& frame);

// Reopens the stored polar and world map windows inside the shown frame. Values that do not
// make sense fall back to a new window's; windows are moved into view.
// Returns false when no window was stored.
bool RestoreMapWindows(CMainFrame& frame);

}  // namespace tremolux
