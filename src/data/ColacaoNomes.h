#pragma once

class Connection;

// The open-time step that brings the names of an older file to the Portuguese comparison: a
// `funcionarios.nome` declared without the collation PTBR (files of earlier versions have
// COLLATE NOCASE, files made by hand often none) is given it by rebuilding the table, with its
// rows, indexes, triggers and the sequence of its numbers, in one transaction. Nothing is done
// when the column has it already or the file has no such column; a file taken over by another
// program in the meantime is checked again inside the transaction.
void AtualizarColacaoDosNomes(Connection& conexao);
