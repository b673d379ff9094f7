#pragma once

#include "Connection.h"

#include <functional>
#include <memory>
#include <optional>

// Creates a new database (a file, or the tables in a server's empty database) with its schema at
// the current version and lets `preencher` add its first rows, all in one transaction; a failure
// anywhere leaves no file behind, and nothing in a server's database.
std::unique_ptr<Connection> CriarBanco(const QString& stringConexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher = {});
// The same in what Connection::Create or CreateFile has just made.
std::unique_ptr<Connection> CriarBanco(std::unique_ptr<Connection> conexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher = {});

// Creates the five tables of a new database and the row 1 of permissao with the given
// maintenance password (on a server, HoraCombinada too and what the tables need there), in the
// transaction open or in one of its own; AtualizarEsquema adds the program's own objects.
void CriarEsquema(Connection& conexao, const QString& senhaManutencao);

// Step 2: the record of hand changes to punches, the table auditoria_movimentacao, which nobody
// may change or empty, and its first triggers (step 3 replaces them). Safe to call again.
void CriarAuditoria(Connection& conexao);

// Step 3: the file needs nothing of the program, so any SQLCipher shell reads, changes and
// checks it: `nome` compares as the other texts do, the record's triggers learn the program's
// origin and clock from a row it writes inside its own transactions (a change made outside the
// program is recorded as "fora do programa" at the machine's time), and agreed hours stored under
// an employee number in another form (" 7", "007") get the plain number.
void TornarArquivoPortavel(Connection& conexao);

// Step 2 on a server: the record of hand changes, which nobody may change, empty or truncate.
void CriarAuditoriaNoServidor(Connection& conexao);

// What the program keeps on its own connection, never in the file: the terminal's two count
// statements answered from the maintained counts, names sorted and compared as a Brazilian
// reader expects (PtBrText.h), and the origin of its changes told to the record's triggers. A
// punch written with no origin named, as the terminal's, leaves no row in the record.
void PrepararConexao(Connection& conexao);

// The statement that answers a count statement from the maintained counts, if it is one.
std::optional<Connection::Rewrite> RespostaContagem(const QString& sql);
