#include "SqliteBackend.h"

#include "DatabaseError.h"
#include "PtBrText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

ColumnKind kindOfDeclaredType(const QString& declared) {
    const QString t = declared.toUpper();
    if (t == QLatin1String("DATE"))
        return ColumnKind::Date;
    if (t == QLatin1String("TIME"))
        return ColumnKind::Time;
    if (t.contains(QLatin1String("INT")) || t.contains(QLatin1String("REAL")) ||
        t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("DOUB")) ||
        t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DEC")) ||
        t.contains(QLatin1String("CURRENCY")))
        return ColumnKind::Number;
    return ColumnKind::Text;
}

DatabaseError::Cause causeOf(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DatabaseError::Cause::Busy;
    case SQLITE_FULL:
        return DatabaseError::Cause::Full;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DatabaseError::Cause::ReadOnly;
    default:
        return DatabaseError::Cause::Other;
    }
}

[[noreturn]] void outOfMemory(sqlite3_stmt* stmt) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt)));
    throw DatabaseError(message, DatabaseError::Cause::Other, message);
}

Variant readColumn(sqlite3_stmt* stmt, int i, ColumnKind kind, bool declared) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return Variant::integer(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
        return Variant::real(sqlite3_column_double(stmt, i));
    case SQLITE_BLOB: {
        // The value first, then its size: the size is of the form last asked for.
        const void* data = sqlite3_column_blob(stmt, i);
        const int size = sqlite3_column_bytes(stmt, i);
        if (!data && size > 0)
            outOfMemory(stmt);
        return Variant::bytes(QByteArray(static_cast<const char*>(data), size));
    }
    default:
        break;
    }
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    const int size = sqlite3_column_bytes(stmt, i);
    if (!utf8 && size > 0)
        outOfMemory(stmt);
    const QString text = QString::fromUtf8(utf8, size);
    // An expression (max(data), min(hora)) has no declared type: its stored form tells.
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression isoTime(QStringLiteral("^\\d{2}:\\d{2}:\\d{2}$"));
    if (kind == ColumnKind::Date || (!declared && isoDate.match(text).hasMatch())) {
        const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            return Variant::date(d);
    }
    if (kind == ColumnKind::Time || (!declared && isoTime.match(text).hasMatch())) {
        const QTime t = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
        if (t.isValid())
            return Variant::time(t);
    }
    return Variant::text(text);
}

// Creates the missing folders of the path, each 0700.
bool makePrivateFolders(const QString& path) {
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    if (!makePrivateFolders(folder.absolutePath()))
        return false;
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST;
}

