#include "AccessDialect.h"

#include "Amount.h"
#include "DatabaseError.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <QTime>
#include <optional>

namespace {

bool isWordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A quoted run starting at i (quote char q, doubled to escape); returns the index after it.
qsizetype quotedEnd(const QString& sql, qsizetype i, QChar q) {
    qsizetype j = i + 1;
    while (j < sql.size()) {
        if (sql.at(j) == q) {
            if (j + 1 < sql.size() && sql.at(j + 1) == q) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    throw DatabaseError(QStringLiteral("Erro de sintaxe: texto sem aspas de fechamento na instrução SQL."));
}

QString sqlString(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString unquote(const QString& literal) {
    const QChar q = literal.at(0);
    QString inner = literal.mid(1, literal.size() - 2);
    inner.replace(QString(2, q), QString(q));
    return inner;
}

std::optional<QDate> monthFirstDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})[-/](\\d{1,2})[-/](\\d{4})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

// #mm-dd-yyyy#, #hh:mm:ss# or both, as the stored text.
QString hashLiteral(const QString& token) {
    const QString inner = token.mid(1, token.size() - 2).trimmed();
    const QStringList parts = inner.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString date, time;
    for (const QString& part : parts) {
        if (part.contains(QLatin1Char(':')) && time.isEmpty()) {
            time = storedTime(part);
            if (time.isEmpty())
                break;
        } else if (auto d = monthFirstDate(part); d && date.isEmpty()) {
            date = d->toString(QStringLiteral("yyyy-MM-dd"));
        } else {
            date.clear();
            time.clear();
            break;
        }
    }
    if (date.isEmpty() && time.isEmpty())
        throw DatabaseError(
            QStringLiteral("Erro de sintaxe na data da expressão de consulta: %1").arg(token));
    if (!date.isEmpty() && !time.isEmpty())
        return sqlString(date + QLatin1Char(' ') + time);
    return sqlString(date.isEmpty() ? time : date);
}

bool isWord(const SqlToken& t, const char* word) {
    return t.kind == SqlToken::Kind::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// Index of the next token that is not blank, from i on.
qsizetype nextSolid(const QList<SqlToken>& tokens, qsizetype i) {
    while (i < tokens.size() && tokens.at(i).kind == SqlToken::Kind::Space)
        ++i;
    return i;
}

// "SELECT [DISTINCT] TOP n ..." becomes "SELECT [DISTINCT] ... LIMIT n".
void translateTop(QList<SqlToken>& tokens) {
    const qsizetype select = nextSolid(tokens, 0);
    if (select >= tokens.size() || !isWord(tokens.at(select), "select"))
        return;
    qsizetype top = nextSolid(tokens, select + 1);
    if (top < tokens.size() && (isWord(tokens.at(top), "distinct") || isWord(tokens.at(top), "distinctrow")))
        top = nextSolid(tokens, top + 1);
    if (top >= tokens.size() || !isWord(tokens.at(top), "top"))
        return;
    const qsizetype count = nextSolid(tokens, top + 1);
    if (count >= tokens.size() || tokens.at(count).kind != SqlToken::Kind::Number)
        return;
    const QString limit = tokens.at(count).text;
    tokens.remove(top, nextSolid(tokens, count + 1) - top);
    qsizetype end = tokens.size();
    while (end > 0 && (tokens.at(end - 1).kind == SqlToken::Kind::Space ||
                       tokens.at(end - 1).text == QLatin1String(";")))
        --end;
    // As tokens, so that what follows finds the LIMIT word.
    const QList<SqlToken> clause{{SqlToken::Kind::Space, QStringLiteral(" ")},
                                 {SqlToken::Kind::Word, QStringLiteral("LIMIT")},
                                 {SqlToken::Kind::Space, QStringLiteral(" ")},
                                 {SqlToken::Kind::Number, limit}};
    for (qsizetype i = 0; i < clause.size(); ++i)
        tokens.insert(end + i, clause.at(i));
}

QString convertedValue(const QString& text, const ColumnInfo& column) {
    const auto mismatch = [&] {
        return DatabaseError(
            QStringLiteral("Tipo de dados incompatível: '%1' não é um valor válido para o campo %2.")
                .arg(text, column.name));
    };
    switch (column.kind) {
    case ColumnKind::Text:
        return sqlString(text);
    case ColumnKind::Date: {
        const QString stored = storedDate(text);
        if (stored.isEmpty())
            throw mismatch();
        return sqlString(stored);
    }
    case ColumnKind::Time: {
        const QString stored = storedTime(text);
        if (stored.isEmpty())
            throw mismatch();
        return sqlString(stored);
    }
    case ColumnKind::Number: {
        const QString t = text.trimmed();
        if (t.isEmpty())
            return QStringLiteral("NULL");
        // A sign, for the columns that take one, then the amount as the user writes it.
        const bool negative = t.startsWith(QLatin1Char('-'));
        const bool signed_ = negative || t.startsWith(QLatin1Char('+'));
        const std::optional<QString> amount = readAmount(signed_ ? t.mid(1) : t);
        if (!amount)
            throw mismatch();
        return negative ? QLatin1Char('-') + *amount : *amount;
    }
    }
    return sqlString(text);
}

const ColumnInfo* findColumn(const QList<ColumnInfo>& columns, const QString& name) {
    for (const ColumnInfo& c : columns) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

QString identifier(const SqlToken& t) {
    if (t.text.startsWith(QLatin1Char('[')) || t.text.startsWith(QLatin1Char('"')))
        return t.text.mid(1, t.text.size() - 2);
    return t.text;
}

// Converts a value that is one string literal alone, when its column is a date, time or number.
void convertValue(QList<SqlToken>& tokens, qsizetype from, qsizetype to, const ColumnInfo* column) {
    if (!column || column->kind == ColumnKind::Text)
        return;
    const qsizetype first = nextSolid(tokens, from);
    if (first >= to || tokens.at(first).kind != SqlToken::Kind::String || nextSolid(tokens, first + 1) < to)
        return;
    tokens[first].text = convertedValue(unquote(tokens.at(first).text), *column);
}

// Splits tokens[from, to) at commas outside parentheses; returns the boundaries.
QList<std::pair<qsizetype, qsizetype>> splitList(const QList<SqlToken>& tokens, qsizetype from,
                                                 qsizetype to) {
    QList<std::pair<qsizetype, qsizetype>> items;
    int depth = 0;
    qsizetype start = from;
    for (qsizetype i = from; i < to; ++i) {
        const QString& s = tokens.at(i).text;
        if (tokens.at(i).kind != SqlToken::Kind::Symbol)
            continue;
        if (s == QLatin1String("("))
            ++depth;
        else if (s == QLatin1String(")"))
            --depth;
        else if (s == QLatin1String(",") && depth == 0) {
            items.append({start, i});
            start = i + 1;
        }
    }
    items.append({start, to});
    return items;
}

qsizetype matchingParen(const QList<SqlToken>& tokens, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < tokens.size(); ++i) {
        if (tokens.at(i).kind != SqlToken::Kind::Symbol)
            continue;
        if (tokens.at(i).text == QLatin1String("("))
            ++depth;
        else if (tokens.at(i).text == QLatin1String(")") && --depth == 0)
            return i;
    }
    return -1;
}

void translateInsert(QList<SqlToken>& tokens, const TableColumns& tableColumns) {
    qsizetype i = nextSolid(tokens, 0);
    if (i >= tokens.size() || !isWord(tokens.at(i), "insert"))
        return;
    i = nextSolid(tokens, i + 1);
    if (i < tokens.size() && isWord(tokens.at(i), "into"))
        i = nextSolid(tokens, i + 1);
    if (i >= tokens.size() || tokens.at(i).kind != SqlToken::Kind::Word)
        return;
    const QList<ColumnInfo> columns = tableColumns(identifier(tokens.at(i)));
    if (columns.isEmpty())
        return;
    i = nextSolid(tokens, i + 1);
    QList<const ColumnInfo*> targets;
    if (i < tokens.size() && tokens.at(i).text == QLatin1String("(")) {
        const qsizetype close = matchingParen(tokens, i);
        if (close < 0)
            return;
        for (auto [from, to] : splitList(tokens, i + 1, close)) {
            const qsizetype name = nextSolid(tokens, from);
            targets.append(name < to ? findColumn(columns, identifier(tokens.at(name))) : nullptr);
        }
        i = nextSolid(tokens, close + 1);
    } else {
        for (const ColumnInfo& c : columns)
            targets.append(&c);
    }
    if (i >= tokens.size() || !isWord(tokens.at(i), "values"))
        return;
    i = nextSolid(tokens, i + 1);
    if (i >= tokens.size() || tokens.at(i).text != QLatin1String("("))
        return;
    const qsizetype close = matchingParen(tokens, i);
    if (close < 0)
        return;
    const auto values = splitList(tokens, i + 1, close);
    for (qsizetype v = 0; v < values.size() && v < targets.size(); ++v)
        convertValue(tokens, values.at(v).first, values.at(v).second, targets.at(v));
}

void translateUpdate(QList<SqlToken>& tokens, const TableColumns& tableColumns) {
    qsizetype i = nextSolid(tokens, 0);
    if (i >= tokens.size() || !isWord(tokens.at(i), "update"))
        return;
    i = nextSolid(tokens, i + 1);
    if (i >= tokens.size() || tokens.at(i).kind != SqlToken::Kind::Word)
        return;
    const QList<ColumnInfo> columns = tableColumns(identifier(tokens.at(i)));
    if (columns.isEmpty())
        return;
    i = nextSolid(tokens, i + 1);
    if (i >= tokens.size() || !isWord(tokens.at(i), "set"))
        return;
    qsizetype end = i + 1;
    int depth = 0;
    for (; end < tokens.size(); ++end) {
        const SqlToken& t = tokens.at(end);
        if (t.text == QLatin1String("("))
            ++depth;
        else if (t.text == QLatin1String(")"))
            --depth;
        else if (depth == 0 && isWord(t, "where"))
            break;
    }
    for (auto [from, to] : splitList(tokens, i + 1, end)) {
        const qsizetype name = nextSolid(tokens, from);
        const qsizetype equals = nextSolid(tokens, name + 1);
        if (name >= to || equals >= to || tokens.at(equals).text != QLatin1String("="))
            continue;
        convertValue(tokens, equals + 1, to, findColumn(columns, identifier(tokens.at(name))));
    }
}

bool isComparison(const SqlToken& t) {
    static const QStringList operators{"=", "<", ">", "!"};
    return t.kind == SqlToken::Kind::Symbol && operators.contains(t.text);
}

// The table a SELECT reads (the first after its FROM) or an UPDATE or DELETE writes.
QString statementTable(const QList<SqlToken>& tokens) {
    const qsizetype first = nextSolid(tokens, 0);
    if (first >= tokens.size())
        return {};
    if (isWord(tokens.at(first), "update")) {
        const qsizetype table = nextSolid(tokens, first + 1);
        return table < tokens.size() ? identifier(tokens.at(table)) : QString();
    }
    int depth = 0;
    for (qsizetype i = first; i < tokens.size(); ++i) {
        const SqlToken& t = tokens.at(i);
        if (t.text == QLatin1String("("))
            ++depth;
        else if (t.text == QLatin1String(")"))
            --depth;
        else if (depth == 0 && isWord(t, "from")) {
            const qsizetype table = nextSolid(tokens, i + 1);
            return table < tokens.size() && tokens.at(table).kind == SqlToken::Kind::Word
                       ? identifier(tokens.at(table))
                       : QString();
        }
    }
    return {};
}

const ColumnInfo* orderingColumn(const QList<ColumnInfo>& columns) {
    for (const ColumnInfo& c : columns) {
        if (c.ordersRows)
            return &c;
    }
    return nullptr;
}

SqlToken word(const QString& text) {
    return SqlToken{SqlToken::Kind::Word, text};
}

// The folded form of one token, as the engine's fold function gives it.
QString folded(const QString& text, const DialectWords& words, bool collated = true) {
    QString out = words.fold + QLatin1Char('(') + text + QLatin1Char(')');
    if (collated)
        out += QStringLiteral(" COLLATE ") + words.foldedCollation;
    return out;
}

// The index of the operand that follows a comparison operator starting at i, or -1.
qsizetype comparedOperand(const QList<SqlToken>& tokens, qsizetype i) {
    qsizetype j = nextSolid(tokens, i);
    if (j >= tokens.size() || !isComparison(tokens.at(j)))
        return -1;
    while (j < tokens.size() && isComparison(tokens.at(j)))
        ++j;
    j = nextSolid(tokens, j);
    if (j >= tokens.size())
        return -1;
    const SqlToken::Kind kind = tokens.at(j).kind;
    return kind == SqlToken::Kind::String || kind == SqlToken::Kind::Number || kind == SqlToken::Kind::Word
               ? j
               : -1;
}

// A column with a collation of the connection's own gets it where it is sorted (an ORDER BY
// term) or compared; rows equal under it keep the order of their numbers, as an index on the
// column would give them.
void addCollations(QList<SqlToken>& tokens, const TableColumns& tableColumns, const DialectWords& words) {
    const QString table = statementTable(tokens);
    if (table.isEmpty())
        return;
    const QList<ColumnInfo> columns = tableColumns(table);
    const auto collationOf = [&](const SqlToken& t) -> QString {
        if (t.kind != SqlToken::Kind::Word)
            return {};
        const ColumnInfo* column = findColumn(columns, identifier(t));
        return column ? column->collation : QString();
    };
    bool inOrderBy = false, termStart = false, inCondition = false, sortedByCollation = false;
    qsizetype orderStart = -1, orderEnd = -1;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens.at(i);
        if (t.kind == SqlToken::Kind::Space)
            continue;
        if (isWord(t, "where") || isWord(t, "having") || isWord(t, "on"))
            inCondition = true;
        if (isWord(t, "order") && orderStart < 0)
            orderStart = i;
        if (isWord(t, "order") || (inOrderBy && isWord(t, "by"))) {
            inCondition = false;
            inOrderBy = true;
            termStart = isWord(t, "by");
            continue;
        }
        if (inOrderBy && (isWord(t, "limit") || t.text == QLatin1String(";"))) {
            orderEnd = i;
            inOrderBy = false;
        }
        const bool atTerm = inOrderBy && termStart;
        termStart = inOrderBy && t.text == QLatin1String(",");
        const QString collation = collationOf(t);
        if (collation.isEmpty())
            continue;
        const qsizetype operand = inCondition ? comparedOperand(tokens, i + 1) : -1;
        if (!atTerm && operand < 0)
            continue;
        sortedByCollation = sortedByCollation || atTerm;
        if (words.fold.isEmpty()) {
            tokens.insert(i + 1, word(QStringLiteral(" COLLATE ") + collation));
            ++i;
            continue;
        }
        tokens[i].text = folded(t.text, words);
        if (operand >= 0)
            tokens[operand].text = folded(tokens.at(operand).text, words);
    }
    if (!sortedByCollation)
        return;
    const qsizetype select = nextSolid(tokens, 0);
    const qsizetype distinct = nextSolid(tokens, select + 1);
    if (!words.fold.isEmpty() && distinct < tokens.size() && isWord(tokens.at(distinct), "distinct")) {
        // The server sorts DISTINCT rows only by what they hold: the folded terms sort the
        // distinct rows from outside.
        tokens.insert(orderStart, word(QStringLiteral(") AS velto_distintos ")));
        tokens.insert(select, word(QStringLiteral("SELECT * FROM (")));
        return;
    }
    // On a server the implied order has put the table's ordering column last already.
    if (!words.fold.isEmpty())
        return;
    if (orderEnd < 0)
        orderEnd = tokens.size();
    while (orderEnd > 0 && tokens.at(orderEnd - 1).kind == SqlToken::Kind::Space)
        --orderEnd;
    tokens.insert(orderEnd, word(QStringLiteral(", rowid")));
}

// Both sides of a LIKE folded, and no escape character, as the file's own LIKE compares.
void foldLikes(QList<SqlToken>& tokens, const DialectWords& words) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!isWord(tokens.at(i), "like"))
            continue;
        qsizetype left = i - 1;
        while (left >= 0 && tokens.at(left).kind == SqlToken::Kind::Space)
            --left;
        const qsizetype right = nextSolid(tokens, i + 1);
        if (left < 0 || right >= tokens.size())
            continue;
        tokens[left].text = folded(tokens.at(left).text, words, false);
        tokens[right].text = folded(tokens.at(right).text, words, false) + QStringLiteral(" ESCAPE ''");
    }
}

