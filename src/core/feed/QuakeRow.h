#pragma once

#include "core/feed/CellTableDocument.h"
#include "core/feed/QuakeRecord.h"

namespace tremolux {

// Adds the quake as a row the page walk reads back into the same record:
// its seven cells and its event fields.
void AddQuakeRow(CellTableDocument& table, const QuakeRecord& quake);

}  // namespace tremolux
