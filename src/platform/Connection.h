#pragma once

#include "AccessDialect.h"
#include "Backend.h"
#include "Recordset.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// The parts of an ODBC connection string this driver honours.
struct ConnectionString {
    QString driver;
    QString dbq;
    QString uid;
    QString pwd;

    static ConnectionString parse(const QString& text);
};

// Where a Windows path lies on this machine: drive C: is $VELTO_DRIVE_ROOT/C (by default
// $XDG_DATA_HOME/velto/C). A path without a drive letter is taken as it is.
QString mapWindowsPath(const QString& windowsPath);

// One open database, the file or a server's: the Access dialect in, static result sets out.
class Connection {
public:
    // Sees the exact text of every statement, as the caller sent it.
    using Observer = std::function<void(const QString& sql)>;
    // Another statement of the same result, in the SQL both engines share, with values bound to
    // ?1, ?2...
    struct Rewrite {
        QString sql;
        QVariantList parameters;
        // Optional: a read of every answer at once, its rows the parameters followed by the
        // answer (named as the answer's column). Inside a ReadSnapshot it is read once, at the
        // first statement that needs it, and later ones are answered from its rows (`absent`
        // where no row has their parameters) without reaching the engine.
        QString allAnswers;
        Variant absent;
    };
    // May answer a statement with another one of the same result; nullopt leaves it alone.
    using Rewriter = std::function<std::optional<Rewrite>(const QString& sql)>;

    // A writer refuses, when it opens the file, one it cannot write; a reader (reports, queries)
    // opens it read-only and never writes.
    enum class OpenMode { ReadWrite, ReadOnly };

    // Opens the existing database the configuration names for the connection string: the file
    // of its Dbq, or a server's database (ServerSettings.h); never creates one. A file of 0
    // bytes, one that is not a database or has none of the system's tables is refused, as is,
    // for a writer, one it cannot write; so is a server database without the system's tables.
    static std::unique_ptr<Connection> Open(const QString& connectionString,
                                            OpenMode mode = OpenMode::ReadWrite);
    // Creates a new, empty file (0600, in folders made 0700) and refuses one that exists; on a
    // server, takes its existing database and refuses one that has the system's tables.
    static std::unique_ptr<Connection> Create(const QString& connectionString);
    // The same for the file of the connection string's Dbq, whatever the configuration names.
    static std::unique_ptr<Connection> OpenFile(const QString& connectionString,
                                                OpenMode mode = OpenMode::ReadWrite);
    static std::unique_ptr<Connection> CreateFile(const QString& connectionString);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // One statement in the Access dialect; a SELECT hands back its rows, anything else an empty set.
    Recordset Execute(const QString& sql);
    // The engine's own dialect, one or more statements, no translation (schema and bulk work).
    void ExecuteNative(const QString& script);
    bool HasTable(const QString& table);
    // A table's columns, in their order; empty when there is no such table.
    QList<ColumnInfo> Columns(const QString& table) { return tableColumns(table); }
    // The last number given to a table's codigo (0 for none); setting it makes the next one more,
    // so a number once given is never given again.
    qint64 LastNumber(const QString& table) { return backend_->lastNumber(table); }
    void SetLastNumber(const QString& table, qint64 number) { backend_->setLastNumber(table, number); }
    bool InTransaction() const { return backend_->inTransaction(); }
    // How many statements reached the engine so far (transaction control and the server's
    // savepoints included): on a server, each is a round trip.
    std::uint64_t RoundTrips() const { return backend_->roundTrips(); }
    // Whether the database is a server's: only the schema's own SQL differs by engine.
    bool OnServer() const { return !backend_->words().fold.isEmpty(); }

    // The version of the program's objects beside the system's tables, 0 before any.
    int SchemaVersion() { return backend_->schemaVersion(); }
    void SetSchemaVersion(int version) { backend_->setSchemaVersion(version); }
    // Inside a write transaction: another program upgrading the same database waits for it.
    void LockSchema() { backend_->lockSchema(); }
    // Inside a write transaction: another program's transaction that locks the same row (as its
    // own scan of the same employee does) waits until this one ends; others do not wait.
    void LockRow(const QString& table, qint64 codigo) { backend_->lockRow(table, codigo); }
    // Removes what Create made; the connection is unusable afterwards.
    void DiscardCreated() { backend_->discardCreated(); }

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // A consistent copy of the whole database, with what the write-ahead log holds, written by
    // the engine's online backup into a new file (one that exists is never replaced) and
    // encrypted with `password`. Other connections go on reading and writing meanwhile. False,
    // with nothing written, when the engine cannot copy itself into a file (a server).
    bool BackupTo(const QString& path, const QString& password);
    // The engine's integrity checks (structure and, on an encrypted file, every page's
    // authentication): empty when the file is sound, otherwise what they found.
    QStringList IntegrityCheck();

    // Reads of one screen action on one snapshot: a read transaction while it lives (none when
    // a transaction is open already), so a burst of statements takes the file's locks once.
    class ReadSnapshot {
    public:
        explicit ReadSnapshot(Connection& connection);
        ~ReadSnapshot();
        ReadSnapshot(const ReadSnapshot&) = delete;
        ReadSnapshot& operator=(const ReadSnapshot&) = delete;

    private:
        Connection* connection_;
    };

    // A write transaction while it lives: the file's write lock is taken at once (a lock held by
    // another program is waited for as any statement waits), and it is rolled back unless
    // committed, so its statements are all applied or none.
    class WriteTransaction {
    public:
        explicit WriteTransaction(Connection& connection);
        ~WriteTransaction();
        WriteTransaction(const WriteTransaction&) = delete;
        WriteTransaction& operator=(const WriteTransaction&) = delete;
        void Commit();

