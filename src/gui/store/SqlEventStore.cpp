#include "gui/store/SqlEventStore.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <cmath>
#include <limits>

#include "core/common/JsonText.h"

namespace tremolux {

namespace {

constexpr int kSchemaVersion = 1;

const char* const kSchema[] = {
    "CREATE TABLE events(key INTEGER PRIMARY KEY, id TEXT NOT NULL, ids TEXT NOT NULL,"
    " feed TEXT NOT NULL, magnitude REAL, time REAL, latitude REAL, longitude REAL, depth REAL,"
    " region TEXT NOT NULL, page TEXT NOT NULL, updated REAL, status TEXT NOT NULL,"
    " magnitude_type TEXT NOT NULL, network TEXT NOT NULL, felt INTEGER, cdi REAL, mmi REAL,"
    " alert TEXT NOT NULL, tsunami INTEGER, significance INTEGER, digest INTEGER NOT NULL,"
    " retracted INTEGER NOT NULL, first_seen REAL NOT NULL, revisions INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX events_by_feed ON events(feed, retracted, time)",
    "CREATE INDEX events_by_time ON events(time)",
    "CREATE TABLE aliases(id TEXT PRIMARY KEY, event INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE revisions(event INTEGER NOT NULL, at REAL NOT NULL, what TEXT NOT NULL)",
    "CREATE INDEX revisions_by_event ON revisions(event)",
    "CREATE TABLE loads(feed TEXT PRIMARY KEY, at REAL NOT NULL) WITHOUT ROWID",
};

// The columns of a record's values, in the order Bind writes and ReadRecord reads them.
const char kRecordColumns[] =
    "id, ids, magnitude, time, latitude, longitude, depth, region, page, updated, status,"
    " magnitude_type, network, felt, cdi, mmi, alert, tsunami, significance";
constexpr int kRecordColumnCount = 19;

QVariant Real(double value)
{
    return std::isnan(value) ? QVariant() : QVariant(value);
}

QVariant Date(OleDate date)
{
    return date.valid ? QVariant(date.value) : QVariant();
}

template <typename T>
QVariant Optional(const std::optional<T>& value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariant Text(const std::string& text)
{
    return QString::fromStdString(text);
}

double RealOf(const QVariant& value)
{
    return value.isNull() ? std::numeric_limits<double>::quiet_NaN() : value.toDouble();
}

OleDate DateOf(const QVariant& value)
{
    return value.isNull() ? OleDate{0.0, false} : OleDate{value.toDouble(), true};
}

template <typename T>
std::optional<T> OptionalOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    if constexpr (std::is_same_v<T, double>)
        return value.toDouble();
    else if constexpr (std::is_same_v<T, bool>)
        return value.toLongLong() != 0;
    else
        return static_cast<T>(value.toLongLong());
}

std::string TextOf(const QVariant& value)
{
    return value.toString().toStdString();
}

void BindRecord(QSqlQuery& query, const QuakeRecord& q, const std::string& key)
{
    for (const QVariant& value :
         {Text(key), Text(q.ids), Real(q.magnitude), Date(q.time), Real(q.latitude),
          Real(q.longitude), Real(q.depth), Text(q.region), Text(q.eventPage), Date(q.updated),
          Text(q.status), Text(q.magnitudeType), Text(q.network), Optional(q.feltReports),
          Optional(q.cdi), Optional(q.mmi), Text(q.alert), Optional(q.tsunami),
          Optional(q.significance)})
        query.addBindValue(value);
}

// The record of the columns kRecordColumns from the query's current row,
// starting at column first.
QuakeRecord ReadRecord(const QSqlQuery& query, int first = 0)
{
    auto at = [&](int column) { return query.value(first + column); };
    QuakeRecord q;
    q.eventId = TextOf(at(0));
    q.ids = TextOf(at(1));
    q.magnitude = RealOf(at(2));
    q.time = DateOf(at(3));
    q.latitude = RealOf(at(4));
    q.longitude = RealOf(at(5));
    q.depth = RealOf(at(6));
    q.region = TextOf(at(7));
    q.eventPage = TextOf(at(8));
    q.updated = DateOf(at(9));
    q.status = TextOf(at(10));
    q.magnitudeType = TextOf(at(11));
    q.network = TextOf(at(12));
    q.feltReports = OptionalOf<int>(at(13));
    q.cdi = OptionalOf<double>(at(14));
    q.mmi = OptionalOf<double>(at(15));
    q.alert = TextOf(at(16));
    q.tsunami = OptionalOf<bool>(at(17));
    q.significance = OptionalOf<int>(at(18));
    return q;
}

// A JSON array of the texts, for SQLite's json_each.
QString JsonArray(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (const std::string& text : texts)
        json += (json.size() > 1 ? "," : "") + JsonText(text);
    return QString::fromStdString(json + "]");
}

double TimeOf(const QuakeRecord& quake)
{
    return quake.time.valid ? quake.time.value : std::numeric_limits<double>::quiet_NaN();
}

QVariant Digest(std::uint64_t digest)
{
    return QVariant(static_cast<qint64>(digest));
}

}  // namespace

SqlEventStore::SqlEventStore(const QString& path, const StopFlag& stop)
    : m_stop(stop), m_fileName(QDir::toNativeSeparators(path))
{
    static std::atomic<int> connections{0};
    m_connection = QStringLiteral("tremolux-events-%1").arg(++connections);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw StoreError("Qt's SQLite driver (QSQLITE) is not installed");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(path);
        // A writer holding the file for longer than this is another program's
        // business: we say it is locked rather than freeze.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"));
        db.open();
    }
    try {
        if (!Database().isOpen())
            Fail(Database().lastError());
        if (Scalar(QStringLiteral("PRAGMA journal_mode=WAL")).toString() != QLatin1String("wal"))
            throw StoreError(m_fileName.toStdString() + ": cannot keep a write-ahead journal");
        // With the write-ahead journal, NORMAL keeps every commit through a
        // crash or kill of the process; only a power cut may lose the last
        // loads, which the feed still lists at the next one. FULL would wait
        // for the disk at every load.
        Run(QStringLiteral("PRAGMA synchronous=NORMAL"));
        Run(QStringLiteral("BEGIN IMMEDIATE"));
        const int found = Scalar(QStringLiteral("PRAGMA user_version")).toInt();
        const int tables = Scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt();
        if (found > kSchemaVersion)
            throw StoreError(m_fileName.toStdString() + ": made by a newer version of Tremolux");
        if (found == 0 && tables > 0)
            throw StoreError(m_fileName.toStdString() + ": a database, but not Tremolux's history");
        if (found == 0) {
            for (const char* statement : kSchema)
                Run(QString::fromLatin1(statement));
            Run(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
        }
        Run(QStringLiteral("COMMIT"));
    } catch (const StoreError&) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }
}

