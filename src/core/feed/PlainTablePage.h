#pragma once

#include <memory>
#include <string_view>

#include "core/feed/FeedDocument.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// The tables of a page in UTF-8 read straight from its tags, without building
// the tree: for pages made only of plain tables (tags and attributes, comments,
// character references, tables of rows of cells closed or left open, inline
// text elements and line breaks in the cells). The tables, rows, cell texts and
// links are those the full parser gives; null the moment the page holds
// anything else (scripts, templates, foreign content, nested tables, misnested
// tags, text between rows, a reference it does not know), so that the full
// parser can read it instead. Throws Stopped once stop is raised.
std::unique_ptr<FeedDocument> ScanPlainTablePage(std::string_view page,
                                                 const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
