#include "Conexao.h"

#include "Esquema.h"

std::unique_ptr<Connection> conexaoBanco;

void AbrirConexao() {
    std::unique_ptr<Connection> nova = Connection::Open(kStringConexao);
    InstalarContagens(*nova);
    if (conexaoBanco)
        nova->setObserver(conexaoBanco->observer());
    conexaoBanco = std::move(nova);
}

void AbrirConexaoLeitura() {
    std::unique_ptr<Connection> nova = Connection::Open(kStringConexao, Connection::OpenMode::ReadOnly);
    InstalarContagens(*nova);
    if (conexaoBanco)
        nova->setObserver(conexaoBanco->observer());
    conexaoBanco = std::move(nova);
}
