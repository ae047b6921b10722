#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/NumberText.h"
#include "cli/StoreLoad.h"
#include "core/alerts/AlertEvaluation.h"
#include "core/alerts/AlertRulesJson.h"
#include "core/cities/CityFile.h"
#include "core/common/RegularFile.h"
#include "core/events/EventIdentity.h"

namespace tremolux {

namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1970-01-01 as an OLE date

// The minute of the day at now in the process's own time zone (TZ).
int LocalMinute(OleDate now)
{
    const auto seconds =
        static_cast<std::time_t>(std::floor((now.value - kUnixEpochDays) * 86400.0));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return 0;
    return local.tm_hour * 60 + local.tm_min;
}

std::string OneDecimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

// The rules are read before the store is touched: a faulty file changes
// nothing.
int RunAlerts(const CliOptions& options)
{
    const Result<std::string> file = ReadRegularFile(*options.rules, kMaxRulesFileBytes);
    if (!file) {
        std::cerr << "tremolux-cli: alerts: " << *options.rules
                  << " cannot be read: " << file.error() << '\n';
        return kExitUsage;
    }
    const Result<AlertSettings> reading = ReadAlertSettings(
        *file, FileRuleLookups(options.cities ? *options.cities : CityFilePath()));
    if (!reading) {
        std::cerr << "tremolux-cli: alerts: " << *options.rules << ": " << reading.error() << '\n';
        return kExitUsage;
    }
    StoreLoad load;
    if (const int status = LoadIntoStore(options, load); status != kExitSuccess)
        return status;
    AlertContext context;
    context.localMinute = LocalMinute(load.now);
    for (int i = 0; i < load.quakes.count(); ++i)
        context.known.push_back(load.quakes.at(i));
    for (const AlertFiring& firing : EvaluateAlerts(*reading, load.changes, context)) {
        std::cout << firing.ruleName << '\t' << ChangeKindName(firing.change) << '\t'
                  << EventKey(firing.event) << '\t' << FormatNumber(firing.event.magnitude) << '\t'
                  << (firing.km ? std::to_string(std::lround(*firing.km)) : std::string()) << '\t'
                  << firing.city << '\t'
                  << (firing.intensity ? OneDecimal(*firing.intensity) : std::string()) << '\n';
    }
    return kExitSuccess;
}

}  // namespace tremolux
