#pragma once

#include "Connection.h"

#include <functional>
#include <memory>
#include <optional>

// Creates a new database file with its schema at the current version, then lets `preencher` add its first rows in one
// transaction; a failure anywhere leaves no file behind.
std::unique_ptr<Connection> CriarBanco(const QString& stringConexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher = {});

// Creates the five tables of a new database and the row 1 of permissao with the given
// maintenance password; AtualizarEsquema adds the program's own objects.
void CriarEsquema(Connection& conexao, const QString& senhaManutencao);

// Creates what is missing of the record of hand changes to punches: the table
// auditoria_movimentacao, which nobody may change or empty, and the triggers that fill it for
// every punch posted, changed or deleted while the connection names an origin (see
// Connection::setOrigin). Punches recorded with no origin named, as the terminal's, leave no
// row. Safe to call on every open; a file made before the record existed gets it then.
void CriarAuditoria(Connection& conexao);

// Lets the connection answer the terminal's two count statements from the maintained counts.
void InstalarContagens(Connection& conexao);

// The statement that answers a count statement from the maintained counts, if it is one.
std::optional<Connection::Rewrite> RespostaContagem(const QString& sql);
