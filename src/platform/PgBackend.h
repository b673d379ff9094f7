#pragma once

#include "Backend.h"

#include <QHash>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

struct pg_conn;
struct pg_result;

// A PostgreSQL server's database, shared by the PCs of an office. Texts fold with the
// function velto_dobra and compare byte by byte (COLLATE "C"), as the file compares them.
class PgBackend final : public Backend {
public:
    // Connects as libpq takes `conninfo`. A writer that creates refuses a database that has
    // tables; any other opener refuses one without them; a reader's transactions are read-only.
    static std::unique_ptr<PgBackend> open(const QString& conninfo, bool create, bool readOnly);
    ~PgBackend() override;

    // The database and its server, without a password, for messages.
    const QString& place() const { return place_; }

    DialectWords words() const override;
    Recordset run(const QString& translated, const QString& sql, const QVariantList& parameters) override;
    void execute(const QString& script) override;
    void begin(Transaction kind) override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    QList<ColumnInfo> columns(const QString& table) override;
    void schemaChanged() override { prepared_.clear(); }
    int schemaVersion() override;
    void setSchemaVersion(int version) override;
    void lockSchema() override;
    void lockRow(const QString& table, qint64 codigo) override;
    void setBusyWait(int milliseconds, std::function<void()> whileWaiting) override;
    bool othersChanged() override;
    bool stillThere() const override { return true; }
    bool backupTo(const QString&, const QString&) override { return false; }
    qint64 lastNumber(const QString& table) override;
    void setLastNumber(const QString& table, qint64 number) override;
    QStringList integrityCheck() override;
    void discardCreated() override;
    QString identity() const override { return identity_; }
    // Also learns the identity: one round trip at open and at each call.
    void followClock() override;

private:
    PgBackend(pg_conn* connection, QString place);
    struct Result;
    struct Shape {
        QString text;
        QList<QByteArray> values;
        QList<unsigned int> types;
        QList<bool> nulls; // by value; none for a shape of literals
    };
    static Shape shapeOf(const QString& sql);
    static Shape shapeOf(const QString& sql, const QVariantList& parameters);
    void reconnect();
    bool advanceReconnect(double until);
    void ensureConnected();
    void giveUpConnection();
    void executeSetting(const QString& text);
    pg_result* nextResult();
    // The rows of a SELECT run as a prepared statement; nullopt when it must go as text.
    std::optional<Recordset> runPrepared(const QString& translated, const QVariantList& parameters);
    void undoStatement();
    // The answer of a script is its first failure, else the result of statement `answer`
    // (counted from 0; the last one when negative).
    Result send(const QString& text, const QStringList& values, int answer = -1);
    [[noreturn]] void fail(const Result& result, const QString& sentence, const QString& sql) const;
    Recordset rowsOf(const Result& result) const;

    pg_conn* connection_;
    QString place_;
    QString setup_; // the session's settings, sent again after a reconnection
    bool transaction_ = false;
    std::function<void()> whileWaiting_;
    // While a busy wait is set: the monotonic second past which no answer is waited for.
    double deadline_ = std::numeric_limits<double>::infinity();
    bool listening_ = false;
    bool reconnected_ = false;
    double nextReconnect_ = 0; // while idle and cut off, when to try the server again
    bool reconnecting_ = false;
    int polling_ = 0;             // what libpq last asked for while reconnecting
    double reconnectGivenUp_ = 0; // when the attempt under way is given up
    int lockWait_ = -1;           // the busy wait's lock_timeout for the next transaction; -1: the session's
    static constexpr int kLockMargin = 1500;
    static constexpr double kSecondsToReconnectStep = 0.02;
    static constexpr double kSecondsWatching = 0.0003;
    static constexpr double kSecondsToConnect = 5; // the connect_timeout given to libpq
    // The prepared statement of each shape of SELECT this session ran; an empty name for a shape
    // the server would not prepare. Names are never used twice in a session.
    QHash<QString, QByteArray> prepared_;
    int shapesPrepared_ = 0;
    static constexpr qsizetype kMostShapes = 256;
    QString identity_;
};
