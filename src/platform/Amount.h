#pragma once

#include <QString>
#include <optional>

// An amount as a Brazilian user types it, not negative: a comma is the decimal mark; dots
// between groups of three digits separate thousands ("1.234.567", "1.234,50"); a single dot
// followed by one or two digits is a decimal point ("12.5", "1.23"). Returns the number as the
// engine reads it ("1234567", "1234.50"), or nullopt for anything else ("1234.567", "1.2345",
// "1,2,3", "" included).
std::optional<QString> readAmount(const QString& text);
