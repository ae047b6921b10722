#pragma once

namespace tremolux {

// Exit statuses of tremolux-cli.
constexpr int kExitSuccess = 0;
constexpr int kExitFeedFailed = 1;
constexpr int kExitUsage = 2;

}  // namespace tremolux