// A literal compared with a column takes the column's kind, as the file's column affinity
// converts it: a number compared with a text column is its text; a text compared with a
// number column is the number it reads as, or no value at all.
void matchComparedLiterals(QList<SqlToken>& tokens, const TableColumns& tableColumns) {
    const QString table = statementTable(tokens);
    if (table.isEmpty())
        return;
    const QList<ColumnInfo> columns = tableColumns(table);
    bool inCondition = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens.at(i).kind != SqlToken::Kind::Word)
            continue;
        // An UPDATE's SET writes values; only a condition compares them.
        inCondition = inCondition || isWord(tokens.at(i), "where") || isWord(tokens.at(i), "having") ||
                      isWord(tokens.at(i), "on");
        const ColumnInfo* column = inCondition ? findColumn(columns, identifier(tokens.at(i))) : nullptr;
        const qsizetype operand = column ? comparedOperand(tokens, i + 1) : -1;
        if (operand < 0)
            continue;
        SqlToken& literal = tokens[operand];
        if (column->kind == ColumnKind::Text && literal.kind == SqlToken::Kind::Number) {
            literal = SqlToken{SqlToken::Kind::String, sqlString(literal.text)};
        } else if (column->kind == ColumnKind::Number && literal.kind == SqlToken::Kind::String) {
            bool number = false;
            const QString text = unquote(literal.text).trimmed();
            text.toDouble(&number);
            literal = number ? SqlToken{SqlToken::Kind::Number, text} : word(QStringLiteral("NULL"));
        }
    }
}