SqlEventStore::~SqlEventStore()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase SqlEventStore::Database() const
{
    return QSqlDatabase::database(m_connection, false);
}

void SqlEventStore::Fail(const QSqlError& error) const
{
    const QString reason = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw StoreError(m_fileName.toStdString() + ": " + reason.toStdString());
}

void SqlEventStore::Run(const QString& statement)
{
    QSqlQuery query(Database());
    if (!query.exec(statement))
        Fail(query.lastError());
}

QVariant SqlEventStore::Scalar(const QString& statement)
{
    QSqlQuery query(Database());
    if (!query.exec(statement) || !query.next())
        Fail(query.lastError());
    return query.value(0);
}

QVariant SqlEventStore::Scalar(const QString& statement, const QVariantList& values)
{
    QSqlQuery query(Database());
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        Fail(query.lastError());
    return query.value(0);
}

void SqlEventStore::Begin()
{
    Run(QStringLiteral("BEGIN IMMEDIATE"));
    m_found.clear();
    // Another connection's commit changes the file's data version: what was
    // known of the events may be out of date.
    const qint64 version = Scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
    if (version != m_knownVersion)
        ForgetKnown();
    m_knownVersion = version;
}

void SqlEventStore::ForgetKnown()
{
    m_knownIds.clear();
    m_known.clear();
}

void SqlEventStore::KeepKnown(std::int64_t key, const StoredEvent& event, const std::string& feed)
{
    m_known[key] = {event.digest, event.retracted, TimeOf(event.record), feed};
    for (const std::string& id : event.ids)
        m_knownIds.try_emplace(id, key);
}

void SqlEventStore::Abandon()
{
    QSqlQuery(Database()).exec(QStringLiteral("ROLLBACK"));
}

