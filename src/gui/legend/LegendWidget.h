#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "core/common/DisplaySettings.h"

namespace tremolux {

// Hosts the legend of one map window's picture, polar or world map; the
// painting is the core's.
class LegendWidget : public QWidget {
    Q_OBJECT
public:
    explicit LegendWidget(QWidget* parent = nullptr);

    // A polar map window's legend, for its settings.
    void ShowPolar(const DisplaySettings& settings);
    // A world map window's legend, for its settings and the labels of the
    // alert rules' rings over it.
    void ShowWorld(const DisplaySettings& settings, std::vector<std::string> ruleRings);
    // No window is open.
    void ShowNone();

    // The settings explained, none when no window is open.
    const std::optional<DisplaySettings>& Settings() const { return m_settings; }
    bool ShowsWorld() const { return m_world; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Show(const std::optional<DisplaySettings>& settings, bool world,
              std::vector<std::string> ruleRings);

    std::optional<DisplaySettings> m_settings;
    bool m_world = false;
    std::vector<std::string> m_ruleRings;
};

}  // namespace tremolux
