#include "Connection.h"

#include "Clock.h"
#include "DatabaseError.h"
#include "PgBackend.h"
#include "ServerSettings.h"
#include "SqliteBackend.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString cs;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed().toLower();
        const QString value = part.mid(eq + 1);
        if (key == QLatin1String("driver"))
            cs.driver = value;
        else if (key == QLatin1String("dbq"))
            cs.dbq = value;
        else if (key == QLatin1String("uid"))
            cs.uid = value;
        else if (key == QLatin1String("pwd"))
            cs.pwd = value;
    }
    return cs;
}

QString mapWindowsPath(const QString& windowsPath) {
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]):[\\\\/]?(.*)$"));
    const auto m = drive.match(windowsPath);
    if (!m.hasMatch())
        return windowsPath;
    QString root = qEnvironmentVariable("VELTO_DRIVE_ROOT");
    if (root.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty())
            data = QDir::homePath() + QStringLiteral("/.local/share");
        root = data + QStringLiteral("/velto");
    }
    QString rest = m.captured(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(root + QLatin1Char('/') + m.captured(1).toUpper() + QLatin1Char('/') + rest);
}

namespace {

QString where(const QString& windowsPath, const QString& realPath) {
    return windowsPath == realPath ? realPath : QStringLiteral("%1 (%2)").arg(windowsPath, realPath);
}

bool isSchemaChange(const QString& sql) {
    const QString head = sql.trimmed().left(6).toUpper();
    return head == QLatin1String("CREATE") || head.startsWith(QLatin1String("ALTER")) ||
           head.startsWith(QLatin1String("DROP"));
}

} // namespace

Connection::Connection(std::unique_ptr<Backend> backend, QString windowsPath, QString realPath)
    : backend_(std::move(backend))
    , words_(backend_->words())
    , windowsPath_(std::move(windowsPath))
    , realPath_(std::move(realPath)) {}

Connection::~Connection() = default;

std::unique_ptr<Connection> Connection::Open(const QString& connectionString, OpenMode mode) {
    return openFile(connectionString, false, mode);
}

std::unique_ptr<Connection> Connection::Create(const QString& connectionString) {
    return openFile(connectionString, true);
}

std::unique_ptr<Connection> Connection::OpenFile(const QString& connectionString, OpenMode mode) {
    return openFile(connectionString, false, mode, false);
}

std::unique_ptr<Connection> Connection::CreateFile(const QString& connectionString) {
    return openFile(connectionString, true, OpenMode::ReadWrite, false);
}

std::unique_ptr<Connection> Connection::openFile(const QString& connectionString, bool create, OpenMode mode,
                                                 bool configured) {
    const ConnectionString cs = ConnectionString::parse(connectionString);
    if (cs.dbq.isEmpty())
        throw DatabaseError(
            QStringLiteral("A cadeia de conexão não indica o arquivo do banco de dados (Dbq)."));
    const bool readOnly = mode == OpenMode::ReadOnly;
    if (const std::optional<QString> server = configured ? configuredServer() : std::nullopt) {
        auto backend = PgBackend::open(*server, create, readOnly);
        const QString place = backend->place();
        return std::unique_ptr<Connection>(new Connection(std::move(backend), cs.dbq, place));
    }
    const QString realPath = mapWindowsPath(cs.dbq);
    auto backend = SqliteBackend::open(realPath, where(cs.dbq, realPath), cs.pwd, create, readOnly);
    return std::unique_ptr<Connection>(new Connection(std::move(backend), cs.dbq, realPath));
}

void Connection::setChangeContext(const QString& watched, const QString& context) {
    watchedTable_ = watched;
    contextTable_ = context;
}

void Connection::setColumnCollation(const QString& table, const QString& column, const QString& collation) {
    collations_[table.toLower()].insert(column.toLower(), collation);
    forgetTables();
}

void Connection::setRowOrder(const QString& table, const QString& column) {
    rowOrder_.insert(table.toLower(), column.toLower());
    forgetTables();
}

void Connection::forgetTables() {
    columnCache_.clear();
    translations_.clear();
}

QString Connection::translation(const QString& sql) {
    if (auto known = translations_.constFind(sql); known != translations_.constEnd())
        return *known;
    // A table not found now may be made later by another program: that translation is not kept.
    bool everyTableFound = true;
    QString translated = translateAccessSql(
        sql,
        [this, &everyTableFound](const QString& t) {
            QList<ColumnInfo> columns = tableColumns(t);
            everyTableFound = everyTableFound && !columns.isEmpty();
            return columns;
        },
        words_);
    if (!everyTableFound)
        return translated;
    if (translations_.size() >= kMostTranslations)
        translations_.clear();
    translations_.insert(sql, translated);
    return translated;
}

bool Connection::sameRowsEachTime(const QString& translated) {
    if (auto known = sameRows_.constFind(translated); known != sameRows_.constEnd())
        return *known;
    if (sameRows_.size() >= kMostTranslations)
        sameRows_.clear();
    return *sameRows_.insert(translated, sameRowsOnSnapshot(translated, words_.fold));
}

