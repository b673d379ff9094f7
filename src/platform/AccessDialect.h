#pragma once

#include <QList>
#include <QString>
#include <functional>

// Translation of the Access SQL the screens send into SQLite's dialect, on tokens: string and
// #...# literals are recognised first, so nothing inside a string constant is ever touched.

struct SqlToken {
    enum class Kind { Word, Number, String, Hash, Space, Symbol };
    Kind kind;
    QString text;
};

QList<SqlToken> tokenizeSql(const QString& sql);

// How a column takes a text written into it by INSERT or UPDATE.
enum class ColumnKind { Text, Date, Time, Number };

struct ColumnInfo {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    // The collation the column is sorted and compared with, when not the one it was declared with.
    QString collation = {};
    // Whether the engine's rows come in the order of this column when no ORDER BY says otherwise.
    bool ordersRows = false;
};

// What the translation writes differently for an engine that is not the file.
struct DialectWords {
    // The function that folds a text, when the engine has it: a column with a collation of the
    // connection's own is then sorted and compared as fold(column) COLLATE foldedCollation, and
    // so is what it is compared with. Empty: column COLLATE its collation.
    QString fold = {};
    QString foldedCollation = {};
    // Both sides of every LIKE folded, with no escape character (the file's LIKE is the
    // connection's own, on folded texts).
    bool foldLikes = false;
    // Numbers compared with a text column are compared as texts, and texts compared with a
    // number column as numbers, as the file's column affinity does.
    bool matchLiterals = false;
    // TEXT (n) is text of any length, as the file stores it.
    bool unboundedTexts = false;
    // A SELECT without ORDER BY gets the order the file returns its rows in: a GROUP BY by its
    // key, anything else by the column that orders the rows of its table.
    bool impliedOrder = false;
};

// The columns of a table in their order; empty when the table is unknown.
using TableColumns = std::function<QList<ColumnInfo>(const QString& table)>;

// Throws DatabaseError for a literal that is no valid date or time, or a text that is no number
// written into a numeric column.
QString translateAccessSql(const QString& sql, const TableColumns& columns, const DialectWords& words = {});

// The table a SELECT reads first or an UPDATE or DELETE writes; empty when there is none.
QString statementTable(const QString& sql);

// The table an INSERT, UPDATE or DELETE writes; empty for any other statement.
QString writtenTable(const QString& sql);

// Whether a SELECT gives the same rows each time it runs on one snapshot: it calls no function
// but those whose answer depends on their arguments alone (`fold` among them), names no clock,
// and reads no catalogue (which a server reads outside the snapshot).
bool sameRowsOnSnapshot(const QString& sql, const QString& fold);

// The stored forms, and the parsing of what the screens write.
QString storedDate(const QString& dayFirstText); // "05/12/2026" -> "2026-12-05"; empty if invalid
QString storedTime(const QString& text);         // "8:02:10" -> "08:02:10"; empty if invalid
