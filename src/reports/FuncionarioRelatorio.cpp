#include "FuncionarioRelatorio.h"

#include "AcharFuncionario.h"
#include "Conexao.h"

namespace {

std::optional<FuncionarioRelatorio> Relatorio(const std::optional<FuncionarioAchado>& achado) {
    if (!achado)
        return std::nullopt;
    return FuncionarioRelatorio{achado->codigo, achado->nome};
}

} // namespace

std::optional<FuncionarioRelatorio> FuncionarioPorCartao(const QString& cartao) {
    return Relatorio(FuncionarioPorRegistro(cartao));
}

std::optional<FuncionarioRelatorio> FuncionarioPorCodigo(const QString& codigo) {
    return Relatorio(FuncionarioPorNumero(codigo));
}

QList<FuncionarioRelatorio> FuncionariosPorNome() {
    QList<FuncionarioRelatorio> todos;
    for (Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC"));
         !rs.Eof(); rs.MoveNext())
        todos.append({rs[QStringLiteral("codigo")].toString(), rs[QStringLiteral("nome")].toString()});
    return todos;
}
