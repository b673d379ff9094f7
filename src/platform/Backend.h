#pragma once

#include "AccessDialect.h"
#include "Recordset.h"

#include <QStringList>
#include <QVariantList>
#include <cstdint>
#include <functional>

// One database engine behind Connection, as a driver of Qt SQL is one engine behind QSqlDatabase:
// the Access translation, the result sets and the errors stay above it, shared by every engine.
class Backend {
public:
    enum class Transaction { Write, ReadSnapshot };

    virtual ~Backend() = default;

    // What the Access translation writes differently for this engine.
    virtual DialectWords words() const = 0;
    // One translated statement, with values bound to ?1, ?2...; `sql` is the statement as the
    // caller sent it, for the message of a failure.
    virtual Recordset run(const QString& translated, const QString& sql, const QVariantList& parameters) = 0;
    // The engine's own dialect, one or more statements, nothing handed back.
    virtual void execute(const QString& script) = 0;

    virtual void begin(Transaction kind) = 0;
    virtual void commit() = 0;
    // Does nothing when no transaction is open.
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;

    // A table's columns as declared, in their order; empty when there is no such table.
    virtual QList<ColumnInfo> columns(const QString& table) = 0;
    // Statements prepared before a change of the schema are prepared again.
    virtual void schemaChanged() = 0;

    // The version of the program's own objects (0 before any), and its change: written inside
    // the transaction that makes the change.
    virtual int schemaVersion() = 0;
    virtual void setSchemaVersion(int version) = 0;
    // Inside a write transaction: another program upgrading the same database waits here until
    // this transaction ends.
    virtual void lockSchema() = 0;
    // Inside a write transaction: another program's transaction that locks the row of `table`
    // with this codigo waits until this one ends.
    virtual void lockRow(const QString& table, qint64 codigo) = 0;

    // A statement that finds its rows locked by another program waits up to `milliseconds`,
    // calling `whileWaiting` meanwhile; a negative time puts back the usual wait of 5 seconds.
    // On a server, no answer at all within that time (a server that hangs, a network that
    // dropped) gives the connection up: the statement fails as out of reach.
    virtual void setBusyWait(int milliseconds, std::function<void()> whileWaiting) = 0;
    // Whether what was opened is still what the configuration names (a file not deleted or replaced).
    virtual bool stillThere() const = 0;

    // The last number a table's codigo was given (0 for none), and setting it: the next is one more.
    virtual qint64 lastNumber(const QString& table) = 0;
    virtual void setLastNumber(const QString& table, qint64 number) = 0;

    // A consistent copy of the whole database as an encrypted file; see Connection::BackupTo.
    // False when the engine cannot copy itself into one.
    virtual bool backupTo(const QString& path, const QString& password) = 0;
    virtual QStringList integrityCheck() = 0;
    // Removes what Connection::Create made, after a failure to fill it.
    virtual void discardCreated() = 0;

    // Whether another program committed a change since the last call (the first call starts
    // watching and answers false), or the connection was made again meanwhile. Never waits for
    // the engine; outside a transaction only.
    virtual bool othersChanged() = 0;

    // The statements handed to the engine so far; on a server each is a wait for its answer.
    std::uint64_t roundTrips() const { return roundTrips_; }

    // The same name for the database whatever address led to it: the file's path; a server's
    // "servidor-<its system identifier>-<the database>", fit for a file name.
    virtual QString identity() const = 0;
    // Sets Clock's offset to the engine's clock, when it has its own (a server shared by PCs).
    virtual void followClock() {}

protected:
    std::uint64_t roundTrips_ = 0;
};