bool Connection::writesWatchedTable(const QString& sql) const {
    return !watchedTable_.isEmpty() && writtenTable(sql).compare(watchedTable_, Qt::CaseInsensitive) == 0;
}

void Connection::writeChangeContext() {
    QString values = QStringLiteral("NULL, NULL, NULL");
    if (!origin_.isEmpty()) {
        const QDateTime now = Clock::now().toLocalTime();
        QString origin = origin_;
        origin.replace(QLatin1Char('\''), QStringLiteral("''"));
        values = QStringLiteral("'%1', '%2', '%3'")
                     .arg(origin, now.date().toString(QStringLiteral("yyyy-MM-dd")),
                          now.time().toString(QStringLiteral("hh:mm:ss")));
    }
    // A burst of changes of one screen in one second tells the triggers once.
    if (values == writtenContext_)
        return;
    ExecuteNative(QStringLiteral("DELETE FROM %1; INSERT INTO %1(origem, data, hora) VALUES (%2);")
                      .arg(contextTable_, values));
    writtenContext_ = values;
}

void Connection::clearChangeContext() {
    if (writtenContext_.isEmpty())
        return;
    ExecuteNative(QStringLiteral("DELETE FROM %1").arg(contextTable_));
    writtenContext_.clear();
}

QList<ColumnInfo> Connection::tableColumns(const QString& table) {
    const QString key = table.toLower();
    if (auto it = columnCache_.constFind(key); it != columnCache_.constEnd())
        return *it;
    QList<ColumnInfo> columns = backend_->columns(table);
    const QString order = rowOrder_.value(key, QStringLiteral("codigo"));
    for (ColumnInfo& column : columns) {
        const QString name = column.name.toLower();
        column.collation = collations_.value(key).value(name);
        column.ordersRows = name == order;
    }
    if (!columns.isEmpty())
        columnCache_.insert(key, columns);
    return columns;
}

bool Connection::HasTable(const QString& table) {
    return !tableColumns(table).isEmpty();
}

void Connection::schemaChanged() {
    forgetTables();
    backend_->schemaChanged();
}

Recordset Connection::Execute(const QString& sql) {
    if (observer_)
        observer_(sql);
    std::optional<Rewrite> rewritten;
    if (rewriter_ && rewritesEnabled_)
        rewritten = rewriter_(sql);
    const QString translated = rewritten ? rewritten->sql : translation(sql);
    if (rewritten && !rewritten->allAnswers.isEmpty() && inSnapshot_ && InTransaction())
        return fromSnapshotRead(*rewritten);
    // What the snapshot read before may no longer hold after a change of its own.
    const bool reading = translated.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive);
    if (!reading)
        forgetSnapshotReads();
    if (isSchemaChange(translated))
        schemaChanged();
    if (!writesWatchedTable(sql)) {
        if (!rewritten && reading && inSnapshot_ && InTransaction())
            return fromSnapshotAnswers(sql, translated);
        return run(sql, translated, rewritten);
    }
    if (InTransaction()) {
        writeChangeContext();
        return run(sql, translated, rewritten);
    }
    WriteTransaction own(*this);
    writeChangeContext();
    Recordset rows = run(sql, translated, rewritten);
    own.Commit();
    return rows;
}

Recordset Connection::run(const QString& sql, const QString& translated,
                          const std::optional<Rewrite>& rewritten) {
    Recordset rows = backend_->run(translated, sql, rewritten ? rewritten->parameters : QVariantList());
    return words_.fold.isEmpty() ? rows : spelled(std::move(rows), sql);
}

namespace {

// Whether the server's name for a column is `word` in lower case, as it folds one not quoted.
bool foldedName(QStringView word, QStringView name) {
    if (word.size() != name.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word.at(i).toLower() != name.at(i))
            return false;
    }
    return true;
}

} // namespace

// A server hands back the names it was not given in quotes in lower case; the file, as the
// statement or the table spells them. Callers find fields without regard to case, but a
// listing of the columns shows the spelling.
Recordset Connection::spelled(Recordset rows, const QString& sql) {
    if (rows.columns().isEmpty())
        return rows;
    // A column as its table declares it, else an alias as the statement writes it (its last
    // writing); the statement's words are read only for names its table does not have.
    const QString table = statementTable(sql);
    const QList<ColumnInfo> declared = table.isEmpty() ? QList<ColumnInfo>() : tableColumns(table);
    std::optional<QList<SqlToken>> tokens;
    QStringList names = rows.columns();
    bool renamed = false;
    for (QString& name : names) {
        QString spelt;
        for (const ColumnInfo& column : declared) {
            if (foldedName(column.name, name))
                spelt = column.name;
        }
        if (spelt.isNull()) {
            if (!tokens)
                tokens = tokenizeSql(sql);
            for (auto token = tokens->crbegin(); token != tokens->crend() && spelt.isNull(); ++token) {
                if (token->kind == SqlToken::Kind::Word && foldedName(token->text, name))
                    spelt = token->text;
            }
        }
        if (!spelt.isEmpty() && spelt != name) {
            name = spelt;
            renamed = true;
        }
    }
    return renamed ? rows.renamed(std::move(names)) : rows;
}

