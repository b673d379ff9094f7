#include "Conexao.h"

#include "Esquema.h"
#include "VersaoEsquema.h"

std::unique_ptr<Connection> conexaoBanco;

void AbrirConexao() {
    std::unique_ptr<Connection> nova = Connection::Open(kStringConexao);
    AtualizarEsquema(*nova);
    PrepararConexao(*nova);
    if (conexaoBanco) {
        nova->setObserver(conexaoBanco->observer());
        // A screen that opens another in the middle of its changes still names them.
        nova->setOrigin(conexaoBanco->origin());
    }
    conexaoBanco = std::move(nova);
}

OrigemAlteracao::OrigemAlteracao(const QString& tela) {
    if (conexaoBanco) {
        anterior_ = conexaoBanco->origin();
        conexaoBanco->setOrigin(tela);
    }
}

OrigemAlteracao::~OrigemAlteracao() {
    // The connection may have been replaced meanwhile: the one in use now gets it back.
    if (conexaoBanco)
        conexaoBanco->setOrigin(anterior_);
}

void AbrirConexaoLeitura() {
    std::unique_ptr<Connection> nova = Connection::Open(kStringConexao, Connection::OpenMode::ReadOnly);
    PrepararConexao(*nova);
    if (conexaoBanco) {
        nova->setObserver(conexaoBanco->observer());
        nova->setOrigin(conexaoBanco->origin());
    }
    conexaoBanco = std::move(nova);
}
