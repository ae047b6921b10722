#include "gui/world/DrawAlertRings.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

#include "core/world/WorldProjection.h"
#include "core/world/WorldStyle.h"
#include "gui/common/PlainText.h"

namespace tremolux {

namespace {

constexpr int kRingPoints = 180;
const QColor kRingColor(world_style::kAlertRingColor.red, world_style::kAlertRingColor.green,
                        world_style::kAlertRingColor.blue);

}  // namespace

void DrawAlertRings(QPainter& painter, const WorldProjection& projection,
                    const std::vector<AlertRing>& rings)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kRingColor, 1.5, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    // A step longer than the Earth's radius on screen crosses the outer
    // circle (a ring about the antipode): it is left out, not drawn across.
    const double longest = projection.earthRadius();
    for (const AlertRing& ring : rings) {
        QPainterPath path;
        QPointF previous;
        bool first = true;
        QPointF top(0.0, 1e300);
        const auto places = RingPlaces(ring, kRingPoints);
        for (int i = 0; i <= kRingPoints; ++i) {
            const auto& [latitude, longitude] = places[i % kRingPoints];
            const ScreenPoint point = projection.Project(latitude, longitude);
            const QPointF here(point.x, point.y);
            if (first || std::hypot(here.x() - previous.x(), here.y() - previous.y()) > longest)
                path.moveTo(here);
            else
                path.lineTo(here);
            if (here.y() < top.y())
                top = here;
            previous = here;
            first = false;
        }
        painter.drawPath(path);
        painter.setPen(kRingColor);
        painter.drawText(top + QPointF(4.0, -4.0), ShownLines(QString::fromStdString(ring.label)));
        painter.setPen(QPen(kRingColor, 1.5, Qt::DashLine));
    }
    painter.restore();
}

}  // namespace tremolux