// The database and its folders are the office's alone: another local account cannot copy them.
void createPrivateFile(const QString& realPath, const QString& place) {
    const QFileInfo info(realPath);
    if (!makePrivateFolders(info.absolutePath()))
        throw DatabaseError(QStringLiteral("Não foi possível criar a pasta de %1.").arg(place));
    const int fd =
        ::open(QFile::encodeName(realPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw DatabaseError(QStringLiteral("Não foi possível criar o arquivo %1: %2")
                                .arg(place, QString::fromLocal8Bit(strerror(errno))));
    ::close(fd);
}

// What the engine is given to open. A reader that cannot write the folder (a read-only mount, a
// copy it may only read) cannot share the journal's index with a writer, and no writer can
// change such a file: it is read as it stands.
QByteArray nameToOpen(const QString& realPath, bool readOnly) {
    if (readOnly) {
        const QFileInfo folder(QFileInfo(realPath).absolutePath());
        const QFileInfo index(realPath + QStringLiteral("-shm"));
        if (!folder.isWritable() || (index.exists() && !index.isWritable()))
            return QUrl::fromLocalFile(realPath).toString(QUrl::FullyEncoded).toUtf8() + "?immutable=1";
    }
    return QFile::encodeName(realPath);
}

[[noreturn]] void refuseFile(const QString& place, const QString& reason, DatabaseError::Cause cause) {
    throw DatabaseError(QStringLiteral("Não foi possível abrir o arquivo %1: %2.").arg(place, reason), cause);
}

// The checks of an existing file before the engine opens it: opening never turns a file of 0
// bytes into an empty database, and a writer learns at once, not at its first write, that it
// cannot write the file (or, for its journal, the file's folder).
void checkFileBeforeOpen(const QString& realPath, const QString& place, bool readOnly) {
    const QFileInfo file(realPath);
    if (file.size() == 0)
        refuseFile(place, QStringLiteral("o arquivo está vazio (0 bytes) e não é um banco de dados"),
                   DatabaseError::Cause::Other);
    if (!readOnly && (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable()))
        refuseFile(place, QStringLiteral("sem permissão para gravar no arquivo ou na sua pasta"),
                   DatabaseError::Cause::ReadOnly);
}

// The checks of a file the engine opened and read as a database: one without the system's
// tables is none of the system's, and a writer must be able to write (a read-only mount).
void checkOpenedDatabase(sqlite3* db, const QString& place, bool readOnly) {
    sqlite3_stmt* stmt = nullptr;
    int tables = 0;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'", -1, &stmt,
                           nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        tables = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    if (tables == 0)
        refuseFile(place, QStringLiteral("o arquivo não tem as tabelas de um banco de dados do Velto"),
                   DatabaseError::Cause::Other);
    if (!readOnly && sqlite3_db_readonly(db, "main") == 1)
        refuseFile(place, QStringLiteral("sem permissão para gravar no arquivo"),
                   DatabaseError::Cause::ReadOnly);
}

constexpr int kCachedStatements = 48;

void bind(sqlite3_stmt* stmt, const QVariantList& parameters) {
    for (int i = 0; i < parameters.size(); ++i) {
        const QVariant& v = parameters.at(i);
        if (v.isNull()) {
            sqlite3_bind_null(stmt, i + 1);
        } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
            sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        } else {
            const QByteArray text = v.toString().toUtf8();
            sqlite3_bind_text(stmt, i + 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
    }
}

// Resets a cached statement (finalizes any other) however the caller leaves, so it holds no
// lock afterwards.
struct StatementUse {
    sqlite3_stmt* stmt;
    bool cached;
    ~StatementUse() {
        if (!cached) {
            sqlite3_finalize(stmt);
            return;
        }
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

} // namespace

SqliteBackend::SqliteBackend(sqlite3* db, QString realPath)
    : db_(db)
    , realPath_(std::move(realPath)) {}

SqliteBackend::~SqliteBackend() {
    schemaChanged();
    sqlite3_close_v2(db_);
}

std::unique_ptr<SqliteBackend> SqliteBackend::open(const QString& realPath, const QString& place,
                                                   const QString& key, bool create, bool readOnly) {
    const QFileInfo info(realPath);
    if (create) {
        if (info.exists())
            throw DatabaseError(QStringLiteral("O arquivo %1 já existe; não será substituído.").arg(place));
        createPrivateFile(realPath, place);
    } else if (!info.exists()) {
        throw DatabaseError(QStringLiteral("Não foi possível encontrar o arquivo %1.\n"
                                           "Para criar o banco de dados, use o comando: velto-banco criar")
                                .arg(place),
                            DatabaseError::Cause::FileMissing);
    } else if (!info.isFile()) {
        throw DatabaseError(QStringLiteral("%1 não é um arquivo.").arg(place));
    }
    if (!create)
        checkFileBeforeOpen(realPath, place, readOnly);

    sqlite3* db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE) |
                      (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(nameToOpen(realPath, readOnly).constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        throw DatabaseError(QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(place, message));
    }
    std::unique_ptr<SqliteBackend> backend(new SqliteBackend(db, realPath));
    if (!registerPtBrText(db))
        throw DatabaseError(
            QStringLiteral("Não foi possível preparar a comparação de textos do arquivo %1.").arg(place),
            QString::fromUtf8(sqlite3_errmsg(db)));
    const QByteArray keyBytes = key.toUtf8();
    if (!keyBytes.isEmpty() &&
        sqlite3_key(db, keyBytes.constData(), static_cast<int>(keyBytes.size())) != SQLITE_OK)
        throw DatabaseError(QStringLiteral("Não foi possível aplicar a senha ao arquivo %1.").arg(place));
    // The first read of the schema is where a wrong key or a foreign file shows.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString reason = sqlite3_errcode(db) == SQLITE_NOTADB
                                   ? QStringLiteral(": a senha do banco de dados está incorreta ou o arquivo "
                                                    "não é um banco de dados do Velto")
                                   : QString();
        throw DatabaseError(QStringLiteral("Não foi possível abrir o arquivo %1%2.").arg(place, reason),
                            QString::fromUtf8(sqlite3_errmsg(db)));
    }
    if (!create)
        checkOpenedDatabase(db, place, readOnly);
    if (!readOnly)
        backend->execute(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; "
                                        "PRAGMA busy_timeout=5000;"));
    else
        backend->execute(QStringLiteral("PRAGMA busy_timeout=5000;"));
    struct stat opened {};
    if (::stat(QFile::encodeName(realPath).constData(), &opened) == 0) {
        backend->fileDevice_ = opened.st_dev;
        backend->fileInode_ = opened.st_ino;
    }
    return backend;
}

sqlite3_stmt* SqliteBackend::prepared(const QString& translated, const QString& sql, bool& cached) {
    cached = true;
    if (sqlite3_stmt* known = statements_.value(translated))
        return known;
    const QByteArray utf8 = translated.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &tail) != SQLITE_OK)
        fail(sql);
    if (!stmt)
        return nullptr;
    if (tail && !QByteArray(tail).trimmed().isEmpty() && QByteArray(tail).trimmed() != ";") {
        sqlite3_finalize(stmt);
        throw DatabaseError(
            QStringLiteral("Caracteres encontrados após o fim da instrução SQL.\n(instrução: %1)").arg(sql));
    }
    // Only reads come back the same; every insert and update carries its own values.
    cached = sqlite3_stmt_readonly(stmt) != 0;
    if (!cached)
        return stmt;
    if (statementOrder_.size() >= kCachedStatements)
        sqlite3_finalize(statements_.take(statementOrder_.takeFirst()));
    statements_.insert(translated, stmt);
    statementOrder_.append(translated);
    return stmt;
}

