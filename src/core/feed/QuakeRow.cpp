#include "core/feed/QuakeRow.h"

namespace tremolux {

void AddQuakeRow(CellTableDocument& table, const QuakeRecord& quake)
{
    table.AddRow();
    table.AddCell(quake.eventPage);
    table.AddNumberCell(quake.magnitude);
    table.AddDateCell({}, quake.time);
    table.AddNumberCell(quake.latitude);
    table.AddNumberCell(quake.longitude);
    table.AddNumberCell(quake.depth);
    table.AddCell(quake.region);
    CellTableDocument::EventFields event;
    event.id = quake.eventId;
    event.ids = quake.ids;
    event.status = quake.status;
    event.magnitudeType = quake.magnitudeType;
    event.network = quake.network;
    event.alert = quake.alert;
    event.numbers = {quake.updated, quake.feltReports, quake.cdi,
                     quake.mmi,     quake.tsunami,     quake.significance};
    event.readings = quake.readings;
    table.SetRowEvent(event);
}

}  // namespace tremolux
