#include <QFileInfo>

#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "core/events/EventExport.h"
#include "gui/store/SqlEventStore.h"

namespace tremolux {

int RunHistory(const CliOptions& options)
{
    const QString path = QString::fromStdString(*options.db);
    // Reading a history that is not there would leave an empty one behind.
    if (!QFileInfo(path).isFile()) {
        std::cerr << "tremolux-cli: history: " << *options.db << ": no such file\n";
        return kExitFeedFailed;
    }
    try {
        SqlEventStore store(path);
        const std::vector<HistoryEntry> entries =
            store.History(options.since.value_or(OleDate{0.0, false}),
                          options.until.value_or(OleDate{0.0, false}));
        if (options.format == "csv")
            std::cout << EventsAsCsv(entries);
        else if (options.format == "geojson")
            std::cout << EventsAsGeoJson(entries);
        else
            std::cout << EventsAsTsv(entries);
    } catch (const StoreError& error) {
        std::cerr << "tremolux-cli: history: " << error.what() << '\n';
        return kExitFeedFailed;
    }
    return kExitSuccess;
}

}  // namespace tremolux