// CREATE TABLE's TEXT (n) becomes TEXT: the file keeps texts of any length in such a column.
void unboundTexts(QList<SqlToken>& tokens) {
    const qsizetype first = nextSolid(tokens, 0);
    if (first >= tokens.size() || !isWord(tokens.at(first), "create"))
        return;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!isWord(tokens.at(i), "text"))
            continue;
        const qsizetype open = nextSolid(tokens, i + 1);
        if (open >= tokens.size() || tokens.at(open).text != QLatin1String("("))
            continue;
        const qsizetype close = matchingParen(tokens, open);
        if (close > open)
            tokens.remove(i + 1, close - i);
    }
}

bool isAggregate(const SqlToken& t) {
    for (const char* name : {"count", "max", "min", "sum", "avg"}) {
        if (isWord(t, name))
            return true;
    }
    return false;
}

// The order the file implies for a SELECT: without ORDER BY, its GROUP BY key or the column
// that orders its table's rows; with one, that column after its terms, as rows equal under
// them come from the file. A single aggregate row, DISTINCT and UNION are left alone.
void addImpliedOrder(QList<SqlToken>& tokens, const TableColumns& tableColumns) {
    const qsizetype select = nextSolid(tokens, 0);
    if (select >= tokens.size() || !isWord(tokens.at(select), "select"))
        return;
    const qsizetype afterSelect = nextSolid(tokens, select + 1);
    if (afterSelect < tokens.size() && isWord(tokens.at(afterSelect), "distinct"))
        return;
    int depth = 0;
    bool beforeFrom = true, aggregate = false, ordered = false;
    qsizetype groupStart = -1, groupEnd = -1, end = -1;
    for (qsizetype i = select; i < tokens.size(); ++i) {
        const SqlToken& t = tokens.at(i);
        if (t.text == QLatin1String("("))
            ++depth;
        else if (t.text == QLatin1String(")"))
            --depth;
        if (depth != 0 || t.kind == SqlToken::Kind::Space)
            continue;
        if (isWord(t, "union"))
            return;
        if (isWord(t, "from"))
            beforeFrom = false;
        aggregate = aggregate || (beforeFrom && isAggregate(t));
        ordered = ordered || isWord(t, "order");
        if (isWord(t, "group"))
            groupStart = nextSolid(tokens, i + 1) + 1;
        else if (groupStart >= 0 && groupEnd < 0 && (isWord(t, "having") || isWord(t, "order")))
            groupEnd = i;
        if (end < 0 && (isWord(t, "limit") || t.text == QLatin1String(";")))
            end = i;
    }
    if (end < 0)
        end = tokens.size();
    while (end > 0 && tokens.at(end - 1).kind == SqlToken::Kind::Space)
        --end;
    if (groupStart >= 0) {
        if (ordered)
            return;
        QString key;
        for (qsizetype i = groupStart; i < (groupEnd < 0 ? end : groupEnd); ++i)
            key += tokens.at(i).text;
        tokens.insert(end, word(QStringLiteral(" ORDER BY ") + key.trimmed()));
        return;
    }
    const ColumnInfo* column = orderingColumn(tableColumns(statementTable(tokens)));
    if (aggregate || !column)
        return;
    tokens.insert(end, word((ordered ? QStringLiteral(", ") : QStringLiteral(" ORDER BY ")) + column->name));
}

} // namespace

