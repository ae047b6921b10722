#pragma once

#include <string>

#include <QFont>
#include <QWidget>

#include "cities/CityEntry.h"
#include "view/DisplaySettings.h"

namespace tremolux {

class CMainFrame;
class CTremoluxDoc;
class QuakeList;

// A map window's view: its own city and display settings, drawn from the
// main frame's one quake list. A left double-click picks the city, a right
// double-click changes the settings.
class CTremoluxView : public QWidget {
    Q_OBJECT
public:
    CTremoluxView(CMainFrame& frame, CTremoluxDoc& document, QWidget* parent = nullptr);

    CTremoluxDoc& GetDocument() const { return m_document; }
    const CityEntry& City() const { return m_city; }
    const DisplaySettings& Settings() const { return m_settings; }
    // Takes new settings and shows them at once.
    void SetSettings(const DisplaySettings& settings);

    // Puts the settings' status text into the main frame's message pane.
    void UpdateStatusText();

    // The double-click commands; each runs its dialog modally.
    void OnLButtonDblClk();
    void OnRButtonDblClk();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void OnDraw(QPainter& painter);

    DisplaySettings m_settings;
    std::string m_strStatus;
    QFont m_font;
    CityEntry m_city;
    const QuakeList* m_pQuakes;
    CMainFrame& m_frame;
    CTremoluxDoc& m_document;
};

}  // namespace tremolux