std::vector<StoredMatch> SqlEventStore::FindByIds(const std::vector<std::string>& ids)
{
    std::vector<StoredMatch> matches;
    std::vector<std::string> unknown;
    for (const std::string& id : ids) {
        const auto found = m_knownIds.find(id);
        if (found == m_knownIds.end()) {
            unknown.push_back(id);
            continue;
        }
        const Known& known = m_known.at(found->second);
        matches.push_back({id, found->second, known.digest, known.retracted});
        m_found.insert(found->second);
    }
    if (unknown.empty())
        return matches;

    QSqlQuery query(Database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT a.id, e.key, e.digest, e.retracted, e.time, e.feed FROM json_each(?) AS j"
        " JOIN aliases AS a ON a.id = j.value JOIN events AS e ON e.key = a.event"));
    query.addBindValue(JsonArray(unknown));
    if (!query.exec())
        Fail(query.lastError());
    while (query.next()) {
        const StoredMatch match{TextOf(query.value(0)), query.value(1).toLongLong(),
                                static_cast<std::uint64_t>(query.value(2).toLongLong()),
                                query.value(3).toInt() != 0};
        m_known[match.key] = {match.digest, match.retracted, RealOf(query.value(4)),
                              TextOf(query.value(5))};
        m_knownIds.emplace(match.id, match.key);
        m_found.insert(match.key);
        matches.push_back(match);
    }
    return matches;
}

QuakeRecord SqlEventStore::Latest(std::int64_t key)
{
    QSqlQuery query(Database());
    query.prepare(
        QStringLiteral("SELECT %1 FROM events WHERE key = ?").arg(QLatin1String(kRecordColumns)));
    query.addBindValue(static_cast<qint64>(key));
    if (!query.exec() || !query.next())
        Fail(query.lastError());
    return ReadRecord(query);
}

// When as many such events are stored as are known, the known ones are all of
// them: counting them in the index is far cheaper than reading them.
std::vector<std::int64_t> SqlEventStore::ListedAfter(const std::string& feed, OleDate since)
{
    std::vector<std::int64_t> keys;
    for (const auto& [key, known] : m_known)
        if (!known.retracted && known.feed == feed && known.time > since.value)
            keys.push_back(key);
    const qlonglong stored =
        Scalar(QStringLiteral("SELECT count(*) FROM events"
                              " WHERE feed = ? AND retracted = 0 AND time > ?"),
               {Text(feed), since.value})
            .toLongLong();
    if (stored == static_cast<qlonglong>(keys.size()))
        return keys;

    keys.clear();
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT key FROM events WHERE feed = ? AND retracted = 0 AND time > ?"));
    query.addBindValue(Text(feed));
    query.addBindValue(since.value);
    if (!query.exec())
        Fail(query.lastError());
    while (query.next())
        keys.push_back(query.value(0).toLongLong());
    return keys;
}

