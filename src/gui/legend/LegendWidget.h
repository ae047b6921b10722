#pragma once

#include <optional>

#include <QWidget>

#include "core/common/DisplaySettings.h"

namespace tremolux {

// Hosts the legend of one map window's picture; the painting is the core's.
class LegendWidget : public QWidget {
    Q_OBJECT
public:
    explicit LegendWidget(QWidget* parent = nullptr);

    // The settings of the window to explain; none when no window is open.
    void SetSettings(const std::optional<DisplaySettings>& settings);
    const std::optional<DisplaySettings>& Settings() const { return m_settings; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<DisplaySettings> m_settings;
};

}  // namespace tremolux
