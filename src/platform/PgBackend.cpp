#include "PgBackend.h"

#include "Clock.h"
#include "DatabaseError.h"
#include "ServerSettings.h"

#include <QRegularExpression>
#include <QThread>
#include <chrono>
#include <cmath>
#include <libpq-fe.h>
#include <limits>
#include <poll.h>
#include <sys/socket.h>
#include <vector>

struct PgBackend::Result {
    std::unique_ptr<PGresult, decltype(&PQclear)> result{nullptr, &PQclear};
    bool ok() const {
        const ExecStatusType status = PQresultStatus(result.get());
        return result && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK);
    }
    QString field(int code) const { return QString::fromUtf8(PQresultErrorField(result.get(), code)); }
};

namespace {

// The type identifiers of the server's built-in types, fixed in its catalogue.
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kTime = 1083,
    kNumeric = 1700,
};

DatabaseError::Cause causeOf(const QString& state) {
    if (state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("55P03"))
        return DatabaseError::Cause::Busy;
    if (state.startsWith(QLatin1String("53")))
        return DatabaseError::Cause::Full;
    if (state == QLatin1String("25006") || state == QLatin1String("42501"))
        return DatabaseError::Cause::ReadOnly;
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")) || state.isEmpty())
        return DatabaseError::Cause::Unreachable;
    return DatabaseError::Cause::Other;
}

// The reason in the program's words, whatever language the server speaks (its lc_messages).
QString reasonOf(const QString& state, const QString& own) {
    static const QList<std::pair<const char*, const char*>> reasons{
        {"23505", "já existe um registro com o mesmo valor na chave"},
        {"23502", "um campo obrigatório ficou sem valor"},
        {"22007", "o valor não é uma data ou hora válida"},
        {"22008", "o valor não é uma data ou hora válida"},
        {"22P02", "o valor não é válido para o tipo do campo"},
        {"22003", "o número está fora do intervalo do campo"},
        {"42P01", "a tabela não existe"},
        {"42P07", "a tabela já existe"},
        {"42703", "o campo não existe"},
        {"42601", "erro de sintaxe"},
        {"42883", "a função ou o operador não existe para esses tipos"},
        {"42804", "os tipos dos valores não combinam"},
        {"40001", "outro programa alterou os mesmos registros; tente de novo"},
        {"40P01", "outro programa alterou os mesmos registros; tente de novo"},
        {"55P03", "os registros estão bloqueados por outro programa"},
        {"25006", "a transação só pode ler"},
        {"42501", "sem permissão para gravar no banco de dados"},
    };
    // A trigger of the program's own says why in its own Portuguese sentence.
    if (state == QLatin1String("P0001"))
        return own;
    for (const auto& [code, reason] : reasons) {
        if (state == QLatin1String(code))
            return QString::fromUtf8(reason);
    }
    if (state.startsWith(QLatin1String("53")))
        return QStringLiteral("o servidor do banco de dados está sem espaço");
    if (causeOf(state) == DatabaseError::Cause::Unreachable)
        return QStringLiteral("a conexão com o servidor do banco de dados foi perdida");
    return QStringLiteral("o servidor recusou a instrução (código %1)").arg(state);
}

// "yyyy-MM-dd" and "hh:mm:ss" read by hand: the format parser costs more than the rest of a row.
int digitsAt(const char* text, int from, int count) {
    int number = 0;
    for (int i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        number = number * 10 + (text[i] - '0');
    }
    return number;
}

QDate dateOf(const char* text, int length, const QString& whole) {
    if (length == 10 && text[4] == '-' && text[7] == '-') {
        const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
        if (year >= 0 && month >= 0 && day >= 0)
            return QDate(year, month, day);
    }
    return QDate::fromString(whole, QStringLiteral("yyyy-MM-dd"));
}

