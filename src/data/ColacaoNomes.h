#pragma once

class Connection;

// Gives `funcionarios.nome` the collation NOCASE of the other text columns, so the file opens in
// any SQLCipher shell (earlier versions declared it with the program's own collation; files
// made by hand may declare none): the table is rebuilt with its rows, indexes, triggers and the
// sequence of its numbers. Nothing is done when the column has it already or the file has no
// such column. Runs inside the caller's transaction.
void DevolverColacaoComumAosNomes(Connection& conexao);
