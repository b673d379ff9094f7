#include "Conexao.h"

#include "ColacaoNomes.h"
#include "Esquema.h"
#include "VersaoEsquema.h"

std::unique_ptr<Connection> conexaoBanco;

void AbrirConexao() {
    std::unique_ptr<Connection> nova = Connection::Open(kStringConexao);
    AtualizarColacaoDosNomes(*nova);
    AtualizarEsquema(*nova);
    InstalarContagens(*nova);
    if (conexaoBanco)
        nova->setObserver(conexaoBanco->observer());
    conexaoBanco = std::move(nova);
}
