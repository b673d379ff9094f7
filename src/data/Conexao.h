#pragma once

#include "Connection.h"

#include <memory>

// The fixed connection string of the system.
inline const QString kStringConexao =
    QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};Dbq=C:\\PONTO\\ponto.mdb;Uid=;Pwd=QWZRTLK;");

// The one shared connection; empty until the first screen loads.
extern std::unique_ptr<Connection> conexaoBanco;

// Replaces the shared connection by a newly opened one. Result sets held from the old
// connection stay readable; an observer set on it carries over to the new one.
void AbrirConexao();

// The same for a program that only reads (the tools' reports and queries): the file is opened
// read-only, so one that may not be written is read all the same.
void AbrirConexaoLeitura();
