#pragma once

#include "Connection.h"

// The objects the program keeps beside the system's tables (the maintained punch counts and
// whatever later versions add) carry a version number, PRAGMA user_version. Every file the
// program opens is brought to the current version: a file made by an earlier version, or by
// hand with the five tables, gets what it lacks, with the counts filled from its punches.

// The version a file has once every step has run.
int VersaoAtualEsquema();
// The version the file says it has (0 for a file made before versions were kept).
int VersaoEsquema(Connection& conexao);
// Runs the steps from `versao` on, the file's or the server's, and records the current version,
// in the transaction open.
void ExecutarPassos(Connection& conexao, int versao);
// Runs the steps the file has not had yet, all in one transaction; a file of a newer version
// is left alone, and a server's of a newer version refused. Throws DatabaseError when a step fails,
// and then nothing is changed.
void AtualizarEsquema(Connection& conexao);

// Step 1: the count of each employee's punches by kind, kept by triggers on movimentacao, and
// the indexes the screens' lookups rely on. Safe to run again: it refills the counts.
void CriarContagens(Connection& conexao);
// The statements that refill the counts from the punches, the same on the file and on a server.
QString RecontagemDePontos();