QString writtenTable(const QString& sql) {
    // Most statements are reads: a plain first word settles those without tokenizing.
    qsizetype start = 0;
    while (start < sql.size() && sql.at(start).isSpace())
        ++start;
    if (start < sql.size() && sql.at(start).isLetter()) {
        const QStringView head = QStringView(sql).mid(start, 6);
        if (!head.startsWith(u"update", Qt::CaseInsensitive) &&
            !head.startsWith(u"insert", Qt::CaseInsensitive) &&
            !head.startsWith(u"delete", Qt::CaseInsensitive))
            return {};
    }
    const QList<SqlToken> tokens = tokenizeSql(sql);
    const qsizetype first = nextSolid(tokens, 0);
    if (first >= tokens.size())
        return {};
    if (isWord(tokens.at(first), "update"))
        return statementTable(tokens);
    if (!isWord(tokens.at(first), "insert") && !isWord(tokens.at(first), "delete"))
        return {};
    qsizetype table = nextSolid(tokens, first + 1);
    if (table < tokens.size() && (isWord(tokens.at(table), "into") || isWord(tokens.at(table), "from")))
        table = nextSolid(tokens, table + 1);
    return table < tokens.size() && tokens.at(table).kind == SqlToken::Kind::Word
               ? identifier(tokens.at(table))
               : QString();
}