Recordset Connection::fromSnapshotAnswers(const QString& sql, const QString& translated) {
    // Whether the rows repeat is asked only when the text comes again: most come once.
    if (auto known = snapshotAnswers_.constFind(sql);
        known != snapshotAnswers_.constEnd() && sameRowsEachTime(translated))
        return *known;
    Recordset rows = run(sql, translated, std::nullopt);
    if (snapshotAnswers_.size() < kMostSnapshotAnswers && rows.rowCount() <= kLargestSnapshotAnswer)
        snapshotAnswers_.insert(sql, rows);
    return rows;
}

void Connection::forgetSnapshotReads() {
    snapshotReads_.clear();
    snapshotAnswers_.clear();
}

Recordset Connection::fromSnapshotRead(const Rewrite& rewritten) {
    auto read = snapshotReads_.find(rewritten.allAnswers);
    if (read == snapshotReads_.end()) {
        Recordset rows = run(rewritten.allAnswers, rewritten.allAnswers, std::nullopt);
        SnapshotRead all;
        const QStringList columns = rows.columns();
        all.column = columns.isEmpty() ? QString() : columns.last();
        all.answers.reserve(rows.rowCount());
        for (int i = 0; i < rows.rowCount(); ++i) {
            QList<Variant> row = rows.row(i);
            const Variant answer = row.takeLast();
            QStringList key;
            for (const Variant& value : row)
                key.append(value.toString());
            all.answers.insert(key.join(QChar(0x1f)), answer);
        }
        read = snapshotReads_.insert(rewritten.allAnswers, std::move(all));
    }
    QStringList key;
    for (const QVariant& value : rewritten.parameters)
        key.append(value.toString());
    return Recordset({read->column}, {{read->answers.value(key.join(QChar(0x1f)), rewritten.absent)}});
}

void Connection::endSnapshot() {
    inSnapshot_ = false;
    forgetSnapshotReads();
}

Connection::ReadSnapshot::ReadSnapshot(Connection& connection)
    : connection_(connection.InTransaction() ? nullptr : &connection) {
    if (!connection_)
        return;
    connection_->backend_->begin(Backend::Transaction::ReadSnapshot);
    connection_->inSnapshot_ = true;
}

Connection::ReadSnapshot::~ReadSnapshot() {
    if (connection_)
        connection_->endSnapshot();
    if (!connection_ || !connection_->InTransaction())
        return;
    try {
        connection_->CommitTrans();
    } catch (const DatabaseError&) {
        // A snapshot that only read has nothing to lose; one that wrote is rolled back whole.
        connection_->RollbackTrans();
    }
}

void Connection::ExecuteNative(const QString& script) {
    forgetSnapshotReads();
    backend_->execute(script);
    if (isSchemaChange(script))
        schemaChanged();
}

void Connection::BeginTrans() {
    backend_->begin(Backend::Transaction::Write);
}

void Connection::CommitTrans() {
    endSnapshot();
    clearChangeContext();
    backend_->commit();
}

void Connection::RollbackTrans() {
    endSnapshot();
    writtenContext_.clear();
    backend_->rollback();
}

bool Connection::BackupTo(const QString& path, const QString& password) {
    return backend_->backupTo(path, password);
}

QStringList Connection::IntegrityCheck() {
    return backend_->integrityCheck();
}

Connection::WriteTransaction::WriteTransaction(Connection& connection)
    : connection_(connection) {
    connection_.BeginTrans();
}

Connection::WriteTransaction::~WriteTransaction() {
    if (committed_)
        return;
    try {
        connection_.RollbackTrans();
    } catch (const DatabaseError&) {
        // The engine rolls back what it could not finish; nothing of the transaction stays.
    }
}

void Connection::WriteTransaction::Commit() {
    connection_.CommitTrans();
    committed_ = true;
}

Connection::BusyWait::BusyWait(Connection& connection, int milliseconds, std::function<void()> whileWaiting)
    : connection_(connection) {
    connection_.backend_->setBusyWait(milliseconds, std::move(whileWaiting));
}

Connection::BusyWait::~BusyWait() {
    connection_.backend_->setBusyWait(-1, {});
}

QString Connection::InstancePath() const {
    // QDir::filePath keeps an absolute path (the file's) as it is.
    return QDir(QFileInfo(mapWindowsPath(windowsPath_)).path()).filePath(backend_->identity());
}

QString Connection::InstancePathBeforeOpening(const QString& connectionString) {
    return configuredServer()
               ? QString()
               : QFileInfo(mapWindowsPath(ConnectionString::parse(connectionString).dbq)).absoluteFilePath();
}
