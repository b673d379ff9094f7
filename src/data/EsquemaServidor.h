#pragma once

#include "Connection.h"

// The schema on a PostgreSQL server: the same tables, counts and record of hand changes as the
// file's, written for the server. Texts compare as on the file: without regard to ASCII case
// (citext) and byte by byte (COLLATE "C"); names fold with velto_dobra (accents and case
// removed), an immutable function an index can use.

// The file's CREATE TABLE and CREATE INDEX text for the server, each mixed-case column name
// kept as its comment (the server keeps names in lower case).
QString NoServidor(const QString& sqlArquivo);
// The five tables as NoServidor gives them, preceded by the extensions and velto_dobra and
// followed by HoraCombinada and the index on the folded names.
QString TabelasNoServidor(const QString& sqlArquivo);
// The triggers that keep auditoria_movimentacao from being changed, deleted or truncated.
QString AuditoriaImutavelNoServidor();

// Step 1 on a server: the maintained punch counts, refilled from the punches.
void CriarContagensNoServidor(Connection& conexao);
// For a copy of many punches in one transaction: the counts are not kept row by row meanwhile
// but refilled once when Concluir runs (on a server, a count changed by every statement of one
// transaction keeps every version of itself until it ends). Undone with the transaction.
class ContagensAoFim {
public:
    explicit ContagensAoFim(Connection& conexao);
    void Concluir();

private:
    Connection& conexao_;
};

// Step 3 on a server: the triggers that fill the record, told the origin as on the file.
void CriarRegistroNoServidor(Connection& conexao);

// Step 4 on a server: every change of the punches, committed, is announced on the channel
// velto_movimentacao, so that the terminals rebuild their lists of who is at work.
void AvisarMudancasNoServidor(Connection& conexao);
