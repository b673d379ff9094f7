#pragma once

#include "Conexao.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;

// Failed expectations print texts as texts.
inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

// On the test server, a new database (a copy of `modelo`, if given) that VELTO_BANCO now leads to;
// returns its name.
QString NovoBancoNoServidor(const QString& modelo = {});

// A database made as velto-banco makes it, under a drive root of its own, and opened: a file, or,
// when VELTO_TESTE_PG names the folder of a test server's socket, a database of its own there
// (VELTO_BANCO leads the program and the tools to it).
class BancoTeste {
public:
    explicit BancoTeste(const QString& senhaManutencao = QStringLiteral("segredo"));
    // A fresh copy of the scenario `montar` builds, built once per test program under its name.
    BancoTeste(const QString& cenario, const std::function<void(BancoTeste&)>& montar);
    ~BancoTeste();

    QString raiz() const { return pasta_.path(); }
    static bool noServidor() { return qEnvironmentVariableIsSet("VELTO_TESTE_PG"); }
    QString caminhoArquivo() const;

    // Statements as they were sent on the shared connection, from now on.
    QStringList& enviadas() { return *enviadas_; }
    // Sends a statement on the shared connection (the Access dialect).
    Recordset sql(const QString& texto);
    // An employee with a card code; returns his codigo.
    qint64 funcionario(const QString& nome, const QString& registro, const QString& codhora = {});
    // The rows of a query, their columns joined by '|' ("null" for none); the rows of a table.
    QStringList linhas(const QString& sql);
    qint64 contar(const QString& tabela);
    void ponto(qint64 funcionario, const QString& data, const QString& hora, const QString& tipo,
               const QString& periodo = QStringLiteral("M"));

private:
    void abrir();
    void usarBanco(const QString& modelo);

    QTemporaryDir pasta_;
    QByteArray raizAnterior_;
    QByteArray bancoAnterior_;
    QString banco_; // on a server, the database of this test
    std::shared_ptr<QStringList> enviadas_ = std::make_shared<QStringList>();
};
