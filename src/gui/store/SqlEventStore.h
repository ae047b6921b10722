#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

#include <vector>

#include "core/events/EventExport.h"
#include "core/events/EventStore.h"

namespace tremolux {

// The event store in one SQLite file (Qt SQL's QSQLITE driver), written
// through a WAL journal so that a process killed at any moment leaves every
// load committed before it and a file that opens. Tables: events (latest
// values, first seen, revision count), aliases (every id an event has had),
// revisions (what changed, when) and loads (the last good load of each feed).
class SqlEventStore final : public EventStore {
public:
    // Opens the file, creating it when missing. Throws StoreError with the
    // reason when it cannot be used: not a database, corrupt, locked, made by
    // a newer version, or in a folder that cannot be written.
    explicit SqlEventStore(const QString& path);
    ~SqlEventStore() override;
    SqlEventStore(const SqlEventStore&) = delete;
    SqlEventStore& operator=(const SqlEventStore&) = delete;

    void Begin() override;
    void Abandon() override;
    std::vector<StoredMatch> FindByIds(const std::vector<std::string>& ids) override;
    QuakeRecord Latest(std::int64_t key) override;
    std::vector<std::int64_t> ListedAfter(const std::string& feed, OleDate since) override;
    void Write(const LoadWrite& write) override;

    // The stored events whose origin lies within [since, until] (an invalid
    // bound is open), newest first.
    std::vector<HistoryEntry> History(OleDate since, OleDate until);

private:
    QSqlDatabase Database() const;
    [[noreturn]] void Fail(const QSqlError& error) const;
    void Run(const QString& statement);
    // The first value of the statement's first row.
    QVariant Scalar(const QString& statement);

    QString m_connection;
    QString m_fileName;  // for the reasons given to the user
};

}  // namespace tremolux
