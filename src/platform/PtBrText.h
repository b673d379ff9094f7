#pragma once

#include <QString>

struct sqlite3;

// Text comparison as a Brazilian reader expects it: without regard to case or accents, so
// "ÁLVARO" sorts with the A's, "Érica" with the E's, and "e%" matches "Érica".

// The name of the collation every connection registers (see registerPtBrText). No file declares
// it any more, but files of earlier versions do until a writer upgrades them, and readers still
// read those.
inline constexpr const char* kPtBrCollation = "PTBR";

// The text as the comparison sees it: accents removed, case folded ("Érica" -> "erica").
QString foldPtBr(const QString& text);
// <0, 0, >0 as a sorts before, with or after b.
int comparePtBr(const QString& a, const QString& b);
// SQL LIKE on folded texts: "%" any run of characters, "_" one character; `escape`, when not
// null, makes the next pattern character literal.
bool likePtBr(const QString& value, const QString& pattern, QChar escape = QChar());

// Registers the collation kPtBrCollation and replaces the engine's LIKE (ASCII case only) by
// likePtBr on this connection. Returns false when the engine refuses.
bool registerPtBrText(sqlite3* db);
