#pragma once

#include <string>

#include <QFont>
#include <QImage>
#include <QTimer>

#include "core/cities/CityEntry.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeRecord.h"
#include "core/session/MapWindowFile.h"
#include "core/view/QuakeLayout.h"
#include "gui/common/QuakeWindow.h"
#include "gui/view/PictureWorker.h"

class QMenu;

namespace tremolux {

class Clock;
class QuakeList;

// A map window's view: its own city and display settings, drawn from the
// program's one quake list. A left double-click picks the city, a right
// double-click changes the settings. Hovering over a quake tells its details,
// a click selects it, a right click opens the window's menu. It announces its
// title, status text and selection; the frame decides where they show.
class CTremoluxView : public QuakeWindow {
    Q_OBJECT
public:
    CTremoluxView(const QuakeList& quakes, const Clock& clock, QWidget* parent = nullptr);

    const CityEntry& City() const { return m_city; }
    const DisplaySettings& Settings() const { return m_settings; }
    // Takes new settings and shows them at once.
    void SetSettings(const DisplaySettings& settings);
    // The city and settings to keep; a window not painted yet has the current city.
    MapWindow Content() const override;
    // Shows window's settings and, when it names one, its city.
    void SetContent(const MapWindow& window);

    // The selected quake, an index into the quake list, or -1 for none.
    int SelectedQuake() const override { return m_selectedQuake; }
    // Selects index (-1: none) and marks it; announces a change.
    void SelectQuake(int index) override;
    // After the list was read again: selects the same quake where it now is,
    // or nothing when it has gone.
    void FollowSelection();

    // The list index of the quake drawn at pos, or -1.
    int QuakeAt(QPoint pos) const;
    // The tooltip text of the quake with list index index.
    QString QuakeDetailsText(int index) const;

    // A line or two over the picture while it shows no data (empty: none).
    void SetNotice(const QString& notice);
    const QString& Notice() const { return m_notice; }

    // The window's menu at pos, as a right click opens it.
    QMenu* CreateContextMenu(QPoint pos);

    // Announces the settings' status text.
    void UpdateStatusText();

    // The double-click commands; each runs its dialog modally.
    void OnLButtonDblClk();
    void OnRButtonDblClk();

    QSize sizeHint() const override;

    // The picture shown is drawn for the list, clock second, city, settings
    // and size as they are now: what a paint would show once drawing is done.
    bool PictureIsCurrent() const;

signals:
    void statusTextChanged(const QString& text);
    // A newer picture was drawn; the window repaints with it.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
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
        OleDate now;  // the clock's second: it ages the quakes, and the picture is drawn for it

        bool operator==(const PictureKey& other) const;
    };

    struct Picture {
        PictureKey key;
        QImage image;
        QuakeLayout layout;
    };

    PictureKey CurrentPictureKey() const;
    // Has the picture for key drawn on a worker thread, unless one is being
    // drawn: then the newest key is drawn once that one is done.
    void RequestPicture(const PictureKey& key);
    void TakePicture(Picture picture);
    void OnDraw(QPainter& painter);
    void TakeCity(const CityEntry& city);
    void PaintSelection(QPainter& painter) const;
    void PaintNotice(QPainter& painter) const;
    void ShowContextMenu(QPoint pos);

    DisplaySettings m_settings;
    std::string m_strStatus;
    QFont m_font;
    CityEntry m_city;
    const QuakeList& m_quakes;
    const Clock& m_clock;
    // The map as last drawn: an expose or an overlapping window costs a copy,
    // and the window shows it until a newer one is done.
    QImage m_picture;
    PictureKey m_pictureKey;
    // Where the picture put each quake: the mouse finds them here.
    QuakeLayout m_layout;
    PictureWorker m_worker;
    // A paint asked for a newer picture while one was being drawn.
    bool m_newerWanted = false;
    // The next paint only shows the picture just taken: drawing anew because
    // the clock moved on meanwhile would never end for a slow picture.
    bool m_justTaken = false;
    int m_selectedQuake = -1;
    QuakeRecord m_selectedRecord;
    unsigned long long m_selectionRevision = 0;
    QString m_notice;
    // A right click opens the menu once it is clearly no double-click.
    QTimer m_contextMenuDelay;
    QPoint m_contextMenuPos;
};

}  // namespace tremolux