void SqlEventStore::Write(const LoadWrite& write)
{
    QSqlQuery alias(Database());
    if (!write.added.empty() || !write.updated.empty())
        alias.prepare(QStringLiteral("INSERT OR IGNORE INTO aliases(id, event) VALUES(?, ?)"));
    std::size_t written = 0;
    auto keepIds = [&](const StoredEvent& event, qint64 key) {
        if (++written % 256 == 0)
            m_stop.ThrowIfRaised();
        for (const std::string& id : event.ids) {
            alias.addBindValue(Text(id));
            alias.addBindValue(key);
            if (!alias.exec())
                Fail(alias.lastError());
        }
    };

    std::vector<std::int64_t> addedKeys;
    if (!write.added.empty()) {
        QSqlQuery insert(Database());
        insert.prepare(QStringLiteral("INSERT INTO events(%1, feed, digest, retracted, first_seen)"
                                      " VALUES(%2?, ?, ?, ?)")
                           .arg(QLatin1String(kRecordColumns),
                                QStringLiteral("?, ").repeated(kRecordColumnCount)));
        for (const StoredEvent& event : write.added) {
            BindRecord(insert, event.record, event.ids.front());
            insert.addBindValue(Text(write.feed));
            insert.addBindValue(Digest(event.digest));
            insert.addBindValue(int{event.retracted});
            insert.addBindValue(write.loadedAt.value);
            if (!insert.exec())
                Fail(insert.lastError());
            addedKeys.push_back(insert.lastInsertId().toLongLong());
            keepIds(event, addedKeys.back());
        }
    }

    if (!write.updated.empty()) {
        QString assignments;
        for (const QString& column : QString::fromLatin1(kRecordColumns).split(QLatin1Char(',')))
            assignments += column.trimmed() + QStringLiteral(" = ?, ");
        QSqlQuery update(Database());
        update.prepare(QStringLiteral("UPDATE events SET %1feed = ?, digest = ?, retracted = ?,"
                                      " revisions = revisions + ? WHERE key = ?")
                           .arg(assignments));
        QSqlQuery revision(Database());
        revision.prepare(QStringLiteral("INSERT INTO revisions(event, at, what) VALUES(?, ?, ?)"));
        for (const StoredUpdate& changed : write.updated) {
            BindRecord(update, changed.latest.record, changed.latest.ids.front());
            update.addBindValue(Text(write.feed));
            update.addBindValue(Digest(changed.latest.digest));
            update.addBindValue(int{changed.latest.retracted});
            update.addBindValue(changed.revision.empty() ? 0 : 1);
            update.addBindValue(static_cast<qint64>(changed.key));
            if (!update.exec())
                Fail(update.lastError());
            keepIds(changed.latest, changed.key);
            if (changed.revision.empty())
                continue;
            revision.addBindValue(static_cast<qint64>(changed.key));
            revision.addBindValue(write.loadedAt.value);
            revision.addBindValue(Text(changed.revision));
            if (!revision.exec())
                Fail(revision.lastError());
        }
    }

    if (!write.retracted.empty()) {
        QSqlQuery retract(Database());
        retract.prepare(QStringLiteral("UPDATE events SET retracted = 1 WHERE key = ?"));
        for (const std::int64_t key : write.retracted) {
            retract.addBindValue(static_cast<qint64>(key));
            if (!retract.exec())
                Fail(retract.lastError());
        }
    }

    QSqlQuery load(Database());
    load.prepare(QStringLiteral("INSERT OR REPLACE INTO loads(feed, at) VALUES(?, ?)"));
    load.addBindValue(Text(write.feed));
    load.addBindValue(write.loadedAt.value);
    if (!load.exec())
        Fail(load.lastError());
    Run(QStringLiteral("COMMIT"));

    // Known from now on: the events this load named, as it left them.
    for (std::size_t i = 0; i < write.added.size(); ++i) {
        KeepKnown(addedKeys[i], write.added[i], write.feed);
        m_found.insert(addedKeys[i]);
    }
    for (const StoredUpdate& changed : write.updated)
        KeepKnown(changed.key, changed.latest, write.feed);
    for (const std::int64_t key : write.retracted)
        if (const auto known = m_known.find(key); known != m_known.end())
            known->second.retracted = true;
    std::erase_if(m_known, [&](const auto& entry) { return !m_found.contains(entry.first); });
    std::erase_if(m_knownIds, [&](const auto& entry) { return !m_known.contains(entry.second); });
}

OleDate SqlEventStore::LastLoad(const std::string& feed)
{
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("SELECT at FROM loads WHERE feed = ?"));
    query.addBindValue(Text(feed));
    if (!query.exec())
        Fail(query.lastError());
    return query.next() ? DateOf(query.value(0)) : OleDate{0.0, false};
}

// In one transaction, and only when there is something to forget: the ids
// have no index by event, so their delete reads them all.
void SqlEventStore::PurgeBefore(OleDate before)
{
    Run(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        const QVariantList bound{before.value};
        if (Scalar(QStringLiteral("SELECT count(*) FROM events WHERE time < ?"), bound).toLongLong()
            > 0) {
            for (const QString& statement :
                 {QStringLiteral("DELETE FROM revisions WHERE event IN (SELECT key FROM events "
                                 "WHERE time < ?)"),
                  QStringLiteral(
                      "DELETE FROM aliases WHERE event IN (SELECT key FROM events WHERE time < ?)"),
                  QStringLiteral("DELETE FROM events WHERE time < ?")}) {
                QSqlQuery query(Database());
                query.prepare(statement);
                query.addBindValue(before.value);
                if (!query.exec())
                    Fail(query.lastError());
            }
            ForgetKnown();
        }
        Run(QStringLiteral("COMMIT"));
    } catch (const StoreError&) {
        Abandon();
        throw;
    }
}

std::vector<HistoryEntry> SqlEventStore::History(OleDate since, OleDate until)
{
    QString where;
    if (since.valid)
        where += QStringLiteral(" AND time >= %1").arg(since.value, 0, 'g', 17);
    if (until.valid)
        where += QStringLiteral(" AND time <= %1").arg(until.value, 0, 'g', 17);
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1, first_seen, revisions, retracted FROM events"
                                   " WHERE 1%2 ORDER BY time DESC, key DESC")
                        .arg(QLatin1String(kRecordColumns), where)))
        Fail(query.lastError());
    std::vector<HistoryEntry> entries;
    while (query.next())
        entries.push_back({ReadRecord(query), DateOf(query.value(kRecordColumnCount)),
                           query.value(kRecordColumnCount + 1).toInt(),
                           query.value(kRecordColumnCount + 2).toInt() != 0});
    return entries;
}

}  // namespace tremolux
