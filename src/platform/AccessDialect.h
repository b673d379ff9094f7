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
};

// The columns of a table in their order; empty when the table is unknown.
using TableColumns = std::function<QList<ColumnInfo>(const QString& table)>;

// Throws DatabaseError for a literal that is no valid date or time, or a text that is no number
// written into a numeric column.
QString translateAccessSql(const QString& sql, const TableColumns& columns);

// The table an INSERT, UPDATE or DELETE writes; empty for any other statement.
QString writtenTable(const QString& sql);

// The stored forms, and the parsing of what the screens write.
QString storedDate(const QString& dayFirstText); // "05/12/2026" -> "2026-12-05"; empty if invalid
QString storedTime(const QString& text);         // "8:02:10" -> "08:02:10"; empty if invalid
