#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/events/EventExport.h"
#include "core/events/EventStore.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// The event store in one SQLite file (Qt SQL's QSQLITE driver), written
// through a WAL journal so that a process killed at any moment leaves every
// load committed before it and a file that opens. Tables: events (latest
// values, first seen, revision count), aliases (every id an event has had),
// revisions (what changed, when) and loads (the last good load of each feed).
// What the last load found of each event is kept in memory, so that a reload
// that changes nothing reads next to nothing; another writer's commit makes
// it void.
class SqlEventStore final : public EventStore {
public:
    // Opens the file, creating it when missing. Throws StoreError with the
    // reason when it cannot be used: not a database, corrupt, locked, made by
    // a newer version, or in a folder that cannot be written. A write looks
    // at stop every few hundred events and throws Stopped once it is raised.
    explicit SqlEventStore(const QString& path, const StopFlag& stop = StopFlag::Never());
    ~SqlEventStore() override;
    SqlEventStore(const SqlEventStore&) = delete;
    SqlEventStore& operator=(const SqlEventStore&) = delete;

    void Begin() override;
    void Abandon() override;
    std::vector<StoredMatch> FindByIds(const std::vector<std::string>& ids) override;
    QuakeRecord Latest(std::int64_t key) override;
    std::vector<std::int64_t> ListedAfter(const std::string& feed, OleDate since) override;
    void Write(const LoadWrite& write) override;
    OleDate LastLoad(const std::string& feed) override;
    std::vector<HistoryEntry> History(OleDate since, OleDate until) override;
    void PurgeBefore(OleDate before) override;

private:
    QSqlDatabase Database() const;
    [[noreturn]] void Fail(const QSqlError& error) const;
    void Run(const QString& statement);
    // The first value of the statement's first row.
    QVariant Scalar(const QString& statement);
    // Same as Scalar, with the values bound in order.
    QVariant Scalar(const QString& statement, const QVariantList& values);
    void ForgetKnown();
    void KeepKnown(std::int64_t key, const StoredEvent& event, const std::string& feed);

    // What the store held of an event when this connection last read or wrote it.
    struct Known {
        std::uint64_t digest = 0;
        bool retracted = false;
        double time = 0.0;  // NaN when unknown
        std::string feed;
    };

    const StopFlag& m_stop;
    QString m_connection;
    QString m_fileName;  // for the reasons given to the user
    std::unordered_map<std::string, std::int64_t> m_knownIds;
    std::unordered_map<std::int64_t, Known> m_known;
    std::unordered_set<std::int64_t> m_found;  // the keys the load in progress found
    qint64 m_knownVersion = -1;                // the file's data_version the known values belong to
};

}  // namespace tremolux