bool sameRowsOnSnapshot(const QString& sql, const QString& fold) {
    // Words a parenthesis may follow without being a call, and calls of their arguments alone.
    static const QSet<QString> steady{
        "select", "from",    "where", "and",     "or",    "not",      "in",       "exists",
        "on",     "as",      "by",    "when",    "then",  "else",     "case",     "like",
        "is",     "between", "join",  "union",   "all",   "distinct", "values",   "having",
        "count",  "sum",     "min",   "max",     "avg",   "total",    "coalesce", "ifnull",
        "nullif", "lower",   "upper", "abs",     "round", "length",   "substr",   "substring",
        "trim",   "ltrim",   "rtrim", "replace", "instr", "cast",     "iif"};
    const QList<SqlToken> tokens = tokenizeSql(sql);
    const qsizetype first = nextSolid(tokens, 0);
    if (first >= tokens.size() || !isWord(tokens.at(first), "select"))
        return false;
    for (qsizetype i = first; i < tokens.size(); ++i) {
        const SqlToken& t = tokens.at(i);
        if (t.kind != SqlToken::Kind::Word)
            continue;
        if (t.text.startsWith(QLatin1String("current_"), Qt::CaseInsensitive) ||
            t.text.startsWith(QLatin1String("localtime"), Qt::CaseInsensitive) ||
            t.text.startsWith(QLatin1String("pg_"), Qt::CaseInsensitive) ||
            t.text.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive) ||
            isWord(t, "information_schema"))
            return false;
        const qsizetype next = nextSolid(tokens, i + 1);
        const bool call = next < tokens.size() && tokens.at(next).text == QLatin1String("(");
        if (call && !steady.contains(t.text.toLower()) && t.text.compare(fold, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

QList<SqlToken> tokenizeSql(const QString& sql) {
    QList<SqlToken> tokens;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        qsizetype j = i + 1;
        SqlToken::Kind kind = SqlToken::Kind::Symbol;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            j = quotedEnd(sql, i, c);
            kind = SqlToken::Kind::String;
        } else if (c == QLatin1Char('#')) {
            j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j < 0)
                throw DatabaseError(
                    QStringLiteral("Erro de sintaxe na data da expressão de consulta: %1").arg(sql.mid(i)));
            ++j;
            kind = SqlToken::Kind::Hash;
        } else if (c == QLatin1Char('[')) {
            j = sql.indexOf(QLatin1Char(']'), i + 1);
            if (j < 0)
                throw DatabaseError(
                    QStringLiteral("Erro de sintaxe: colchete sem fechamento na instrução SQL."));
            ++j;
            kind = SqlToken::Kind::Word;
        } else if (c.isSpace()) {
            while (j < n && sql.at(j).isSpace())
                ++j;
            kind = SqlToken::Kind::Space;
        } else if (isWordStart(c)) {
            while (j < n && isWordChar(sql.at(j)))
                ++j;
            kind = SqlToken::Kind::Word;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql.at(i + 1).isDigit())) {
            while (j < n && (sql.at(j).isDigit() || sql.at(j) == QLatin1Char('.')))
                ++j;
            kind = SqlToken::Kind::Number;
        }
        tokens.append(SqlToken{kind, sql.mid(i, j - i)});
        i = j;
    }
    return tokens;
}

