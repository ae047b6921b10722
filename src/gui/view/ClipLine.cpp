#include "gui/view/ClipLine.h"

#include <algorithm>

namespace tremolux {

bool ClipLine(QLineF& line, const QRectF& bounds)
{
    const double dx = line.dx();
    const double dy = line.dy();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - bounds.left(), bounds.right() - line.x1(),
                         line.y1() - bounds.top(), bounds.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = line.p1();
    line =
        QLineF(start.x() + t0 * dx, start.y() + t0 * dy, start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

}  // namespace tremolux
