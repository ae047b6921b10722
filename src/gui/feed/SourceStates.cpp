#include "gui/feed/SourceStates.h"

#include <algorithm>
#include <cmath>

#include "core/feed/FeedChoice.h"
#include "gui/feed/FeedView.h"
#include "gui/feed/FeedSource.h"

namespace tremolux {

namespace {

std::string AgeText(OleDate then, OleDate now)
{
    const double minutes = std::floor(OleDayDifference(now, then) * 1440.0);
    return "loaded " + std::to_string(static_cast<long long>(std::max(minutes, 0.0))) + " min ago";
}

std::string StateLine(const FeedSource& source, OleDate now)
{
    std::string line = SourceName(source.Address()) + ": ";
    if (!source.LastFailure().empty()) {
        line += source.LastFailure();
        if (source.HasLoaded())
            line += ", last " + AgeText(source.LastGoodLoad(), now);
        return line;
    }
    return line + (source.HasLoaded() ? AgeText(source.LastGoodLoad(), now) : "not loaded yet");
}

std::string CompactState(const FeedSource& source, OleDate now)
{
    std::string state = SourceName(source.Address()) + " ";
    if (!source.LastFailure().empty())
        return state + "failing";
    if (!source.HasLoaded())
        return state + "waiting";
    const double minutes = std::floor(OleDayDifference(now, source.LastGoodLoad()) * 1440.0);
    return state + std::to_string(static_cast<long long>(std::max(minutes, 0.0))) + " min";
}

}  // namespace

std::string CompactSourceStates(const FeedView& view, OleDate now)
{
    if (view.OtherSources().empty())
        return {};
    std::string text = CompactState(view, now);
    for (const auto& other : view.OtherSources())
        text += " \u00b7 " + CompactState(*other, now);
    return text;
}

std::string SourceStatesText(const FeedView& view, OleDate now)
{
    std::string text = StateLine(view, now);
    for (const auto& other : view.OtherSources())
        text += "\n" + StateLine(*other, now);
    return text;
}

}  // namespace tremolux
