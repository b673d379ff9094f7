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

// Lets the connection answer the terminal's two count statements from the maintained counts.
void InstalarContagens(Connection& conexao);

// The statement that answers a count statement from the maintained counts, if it is one.
std::optional<Connection::Rewrite> RespostaContagem(const QString& sql);
