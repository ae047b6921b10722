#pragma once

#include <string>

#include <QFont>
#include <QImage>
#include <QWidget>

#include "core/cities/CityEntry.h"
#include "core/common/DisplaySettings.h"
#include "core/view/MapWindowFile.h"

namespace tremolux {

class Clock;
class QuakeList;

// A map window's view: its own city and display settings, drawn from the
// program's one quake list. A left double-click picks the city, a right
// double-click changes the settings. It announces its title and status text;
// the frame decides where they show.
class CTremoluxView : public QWidget {
    Q_OBJECT
public:
    CTremoluxView(const QuakeList& quakes, const Clock& clock, QWidget* parent = nullptr);

    const CityEntry& City() const { return m_city; }
    const DisplaySettings& Settings() const { return m_settings; }
    // Takes new settings and shows them at once.
    void SetSettings(const DisplaySettings& settings);
    // The city and settings to keep; a window not painted yet has the current city.
    MapWindow Content() const;
    // Shows window's settings and, when it names one, its city.
    void SetContent(const MapWindow& window);

    // The selected quake, an index into the quake list, or -1 for none.
    int SelectedQuake() const { return m_selectedQuake; }
    // Selects index (-1: none) and marks it; announces a change.
    void SelectQuake(int index);

    // Announces the settings' status text.
    void UpdateStatusText();

    // The double-click commands; each runs its dialog modally.
    void OnLButtonDblClk();
    void OnRButtonDblClk();

    QSize sizeHint() const override;

signals:
    // The window's title: the city's name, once it has one.
    void titleChanged(const QString& title);
    void statusTextChanged(const QString& text);
    void quakeSelected(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // What the picture shows; a picture drawn for another key is out of date.
    struct PictureKey {
        unsigned long long listRevision = 0;
        DisplaySettings settings;
        double latitude = 0.0;
        double longitude = 0.0;
        QSize size;
        qreal pixelRatio = 0.0;
        long long minute = 0;  // the clock's minute: it ages the quakes

        bool operator==(const PictureKey& other) const;
    };

    PictureKey CurrentPictureKey() const;
    void OnDraw(QPainter& painter);
    void TakeCity(const CityEntry& city);

    DisplaySettings m_settings;
    std::string m_strStatus;
    QFont m_font;
    CityEntry m_city;
    const QuakeList& m_quakes;
    const Clock& m_clock;
    // The map as last drawn: an expose or an overlapping window costs a copy.
    QImage m_picture;
    PictureKey m_pictureKey;
    int m_selectedQuake = -1;
};

}  // namespace tremolux