QTime timeOf(const char* text, int length, const QString& whole) {
    if (length >= 8 && text[2] == ':' && text[5] == ':') {
        const int hour = digitsAt(text, 0, 2), minute = digitsAt(text, 3, 2), second = digitsAt(text, 6, 2);
        if (hour >= 0 && minute >= 0 && second >= 0)
            return QTime(hour, minute, second);
    }
    return QTime::fromString(whole.left(8), QStringLiteral("hh:mm:ss"));
}

Variant valueOf(const PGresult* result, int row, int column) {
    if (PQgetisnull(result, row, column))
        return {};
    const QString text = QString::fromUtf8(PQgetvalue(result, row, column), PQgetlength(result, row, column));
    switch (PQftype(result, column)) {
    case kBool:
        return Variant::integer(text == QLatin1String("t") ? 1 : 0);
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return Variant::integer(text.toLongLong());
    case kFloat4:
    case kFloat8:
        return Variant::real(text.toDouble());
    case kNumeric: {
        // The file keeps a whole amount as a whole number, any other as a real.
        bool whole = false;
        const qint64 integer = text.toLongLong(&whole);
        if (whole)
            return Variant::integer(integer);
        const double real = text.toDouble();
        return real == static_cast<double>(static_cast<qint64>(real))
                   ? Variant::integer(static_cast<qint64>(real))
                   : Variant::real(real);
    }
    case kDate:
        return Variant::date(dateOf(PQgetvalue(result, row, column), PQgetlength(result, row, column), text));
    case kTime:
        return Variant::time(timeOf(PQgetvalue(result, row, column), PQgetlength(result, row, column), text));
    case kBytea: {
        size_t size = 0;
        unsigned char* bytes =
            PQunescapeBytea(reinterpret_cast<const unsigned char*>(PQgetvalue(result, row, column)), &size);
        const QByteArray data(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
        PQfreemem(bytes);
        return Variant::bytes(data);
    }
    default:
        return Variant::text(text);
    }
}

ColumnKind kindOfType(const QString& type) {
    if (type == QLatin1String("date"))
        return ColumnKind::Date;
    if (type.startsWith(QLatin1String("time")))
        return ColumnKind::Time;
    static const QStringList numbers{"integer", "bigint", "smallint", "numeric", "real", "double precision"};
    for (const QString& number : numbers) {
        if (type.startsWith(number))
            return ColumnKind::Number;
    }
    return ColumnKind::Text;
}

void ignoreNotice(void*, const char*) {}

// The waits for the server run on the real clock, whatever a test does to the program's clock.
double segundosReais() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Oid typeOfNumber(const QString& literal) {
    bool whole = false;
    const qint64 number = literal.toLongLong(&whole);
    if (!whole)
        return kNumeric;
    return number >= std::numeric_limits<qint32>::min() && number <= std::numeric_limits<qint32>::max()
               ? kInt4
               : kInt8;
}

// The caller's ?1, ?2... as the server numbers its parameters.
QString serverNumbering(QString sql) {
    static const QRegularExpression numbered(QStringLiteral("\\?(\\d+)"));
    return sql.replace(numbered, QStringLiteral("$\\1"));
}

// A parameter as the server receives it: a null one, or a null text, is NULL.
QString parameterText(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

} // namespace

// A SELECT with its compared literals as parameters, so that the server parses and plans the
// statement once per session. A quoted literal is sent of unknown type and takes the type of
// what it is compared with, as the literal itself does; a number goes with its literal's type.
// Only a literal right after =, < or > is taken: elsewhere (ORDER BY 1, a select list) a
// parameter would not mean what the literal means.
PgBackend::Shape PgBackend::shapeOf(const QString& sql) {
    Shape shape;
    QChar before;
    for (const SqlToken& token : tokenizeSql(sql)) {
        const bool compared = before == u'=' || before == u'<' || before == u'>';
        const bool quoted = token.kind == SqlToken::Kind::String && token.text.startsWith(u'\'');
        if (compared && (quoted || token.kind == SqlToken::Kind::Number)) {
            shape.values.append(quoted ? token.text.mid(1, token.text.size() - 2)
                                             .replace(QLatin1String("''"), QLatin1String("'"))
                                             .toUtf8()
                                       : token.text.toUtf8());
            shape.types.append(quoted ? 0 : typeOfNumber(token.text));
            shape.text += QLatin1Char('$') + QString::number(shape.values.size());
        } else {
            shape.text += token.text;
        }
        if (token.kind != SqlToken::Kind::Space)
            before = token.kind == SqlToken::Kind::Symbol ? token.text.at(0) : QChar();
    }
    return shape;
}

// The statement's own ?1, ?2... as the server's parameters, sent of unknown type as text ones are.
PgBackend::Shape PgBackend::shapeOf(const QString& sql, const QVariantList& parameters) {
    Shape shape{serverNumbering(sql), {}, {}, {}};
    for (const QVariant& value : parameters) {
        const QString text = parameterText(value);
        shape.values.append(text.toUtf8());
        shape.types.append(0);
        shape.nulls.append(text.isNull());
    }
    return shape;
}

PgBackend::PgBackend(pg_conn* connection, QString place)
    : connection_(connection)
    , place_(std::move(place)) {}

PgBackend::~PgBackend() {
    PQfinish(connection_);
}

std::unique_ptr<PgBackend> PgBackend::open(const QString& conninfo, bool create, bool readOnly) {
    const QString place = serverPlace(conninfo);
    // A server that does not answer, or a network that dropped, is given up within seconds, not
    // the minutes of the system's defaults; what the configuration says itself comes after and wins.
    const QByteArray database = conninfo.toUtf8();
    const char* const keywords[] = {
        "connect_timeout",  "keepalives",       "keepalives_idle", "keepalives_interval",
        "keepalives_count", "tcp_user_timeout", "dbname",          nullptr};
    const char* const values[] = {"5", "1", "5", "2", "2", "9000", database.constData(), nullptr};
    std::unique_ptr<PgBackend> backend(new PgBackend(PQconnectdbParams(keywords, values, 1), place));
    if (PQstatus(backend->connection_) != CONNECTION_OK)
        throw DatabaseError(
            QStringLiteral(
                "Não foi possível conectar ao banco de dados %1.\nVerifique se o servidor está ligado e "
                "ao alcance desta máquina, se o banco de dados existe e se a "
                "configuração (banco = ...) está certa.")
                .arg(place),
            QString::fromUtf8(PQerrorMessage(backend->connection_)).trimmed(),
            DatabaseError::Cause::Unreachable);
    PQsetNoticeProcessor(backend->connection_, &ignoreNotice, nullptr);
    backend->setup_ =
        QStringLiteral(
            "SET datestyle = 'ISO, DMY'; SET lock_timeout = '5s'; SET client_min_messages = warning;") +
        (readOnly ? QStringLiteral(" SET default_transaction_read_only = on;") : QString());
    backend->execute(backend->setup_);
    const bool hasTables =
        backend
            ->run(QStringLiteral("SELECT count(*) AS n FROM pg_tables WHERE schemaname = current_schema()"),
                  {}, {})
            .Fields(QStringLiteral("n"))
            .toInteger() > 0;
    if (create && hasTables)
        throw DatabaseError(
            QStringLiteral("O banco de dados %1 já tem tabelas; não será substituído.").arg(place));
    if (!create && !hasTables)
        throw DatabaseError(
            QStringLiteral("O banco de dados %1 não tem as tabelas de um banco de dados do Velto.\n"
                           "Para criar o banco de dados, use o comando: velto-banco criar")
                .arg(place),
            DatabaseError::Cause::FileMissing);
    backend->followClock();
    return backend;
}

DialectWords PgBackend::words() const {
    DialectWords words;
    words.fold = QStringLiteral("velto_dobra");
    words.foldedCollation = QStringLiteral("\"C\"");
    words.foldLikes = true;
    words.matchLiterals = true;
    words.unboundedTexts = true;
    words.impliedOrder = true;
    return words;
}

// A connection the server dropped (a restart, a network failure) is made again before the next
// statement outside a transaction; one dropped inside a transaction loses that transaction.
void PgBackend::reconnect() {
    if (!advanceReconnect(deadline_))
        throw DatabaseError(QStringLiteral("A conexão com o banco de dados %1 foi perdida.").arg(place_),
                            QStringLiteral("a conexão com o servidor do banco de dados foi perdida"),
                            DatabaseError::Cause::Unreachable);
}

// The connection is made again without blocking: each call goes on with the attempt under way
// until it is made or fails, or the real second `until` passes; true once it is made. libpq's
// connect_timeout does not bound an attempt made this way: kSecondsToConnect does.
bool PgBackend::advanceReconnect(double until) {
    if (!reconnecting_) {
        prepared_.clear();
        reconnectGivenUp_ = segundosReais() + kSecondsToConnect;
        polling_ = PQresetStart(connection_) ? PGRES_POLLING_WRITING : PGRES_POLLING_FAILED;
        reconnecting_ = true;
    }
    while (polling_ != PGRES_POLLING_OK && polling_ != PGRES_POLLING_FAILED) {
        const double now = segundosReais();
        if (now >= reconnectGivenUp_) {
            polling_ = PGRES_POLLING_FAILED;
            break;
        }
        if (now >= until)
            return false;
        pollfd socket{PQsocket(connection_), short(polling_ == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        if (::poll(&socket, 1, 10) > 0)
            polling_ = PQresetPoll(connection_);
        else if (whileWaiting_)
            whileWaiting_();
    }
    reconnecting_ = false;
    if (polling_ == PGRES_POLLING_FAILED || PQstatus(connection_) != CONNECTION_OK)
        return false;
    reconnected_ = true;
    const Result result = send(setup_, {});
    if (!result.ok())
        fail(result, QStringLiteral("O banco de dados não executou o comando."), {});
    return true;
}

// A setting of the session, sent again on a new connection when the old one turns out dead.
void PgBackend::executeSetting(const QString& text) {
    try {
        execute(text);
    } catch (const DatabaseError&) {
        if (transaction_ || PQstatus(connection_) == CONNECTION_OK || segundosReais() >= deadline_)
            throw;
        execute(text);
    }
}

// A server that stopped answering leaves the connection waiting forever: it is closed here, so
// that libpq sees it broken and the next statement makes it again.
void PgBackend::giveUpConnection() {
    if (PQsocket(connection_) >= 0)
        ::shutdown(PQsocket(connection_), SHUT_RDWR);
    PQconsumeInput(connection_);
}

void PgBackend::ensureConnected() {
    // A server that restarted has closed the socket: reading what waits there tells so before
    // anything is sent, and the connection is made again at once.
    if (!transaction_ && PQstatus(connection_) == CONNECTION_OK)
        PQconsumeInput(connection_);
    if (PQstatus(connection_) == CONNECTION_OK)
        return;
    if (transaction_)
        throw DatabaseError(QStringLiteral("A conexão com o banco de dados %1 caiu no meio de uma "
                                           "transação; nada dela foi gravado.")
                                .arg(place_),
                            QStringLiteral("a conexão com o servidor do banco de dados foi perdida"),
                            DatabaseError::Cause::Unreachable);
    reconnect();
}

// The answer is awaited in short steps, so that a caller waiting on a lock keeps its screen alive.
PGresult* PgBackend::nextResult() {
    // A server answers most statements within a fraction of a millisecond: the answer is watched
    // for that long before the thread sleeps, since waking a sleeping processor costs more.
    const double watchUntil = segundosReais() + kSecondsWatching;
    while (PQisBusy(connection_)) {
        if (segundosReais() < watchUntil) {
            if (!PQconsumeInput(connection_))
                break;
            continue;
        }
        pollfd socket{PQsocket(connection_), POLLIN, 0};
        if (::poll(&socket, 1, 10) == 0) {
            if (segundosReais() > deadline_) {
                giveUpConnection();
                throw DatabaseError(
                    QStringLiteral("O servidor do banco de dados %1 não respondeu a tempo.").arg(place_),
                    QStringLiteral("o servidor do banco de dados não respondeu a tempo"),
                    DatabaseError::Cause::Unreachable);
            }
            if (whileWaiting_)
                whileWaiting_();
        }
        if (!PQconsumeInput(connection_))
            break;
    }
    return PQgetResult(connection_);
}

PgBackend::Result PgBackend::send(const QString& text, const QStringList& values, int answer) {
    ensureConnected();
    QList<QByteArray> utf8;
    QList<const char*> pointers;
    for (const QString& value : values) {
        utf8.append(value.toUtf8());
        pointers.append(value.isNull() ? nullptr : utf8.last().constData());
    }
    Result last;
    const QByteArray sql = text.toUtf8();
    ++roundTrips_;
    const bool sent = values.isEmpty()
                          ? PQsendQuery(connection_, sql.constData())
                          : PQsendQueryParams(connection_, sql.constData(), static_cast<int>(values.size()),
                                              nullptr, pointers.constData(), nullptr, nullptr, 0);
    if (!sent)
        return last;
    for (int i = 0; PGresult* result = nextResult(); ++i) {
        // The first failure is kept: what follows it is only the aborted rest of a script.
        if (last.result && (!last.ok() || (answer >= 0 && i > answer))) {
            const bool failed = PQresultStatus(result) == PGRES_FATAL_ERROR;
            if (last.ok() && failed)
                last.result.reset(result);
            else
                PQclear(result);
            continue;
        }
        last.result.reset(result);
    }
    return last;
}

// The savepoint, the preparation of a new shape, its execution and the release go in one
// pipeline: one round trip, and a failure undoes only this statement, as a literal one's does.
std::optional<Recordset> PgBackend::runPrepared(const QString& translated, const QVariantList& parameters) {
    const Shape shape = parameters.isEmpty() ? shapeOf(translated) : shapeOf(translated, parameters);
    // The caller's parameters are untyped, a literal's typed: never the same prepared statement.
    const QString key = parameters.isEmpty() ? shape.text : QLatin1Char('?') + shape.text;
    const auto known = prepared_.constFind(key);
    if (known != prepared_.constEnd() && known->isEmpty())
        return std::nullopt;
    const bool fresh = known == prepared_.constEnd();
    if (fresh && prepared_.size() >= kMostShapes)
        return std::nullopt;
    const QByteArray name = fresh ? "velto_" + QByteArray::number(++shapesPrepared_) : *known;
    ensureConnected();
    const bool guarded = inTransaction();
    QList<const char*> values;
    for (qsizetype i = 0; i < shape.values.size(); ++i)
        values.append(i < shape.nulls.size() && shape.nulls.at(i) ? nullptr : shape.values.at(i).constData());
    const int count = static_cast<int>(values.size());
    PQenterPipelineMode(connection_);
    if (guarded)
        PQsendQueryParams(connection_, "SAVEPOINT velto_instrucao", 0, nullptr, nullptr, nullptr, nullptr, 0);
    if (fresh)
        PQsendPrepare(connection_, name.constData(), shape.text.toUtf8().constData(), count,
                      shape.types.constData());
    PQsendQueryPrepared(connection_, name.constData(), count, values.constData(), nullptr, nullptr, 0);
    if (guarded)
        PQsendQueryParams(connection_, "RELEASE SAVEPOINT velto_instrucao", 0, nullptr, nullptr, nullptr,
                          nullptr, 0);
    PQpipelineSync(connection_);
    ++roundTrips_;
    const size_t savepoint = guarded ? 1 : 0;
    const size_t execution = savepoint + (fresh ? 1 : 0);
    std::vector<Result> results(execution + 1 + savepoint);
    for (size_t step = 0;;) {
        PGresult* result = nextResult();
        if (!result) {
            if (PQstatus(connection_) != CONNECTION_OK || ++step > results.size())
                break;
            continue;
        }
        if (PQresultStatus(result) == PGRES_PIPELINE_SYNC) {
            PQclear(result);
            break;
        }
        if (step < results.size() && !results[step].result)
            results[step].result.reset(result);
        else
            PQclear(result);
    }
    PQexitPipelineMode(connection_);
    if (results[execution].ok()) {
        if (fresh)
            prepared_.insert(key, name);
        return rowsOf(results[execution]);
    }
    // A shape the server cannot prepare goes as text from now on; a prepared one that failed
    // (its table changed under it) is prepared again next time. The text then gives the answer,
    // or the error in its own words.
    if (fresh && !results[savepoint].ok())
        prepared_.insert(key, QByteArray());
    else
        prepared_.remove(key);
    if (guarded && PQstatus(connection_) == CONNECTION_OK)
        undoStatement();
    return std::nullopt;
}

void PgBackend::undoStatement() {
    ++roundTrips_;
    PQclear(PQexec(connection_, "ROLLBACK TO SAVEPOINT velto_instrucao; RELEASE SAVEPOINT velto_instrucao"));
}

void PgBackend::fail(const Result& result, const QString& sentence, const QString& sql) const {
    const QString state = result.result ? result.field(PG_DIAG_SQLSTATE) : QString();
    const QString reason = reasonOf(state, result.field(PG_DIAG_MESSAGE_PRIMARY));
    const QString message = sql.isEmpty()
                                ? sentence + QLatin1Char('\n') + reason
                                : QStringLiteral("%1\n%2\n(instrução: %3)").arg(sentence, reason, sql);
    throw DatabaseError(message, causeOf(state), reason);
}

Recordset PgBackend::rowsOf(const Result& result) const {
    const PGresult* r = result.result.get();
    const int count = PQnfields(r);
    QStringList names;
    for (int c = 0; c < count; ++c)
        names.append(QString::fromUtf8(PQfname(r, c)));
    QList<QList<Variant>> rows;
    rows.reserve(PQntuples(r));
    for (int i = 0; i < PQntuples(r); ++i) {
        QList<Variant> row;
        row.reserve(count);
        for (int c = 0; c < count; ++c)
            row.append(valueOf(r, i, c));
        rows.append(std::move(row));
    }
    return Recordset(std::move(names), std::move(rows));
}

Recordset PgBackend::run(const QString& translated, const QString& sql, const QVariantList& parameters) {
    if (translated.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
        if (std::optional<Recordset> rows = runPrepared(translated, parameters))
            return *std::move(rows);
    }
    QString text = translated;
    QStringList values;
    if (!parameters.isEmpty()) {
        text = serverNumbering(translated);
        for (const QVariant& value : parameters)
            values.append(parameterText(value));
    }
    // A failed statement aborts the server's whole transaction; on the file it fails alone, and
    // callers that skip its error go on with the rest.
    const bool guarded = inTransaction();
    // Without values, the savepoint, the statement and its release go in one message: one
    // round trip instead of three.
    const bool together = guarded && values.isEmpty();
    if (guarded && !together)
        execute(QStringLiteral("SAVEPOINT velto_instrucao"));
    const Result result = together ? send(QStringLiteral("SAVEPOINT velto_instrucao;\n") + text +
                                              QStringLiteral("\n;RELEASE SAVEPOINT velto_instrucao"),
                                          {}, 1)
                                   : send(text, values);
    if (!result.ok()) {
        if (guarded)
            undoStatement();
        fail(result, QStringLiteral("O banco de dados não executou a instrução."),
             sql.isEmpty() ? translated : sql);
    }
    if (guarded && !together)
        execute(QStringLiteral("RELEASE SAVEPOINT velto_instrucao"));
    return rowsOf(result);
}

void PgBackend::execute(const QString& script) {
    const Result result = send(script, {});
    if (!result.ok())
        fail(result, QStringLiteral("O banco de dados não executou o comando."), {});
}

void PgBackend::begin(Transaction kind) {
    // A report reads one snapshot; the default isolation sees other commits between statements.
    QString text = kind == Transaction::Write
                       ? QStringLiteral("BEGIN")
                       : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    if (lockWait_ >= 0)
        text += QStringLiteral("; SET LOCAL lock_timeout = %1").arg(lockWait_);
    execute(text);
    transaction_ = true;
}

void PgBackend::commit() {
    const Result result = send(QStringLiteral("COMMIT"), {});
    transaction_ = false;
    if (!result.ok())
        fail(result, QStringLiteral("O banco de dados não gravou a transação."), {});
    // The server answers the COMMIT of a failed transaction by rolling it back.
    if (qstrcmp(PQcmdStatus(result.result.get()), "ROLLBACK") == 0)
        throw DatabaseError(QStringLiteral("O banco de dados não gravou a transação: ela foi desfeita."));
}

void PgBackend::rollback() {
    const bool open = inTransaction();
    transaction_ = false;
    // A transaction the connection lost went with it: its owner ends it here, and only here, so
    // that no statement of it runs again outside it on a new connection.
    if (open && PQstatus(connection_) == CONNECTION_OK)
        execute(QStringLiteral("ROLLBACK"));
}

bool PgBackend::inTransaction() const {
    const PGTransactionStatusType status = PQtransactionStatus(connection_);
    return transaction_ || status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

QList<ColumnInfo> PgBackend::columns(const QString& table) {
    // The comment of a column keeps its spelling; the server keeps the name in lower case.
    const Recordset rs =
        run(QStringLiteral("SELECT a.attname AS nome, format_type(a.atttypid, a.atttypmod) AS tipo, "
                           "col_description(a.attrelid, a.attnum) AS grafia FROM pg_attribute a "
                           "WHERE a.attrelid = to_regclass(?1) AND a.attnum > 0 AND NOT "
                           "a.attisdropped ORDER BY a.attnum"),
            {}, {table});
    QList<ColumnInfo> columns;
    for (Recordset r = rs; !r.Eof(); r.MoveNext()) {
        const QString spelling = r[QStringLiteral("grafia")].toString();
        columns.append(ColumnInfo{spelling.isEmpty() ? r[QStringLiteral("nome")].toString() : spelling,
                                  kindOfType(r[QStringLiteral("tipo")].toString())});
    }
    return columns;
}

int PgBackend::schemaVersion() {
    if (run(QStringLiteral("SELECT to_regclass('velto_versao') IS NULL AS falta"), {}, {})
            .Fields(QStringLiteral("falta"))
            .toInteger())
        return 0;
    return static_cast<int>(run(QStringLiteral("SELECT max(versao) AS v FROM velto_versao"), {}, {})
                                .Fields(QStringLiteral("v"))
                                .toInteger());
}

void PgBackend::setSchemaVersion(int version) {
    execute(QStringLiteral("CREATE TABLE IF NOT EXISTS velto_versao(versao integer NOT NULL); "
                           "DELETE FROM velto_versao; INSERT INTO velto_versao VALUES (%1);")
                .arg(version));
}

void PgBackend::lockSchema() {
    execute(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('velto_versao'))"));
}

void PgBackend::lockRow(const QString& table, qint64 codigo) {
    execute(QStringLiteral("SELECT 1 FROM %1 WHERE codigo = %2 FOR UPDATE").arg(table).arg(codigo));
}

void PgBackend::setBusyWait(int milliseconds, std::function<void()> whileWaiting) {
    whileWaiting_ = milliseconds < 0 ? std::function<void()>() : std::move(whileWaiting);
    deadline_ =
        milliseconds < 0 ? std::numeric_limits<double>::infinity() : segundosReais() + milliseconds / 1000.0;
    // A lock is waited for a little less than the whole, so that it is told as busy, not as a
    // server out of reach. The wait goes with the next transaction's BEGIN: no round trip of its own.
    lockWait_ = milliseconds < 0 ? -1 : std::max(milliseconds - kLockMargin, milliseconds / 2);
}

bool PgBackend::othersChanged() {
    if (transaction_)
        return false;
    // A connection the server dropped while nobody scanned is made again every few seconds, so
    // that the list follows the other terminals again as soon as the server is back; each call
    // goes on with the attempt for a moment only, and the screen stays alive meanwhile.
    if (PQstatus(connection_) != CONNECTION_OK) {
        if (!reconnecting_ && segundosReais() < nextReconnect_)
            return false;
        if (!reconnecting_)
            nextReconnect_ = segundosReais() + kSecondsToConnect;
        try {
            if (!advanceReconnect(std::min(deadline_, segundosReais() + kSecondsToReconnectStep)))
                return false;
        } catch (const DatabaseError&) {
            return false;
        }
    }
    if (!listening_) {
        executeSetting(QStringLiteral("LISTEN velto_movimentacao"));
        setup_ += QStringLiteral(" LISTEN velto_movimentacao;");
        listening_ = true;
    }
    bool changed = std::exchange(reconnected_, false);
    PQconsumeInput(connection_);
    while (PGnotify* notice = PQnotifies(connection_)) {
        changed = changed || notice->be_pid != PQbackendPID(connection_);
        PQfreemem(notice);
    }
    return changed;
}

qint64 PgBackend::lastNumber(const QString& table) {
    const Recordset rs = run(QStringLiteral("SELECT pg_get_serial_sequence(?1, 'codigo') AS s"), {}, {table});
    const QString sequence = rs[QStringLiteral("s")].toString();
    if (sequence.isEmpty())
        return 0;
    const Recordset last = run(
        QStringLiteral("SELECT CASE WHEN is_called THEN last_value ELSE 0 END AS n FROM %1").arg(sequence),
        {}, {});
    return last[QStringLiteral("n")].toInteger();
}

void PgBackend::setLastNumber(const QString& table, qint64 number) {
    run(QStringLiteral(
            "SELECT setval(pg_get_serial_sequence(?1, 'codigo'), greatest(?2::bigint, 1), ?2::bigint > 0)"),
        {}, {table, number});
}

QStringList PgBackend::integrityCheck() {
    // The server checks its own pages; what the program can see is whether it answers.
    run(QStringLiteral("SELECT 1"), {}, {});
    return {};
}

void PgBackend::discardCreated() {
    // What Create made is the schema of one transaction, undone by its rollback.
    rollback();
}

void PgBackend::followClock() {
    // The program's clock is corrected by how far the server's is from it, taken as read halfway
    // through the round trip.
    const qint64 sent = Clock::runningMSecsSinceEpoch();
    const Recordset rs = run(QStringLiteral("SELECT extract(epoch FROM clock_timestamp()) * 1000 AS agora, "
                                            "(SELECT system_identifier FROM pg_control_system()) AS sistema, "
                                            "current_database() AS banco"),
                             {}, {});
    const qint64 received = Clock::runningMSecsSinceEpoch();
    const qint64 server = std::llround(rs[QStringLiteral("agora")].toReal());
    Clock::setOffset(Clock::offset() + server - (sent + received) / 2);
    static const QRegularExpression unfit(QStringLiteral("[^A-Za-z0-9_.-]"));
    identity_ = QStringLiteral("servidor-%1-%2")
                    .arg(rs[QStringLiteral("sistema")].toString(),
                         rs[QStringLiteral("banco")].toString().replace(unfit, QStringLiteral("_")));
}
