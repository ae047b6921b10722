#include "gui/legend/LegendWidget.h"

#include <QPainter>

#include "core/view/DrawLegend.h"
#include "core/world/DrawWorldLegend.h"
#include "gui/view/QPainterCanvas.h"

namespace tremolux {

namespace {

constexpr int kMinimumWidth = 280;

Rgb ToRgb(const QColor& color)
{
    return {color.red(), color.green(), color.blue()};
}

}  // namespace

LegendWidget::LegendWidget(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMinimumWidth(kMinimumWidth);
    setWhatsThis(tr("What the active map window's colours, discs, rings, pies and index box "
                    "mean, for that window's parameters."));
}

void LegendWidget::ShowPolar(const DisplaySettings& settings)
{
    Show(settings, false, {});
}

void LegendWidget::ShowWorld(const DisplaySettings& settings, std::vector<std::string> ruleRings)
{
    Show(settings, true, std::move(ruleRings));
}

void LegendWidget::ShowNone()
{
    Show(std::nullopt, false, {});
}

void LegendWidget::Show(const std::optional<DisplaySettings>& settings, bool world,
                        std::vector<std::string> ruleRings)
{
    m_settings = settings;
    m_world = world;
    m_ruleRings = std::move(ruleRings);
    update();
}

QSize LegendWidget::sizeHint() const
{
    return {kMinimumWidth + 40, std::max(minimumHeight(), 400)};
}

// The legend asks for the height it used, so that a scroll area around it
// can show all of it.
void LegendWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_settings) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignTop | Qt::TextWordWrap,
                         tr("Open a map window to see what its picture shows."));
        return;
    }
    LegendStyle style;
    style.width = width();
    style.lineHeight = fontMetrics().height() + 2;
    style.text = ToRgb(palette().color(QPalette::Text));
    style.background = ToRgb(palette().color(QPalette::Base));
    QPainterCanvas canvas(painter, font());
    const int used = m_world ? DrawWorldLegend(canvas, style, *m_settings, m_ruleRings)
                             : DrawLegend(canvas, style, *m_settings);
    if (used != minimumHeight())
        setMinimumHeight(used);
}

}  // namespace tremolux