QString storedDate(const QString& dayFirstText) {
    static const QRegularExpression dayFirst(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    static const QRegularExpression iso(QStringLiteral("^\\s*(\\d{4})-(\\d{2})-(\\d{2})\\s*$"));
    QDate d;
    if (const auto m = dayFirst.match(dayFirstText); m.hasMatch())
        d = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if (const auto m2 = iso.match(dayFirstText); m2.hasMatch())
        d = QDate(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
    return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString storedTime(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(),
                  m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    return t.isValid() ? t.toString(QStringLiteral("hh:mm:ss")) : QString();
}

QString statementTable(const QString& sql) {
    return statementTable(tokenizeSql(sql));
}

QString translateAccessSql(const QString& sql, const TableColumns& columns, const DialectWords& words) {
    QList<SqlToken> tokens = tokenizeSql(sql);
    for (SqlToken& t : tokens) {
        if (t.kind == SqlToken::Kind::Hash)
            t = SqlToken{SqlToken::Kind::String, hashLiteral(t.text)};
        else if (t.kind == SqlToken::Kind::String && t.text.startsWith(QLatin1Char('"')))
            t.text = sqlString(unquote(t.text));
    }
    if (words.matchLiterals)
        matchComparedLiterals(tokens, columns);
    if (words.impliedOrder)
        addImpliedOrder(tokens, columns);
    translateTop(tokens);
    addCollations(tokens, columns, words);
    if (words.foldLikes)
        foldLikes(tokens, words);
    if (words.unboundedTexts)
        unboundTexts(tokens);
    translateInsert(tokens, columns);
    translateUpdate(tokens, columns);
    QString out;
    out.reserve(sql.size() + 16);
    for (const SqlToken& t : tokens)
        out += t.text;
    return out;
}