void SqliteBackend::schemaChanged() {
    for (sqlite3_stmt* stmt : std::as_const(statements_))
        sqlite3_finalize(stmt);
    statements_.clear();
    statementOrder_.clear();
}

Recordset SqliteBackend::run(const QString& translated, const QString& sql, const QVariantList& parameters) {
    ++roundTrips_;
    bool cached = false;
    sqlite3_stmt* stmt = prepared(translated, sql, cached);
    if (!stmt)
        return {};
    const StatementUse use{stmt, cached};
    bind(stmt, parameters);

    const int count = sqlite3_column_count(stmt);
    QStringList names;
    QList<ColumnKind> kinds;
    QList<bool> declared;
    for (int i = 0; i < count; ++i) {
        names.append(QString::fromUtf8(sqlite3_column_name(stmt, i)));
        const char* type = sqlite3_column_decltype(stmt, i);
        declared.append(type != nullptr);
        kinds.append(type ? kindOfDeclaredType(QString::fromUtf8(type)) : ColumnKind::Text);
    }
    QList<QList<Variant>> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QList<Variant> row;
        row.reserve(count);
        for (int i = 0; i < count; ++i)
            row.append(readColumn(stmt, i, kinds.at(i), declared.at(i)));
        rows.append(std::move(row));
    }
    if (rc != SQLITE_DONE)
        fail(sql);
    return Recordset(std::move(names), std::move(rows));
}

bool SqliteBackend::backupTo(const QString& path, const QString& password) {
    // Claiming the name first keeps two copies, or a copy and another file, from sharing it.
    QFile claim(path);
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path))
            throw DatabaseError(QStringLiteral("O arquivo %1 já existe; não será substituído.").arg(path));
        throw DatabaseError(
            QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(path, claim.errorString()));
    }
    claim.close();
    sqlite3* copy = nullptr;
    QString failure;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &copy, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        failure = QString::fromUtf8(sqlite3_errmsg(copy));
    const QByteArray key = password.toUtf8();
    if (failure.isEmpty() && !key.isEmpty() &&
        sqlite3_key(copy, key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
        failure = QString::fromUtf8(sqlite3_errmsg(copy));
    if (failure.isEmpty()) {
        sqlite3_busy_timeout(copy, 5000);
        if (sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db_, "main")) {
            int rc = SQLITE_OK;
            // The whole file in one step: one read snapshot of the source, so the copy is consistent.
            for (int attempt = 0; attempt < 50; ++attempt) {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                    break;
                sqlite3_sleep(100);
            }
            sqlite3_backup_finish(backup);
            if (rc != SQLITE_DONE)
                failure = QString::fromUtf8(sqlite3_errstr(rc));
        } else {
            failure = QString::fromUtf8(sqlite3_errmsg(copy));
        }
    }
    sqlite3_close_v2(copy);
    if (!failure.isEmpty()) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(path + QLatin1String(suffix));
        throw DatabaseError(
            QStringLiteral("Não foi possível copiar o banco de dados para %1: %2").arg(path, failure));
    }
    return true;
}

QStringList SqliteBackend::integrityCheck() {
    QStringList findings;
    for (const char* pragma : {"PRAGMA integrity_check", "PRAGMA cipher_integrity_check"}) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, pragma, -1, &stmt, nullptr) != SQLITE_OK) {
            findings.append(QString::fromUtf8(sqlite3_errmsg(db_)));
            continue;
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const QString row =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            if (row != QLatin1String("ok"))
                findings.append(row);
        }
        if (rc != SQLITE_DONE)
            findings.append(QString::fromUtf8(sqlite3_errmsg(db_)));
        sqlite3_finalize(stmt);
    }
    return findings;
}

