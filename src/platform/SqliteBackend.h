#pragma once

#include "Backend.h"

#include <QHash>
#include <cstdint>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// The embedded engine: one SQLCipher file, the database of an office on one PC.
class SqliteBackend final : public Backend {
public:
    // Opens an existing file, or makes a new one (0600, in folders made 0700) when `create`;
    // `place` names it in messages. A reader opens it read-only and never writes.
    static std::unique_ptr<SqliteBackend> open(const QString& realPath, const QString& place,
                                               const QString& key, bool create, bool readOnly);
    ~SqliteBackend() override;

    DialectWords words() const override { return {}; }
    Recordset run(const QString& translated, const QString& sql, const QVariantList& parameters) override;
    void execute(const QString& script) override;
    void begin(Transaction kind) override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    QList<ColumnInfo> columns(const QString& table) override;
    void schemaChanged() override;
    int schemaVersion() override;
    void setSchemaVersion(int version) override;
    void lockSchema() override {}
    // The file's write lock, taken when the transaction began, covers every row.
    void lockRow(const QString&, qint64) override {}
    void setBusyWait(int milliseconds, std::function<void()> whileWaiting) override;
    bool othersChanged() override;
    bool stillThere() const override;
    bool backupTo(const QString& path, const QString& password) override;
    qint64 lastNumber(const QString& table) override;
    void setLastNumber(const QString& table, qint64 number) override;
    QStringList integrityCheck() override;
    void discardCreated() override;
    QString identity() const override;

private:
    SqliteBackend(sqlite3* db, QString realPath);
    static int retry(void* self, int tries);
    sqlite3_stmt* prepared(const QString& translated, const QString& sql, bool& cached);
    [[noreturn]] void fail(const QString& sql) const;

    sqlite3* db_;
    qint64 dataVersion_ = -1; // PRAGMA data_version when othersChanged last looked
    QString realPath_;
    // The identity (device, inode) of the file opened.
    std::uint64_t fileDevice_ = 0;
    std::uint64_t fileInode_ = 0;
    // Statements sent again and again (the list rebuild, the counts) are prepared once.
    QHash<QString, sqlite3_stmt*> statements_;
    QStringList statementOrder_;
    int waitMilliseconds_ = 0;
    std::function<void()> whileWaiting_;
    qint64 waitStarted_ = 0;
};
