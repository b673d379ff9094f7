#pragma once

#include <QString>
#include <optional>

// Where the database is: the configuration's `banco` key, from the environment variable
// VELTO_BANCO, else the user's $XDG_CONFIG_HOME/velto/velto.conf (by default
// ~/.config/velto/velto.conf), else /etc/velto/velto.conf. "arquivo", or no value at all, is
// the file; anything else is a libpq URI or key=value string of a PostgreSQL database.

// One `chave = valor` per line, `#` starts a comment; the user's file first, each key falling
// back to /etc's on its own. Empty when neither has the key.
QString configuredValue(const QString& key);

// Sets `chave = valor` in the user's velto.conf (made 0600, in a folder made 0700), keeping its
// other lines; returns the file's path, or throws DatabaseError.
QString writeConfiguredValue(const QString& key, const QString& value);

// The server's connection string, or nullopt for the file. One that carries a password is
// refused (DatabaseError): passwords come only from libpq's own places.
std::optional<QString> configuredServer();

// "ponto no servidor servidor:5432": the database and the server a connection string leads to,
// never its password.
QString serverPlace(const QString& conninfo);
