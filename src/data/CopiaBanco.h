#pragma once

#include "Connection.h"

#include <QStringList>
#include <functional>

// Every row of the system's tables from one database into another, whichever engines they are on:
// a file onto a server (migrar) or a server into a file (copia), with the same codigo values and
// the numbering continuing after the source's own counters.

// A value the destination would refuse: its table, the row's codigo, the column and the value.
struct ValorRecusado {
    QString tabela;
    qint64 codigo;
    QString coluna;
    QString valor;
};

// Copies into `destino`, made by CriarBanco and still empty (its password row is replaced), inside
// its open transaction, reading `origem` in one snapshot. Nothing goes into the record of hand
// changes; the maintained counts are refilled. When some value would be refused, copies nothing
// more and returns every one of them (the caller rolls back).
QList<ValorRecusado> CopiarBanco(Connection& origem, Connection& destino);

// The tables of the two databases compared value by value in their text form, and the maintained
// counts of `b` with its real counts: a line for each difference (the first few of each table),
// empty when they agree. `linhas` gets the number of rows compared.
QStringList CompararBancos(Connection& a, Connection& b, qint64* linhas = nullptr);

// The maintained counts against the punches: a line when they differ, empty when they agree.
QStringList ContagensErradas(Connection& conexao);

// What can be checked of a current schema on any engine: the counts, and the triggers of the
// counts and of the record at work (tried in a transaction that is undone). Empty when sound.
QStringList ConferirEsquema(Connection& conexao);

// The rows of the system's tables in `conexao`: zero for a database made by criar and not used.
qint64 LinhasDeDados(Connection& conexao);

// The connection string of another file with the database's own password.
QString StringConexaoDe(const QString& arquivo);

// What `velto-banco verificar` finds wrong with a database: the engine's checks and, for a schema
// at the current version, ConferirEsquema. Empty when it is sound.
QStringList ProblemasDoBanco(Connection& conexao);

// A consistent copy of `origem` (the file by the engine's backup, a server's rows through
// CopiarBanco) into the new file `destino`, never over an existing one, then verified as
// ProblemasDoBanco does. Throws DatabaseError when it cannot be written (nothing is left then) or
// when it was written but does not verify. `entrePassos`, when given, runs after writing, while
// the source is still read in one snapshot, and before verifying.
void GravarCopia(Connection& origem, const QString& destino, const std::function<void()>& entrePassos = {});
