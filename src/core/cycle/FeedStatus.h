#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

// What the status bar's feed pane is made from.
struct FeedStatus {
    bool anyLoadEnded = false;
    bool hasData = false;      // a good page is held
    OleDate lastGoodLoad;      // when it was loaded
    std::string loadFailure;   // why the latest load failed, empty when it did not
    std::string parseFailure;  // the "Error: no ..." text of the latest parse
};

// "412 quakes, updated 12:05 UTC", or the failure with the age of the data shown.
std::string FeedStatusText(const FeedStatus& status, int quakeCount, OleDate now);

}  // namespace tremolux