int SqliteBackend::retry(void* self, int tries) {
    auto* wait = static_cast<SqliteBackend*>(self);
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    if (tries == 0)
        wait->waitStarted_ = clock.elapsed();
    if (clock.elapsed() - wait->waitStarted_ >= wait->waitMilliseconds_)
        return 0;
    if (wait->whileWaiting_)
        wait->whileWaiting_();
    else
        QThread::msleep(10);
    return 1;
}

void SqliteBackend::fail(const QString& sql) const {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    throw DatabaseError(
        QStringLiteral("O banco de dados não executou a instrução.\n%1\n(instrução: %2)").arg(message, sql),
        causeOf(sqlite3_extended_errcode(db_)), message);
}

void SqliteBackend::execute(const QString& script) {
    ++roundTrips_;
    char* error = nullptr;
    if (const int rc = sqlite3_exec(db_, script.toUtf8().constData(), nullptr, nullptr, &error);
        rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
        sqlite3_free(error);
        throw DatabaseError(QStringLiteral("O banco de dados não executou o comando."), message, causeOf(rc));
    }
}

void SqliteBackend::begin(Transaction kind) {
    // A writer takes the file's write lock at once; a reader's snapshot starts at its first read.
    execute(kind == Transaction::Write ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

void SqliteBackend::commit() {
    execute(QStringLiteral("COMMIT"));
}

void SqliteBackend::rollback() {
    if (inTransaction())
        execute(QStringLiteral("ROLLBACK"));
}

bool SqliteBackend::inTransaction() const {
    return !sqlite3_get_autocommit(db_);
}

QList<ColumnInfo> SqliteBackend::columns(const QString& table) {
    QList<ColumnInfo> columns;
    // PRAGMA table_info, since this engine has no table-valued pragma functions.
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    ++roundTrips_;
    const QByteArray pragma = QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, pragma.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto text = [stmt](int i) {
                return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
            };
            columns.append(ColumnInfo{text(1), kindOfDeclaredType(text(2))});
        }
    }
    sqlite3_finalize(stmt);
    return columns;
}

int SqliteBackend::schemaVersion() {
    return static_cast<int>(
        run(QStringLiteral("PRAGMA user_version"), QStringLiteral("PRAGMA user_version"), {})
            .Fields(QStringLiteral("user_version"))
            .toInteger());
}

void SqliteBackend::setSchemaVersion(int version) {
    execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

void SqliteBackend::setBusyWait(int milliseconds, std::function<void()> whileWaiting) {
    if (milliseconds < 0) {
        sqlite3_busy_timeout(db_, 5000);
        return;
    }
    waitMilliseconds_ = milliseconds;
    whileWaiting_ = std::move(whileWaiting);
    sqlite3_busy_handler(db_, &SqliteBackend::retry, this);
}

bool SqliteBackend::othersChanged() {
    // The file's data version moves with every commit of another connection, of any process.
    const qint64 seen = std::exchange(dataVersion_, run(QStringLiteral("PRAGMA data_version"), QString(), {})
                                                        .Fields(QStringLiteral("data_version"))
                                                        .toInteger());
    return seen >= 0 && seen != dataVersion_;
}

bool SqliteBackend::stillThere() const {
    struct stat now {};
    return ::stat(QFile::encodeName(realPath_).constData(), &now) == 0 && now.st_dev == fileDevice_ &&
           now.st_ino == fileInode_;
}

void SqliteBackend::discardCreated() {
    schemaChanged();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(realPath_ + QLatin1String(suffix));
}

qint64 SqliteBackend::lastNumber(const QString& table) {
    if (columns(QStringLiteral("sqlite_sequence")).isEmpty())
        return 0;
    return run(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?1 COLLATE NOCASE"), {}, {table})
        .Fields(QStringLiteral("seq"))
        .toInteger();
}

void SqliteBackend::setLastNumber(const QString& table, qint64 number) {
    // The table of counters exists once a table with AUTOINCREMENT does.
    run(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?1 COLLATE NOCASE"), {}, {table});
    run(QStringLiteral("INSERT INTO sqlite_sequence(name, seq) VALUES (?1, ?2)"), {}, {table, number});
}

QString SqliteBackend::identity() const {
    return QFileInfo(realPath_).absoluteFilePath();
}
