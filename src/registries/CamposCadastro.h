#pragma once

#include <QString>

// Typed values of the registry screens on their way into SQL text.

// The text without apostrophes: what key fields (card codes, schedule and holiday codes) keep.
QString SemApostrofos(QString texto);

// A free text between quotes in a statement: each apostrophe doubled, so it is stored as typed.
QString TextoSql(QString texto);

// A code made of digits only ("001", "7"): what may go into a statement as a schedule or
// holiday code.
bool EhSoDigitos(const QString& texto);
