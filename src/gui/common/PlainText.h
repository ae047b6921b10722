#pragma once

#include <QString>

namespace tremolux {

// Texts from outside (a feed, a file, the city list) shown in a label or a
// tip: they are never markup, and a region a megabyte long is not laid out.

// The longest line of outside text a label or a tip shows, "…" included.
inline constexpr int kShownLineMax = 200;

// Each line cut to kShownLineMax characters, ending in "…" where it was cut.
QString ShownLines(const QString& text);

// A tip's text that Qt shows as written: a tip that looks like markup would be
// read as markup (loading the images it names), so the text is escaped into a
// paragraph that keeps its lines and spaces.
QString PlainToolTip(const QString& text);

}  // namespace tremolux