    private:
        Connection& connection_;
        bool committed_ = false;
    };

    // While it lives, a statement that finds the file locked by another program waits for it up
    // to `milliseconds`, calling `whileWaiting` between tries (it should return within some tens
    // of milliseconds), and then fails as busy. Without it, statements wait up to 5 seconds.
    class BusyWait {
    public:
        BusyWait(Connection& connection, int milliseconds, std::function<void()> whileWaiting = {});
        ~BusyWait();
        BusyWait(const BusyWait&) = delete;
        BusyWait& operator=(const BusyWait&) = delete;

    private:
        Connection& connection_;
    };

    // Whether another program changed the database since the last call, or the connection to a
    // server was made again meanwhile (what was read before may be out of date). Cheap: it does
    // not wait for the engine. Not inside a transaction.
    bool OthersChanged() { return !InTransaction() && backend_->othersChanged(); }

    // Whether the file this connection opened is still the one at its path (not deleted, not
    // replaced by another file); a server's database always is.
    bool openedFileIsAtPath() const { return backend_->stillThere(); }

    void setObserver(Observer observer) { observer_ = std::move(observer); }
    const Observer& observer() const { return observer_; }
    void setRewriter(Rewriter rewriter) { rewriter_ = std::move(rewriter); }
    // Sends statements without the rewriter, so that tests compare with the literal answer.
    void setRewritesEnabled(bool enabled) { rewritesEnabled_ = enabled; }

    // The origin of the changes sent from now on (the screen that makes them), empty for none.
    void setOrigin(const QString& origin) { origin_ = origin; }
    const QString& origin() const { return origin_; }

    // How the file's triggers learn who changed `watched` and when: a stored trigger sees
    // neither this connection's functions nor its TEMP objects, and the file must work in any
    // SQLCipher shell. Before each statement that writes `watched`, one row (origin or null for
    // none, and the instant of the statement by Clock::now() in local time) is written into the
    // table `context` inside the statement's transaction (its own one when none is open), and
    // removed before that transaction commits, so it never outlives it.
    void setChangeContext(const QString& watched, const QString& context);
    // Adds a collation to a column wherever the translation sees the column sorted or compared,
    // so an order the file cannot declare (it must open in any shell) is the connection's own.
    void setColumnCollation(const QString& table, const QString& column, const QString& collation);
    // The column whose order a table's rows come in when a statement names none (codigo by
    // default), so that a server, which returns rows in storage order, gives the file's order.
    void setRowOrder(const QString& table, const QString& column);

    const QString& windowsPath() const { return windowsPath_; }
    const QString& realPath() const { return realPath_; }

    // Where this PC keeps the lock of the one program that may use this database from it, less
    // its ".lock": the file's own path; for a server's database, a name of the server and the
    // database (not of the address that reached them) in this PC's folder of the Dbq.
    QString InstancePath() const;
    // The same before opening, when the configuration alone tells it (the file's); else empty.
    static QString InstancePathBeforeOpening(const QString& connectionString);
    // Sets Clock to the server's time again (nothing for the file); see Clock::setOffset.
    void FollowServerClock() { backend_->followClock(); }

private:
    Connection(std::unique_ptr<Backend> backend, QString windowsPath, QString realPath);
    static std::unique_ptr<Connection> openFile(const QString& connectionString, bool create,
                                                OpenMode mode = OpenMode::ReadWrite, bool configured = true);
    QList<ColumnInfo> tableColumns(const QString& table);
    bool writesWatchedTable(const QString& sql) const;
    void writeChangeContext();
    void clearChangeContext();
    void schemaChanged();
    QString translation(const QString& sql);
    bool sameRowsEachTime(const QString& translated);
    void forgetTables();
    Recordset run(const QString& sql, const QString& translated, const std::optional<Rewrite>& rewritten);
    Recordset spelled(Recordset rows, const QString& sql);
    Recordset fromSnapshotRead(const Rewrite& rewritten);
    Recordset fromSnapshotAnswers(const QString& sql, const QString& translated);
    void forgetSnapshotReads();
    void endSnapshot();

    std::unique_ptr<Backend> backend_;
    DialectWords words_;
    QString windowsPath_;
    QString realPath_;
    Observer observer_;
    Rewriter rewriter_;
    bool rewritesEnabled_ = true;
    QString origin_;
    QString watchedTable_;
    QString contextTable_;
    QString writtenContext_; // what the open transaction has told the triggers, empty for nothing
    QHash<QString, QHash<QString, QString>> collations_; // table -> column -> collation, lower case
    QHash<QString, QString> rowOrder_;                   // table -> column, lower case
    QHash<QString, QList<ColumnInfo>> columnCache_;
    bool inSnapshot_ = false; // a ReadSnapshot began the open transaction
    struct SnapshotRead {
        QString column;
        QHash<QString, Variant> answers; // by the parameters' text, joined by \x1f
    };
    QHash<QString, SnapshotRead> snapshotReads_; // by Rewrite::allAnswers, for the open snapshot
    // A report asks the same lookups for every day: on one snapshot their rows are the same.
    QHash<QString, Recordset> snapshotAnswers_; // by the statement's text, for the open snapshot
    static constexpr qsizetype kMostSnapshotAnswers = 512;
    static constexpr int kLargestSnapshotAnswer = 1000; // rows
    // Screens send the same texts again and again; a translation depends only on the text and
    // the tables' columns.
    QHash<QString, QString> translations_;
    QHash<QString, bool> sameRows_; // by the translated text: see sameRowsOnSnapshot
    static constexpr qsizetype kMostTranslations = 2048;
};
