#pragma once

#include "Connection.h"

#include <memory>

// The fixed connection string of the system.
inline const QString kStringConexao =
    QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};Dbq=C:\\PONTO\\ponto.mdb;Uid=;Pwd=QWZRTLK;");

// The one shared connection; empty until the first screen loads.
extern std::unique_ptr<Connection> conexaoBanco;

// Replaces the shared connection by a newly opened one. Result sets held from the old
// connection stay readable; an observer and an origin set on it carry over to the new one.
void AbrirConexao();

// The same for a program that only reads (the tools' reports and queries): the file is opened
// read-only, so one that may not be written is read all the same.
void AbrirConexaoLeitura();

// Names the screen that makes the changes sent on the shared connection while it lives, so the
// record of hand changes to punches says where each came from; the origin before it comes back
// at the end of the scope. One line around a screen's statements:
//     const OrigemAlteracao origem(QStringLiteral("frm_manutHorario"));
class OrigemAlteracao {
public:
    explicit OrigemAlteracao(const QString& tela);
    ~OrigemAlteracao();
    OrigemAlteracao(const OrigemAlteracao&) = delete;
    OrigemAlteracao& operator=(const OrigemAlteracao&) = delete;

private:
    QString anterior_;
};
