#include "FuncionarioRelatorio.h"

#include "Conexao.h"
#include "HorasAritmetica.h"

namespace {

QString Limpo(QString texto) {
    texto.remove(QLatin1Char(' '));
    texto.remove(QLatin1Char('\''));
    return texto;
}

std::optional<FuncionarioRelatorio> Primeiro(const QString& sql) {
    Recordset rs = conexaoBanco->Execute(sql);
    if (rs.Eof())
        return std::nullopt;
    return FuncionarioRelatorio{rs[QStringLiteral("codigo")].toString(),
                                rs[QStringLiteral("nome")].toString()};
}

} // namespace

std::optional<FuncionarioRelatorio> FuncionarioPorCartao(const QString& cartao) {
    return Primeiro(QStringLiteral("Select * from funcionarios where  registro  = '") + Limpo(cartao) +
                    QStringLiteral("'"));
}

std::optional<FuncionarioRelatorio> FuncionarioPorCodigo(const QString& codigo) {
    if (!EhNumeroInteiro(codigo))
        return std::nullopt;
    return Primeiro(QStringLiteral("Select * from funcionarios where  codigo  = ") + Limpo(codigo));
}

QList<FuncionarioRelatorio> FuncionariosPorNome() {
    QList<FuncionarioRelatorio> todos;
    for (Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC"));
         !rs.Eof(); rs.MoveNext())
        todos.append({rs[QStringLiteral("codigo")].toString(), rs[QStringLiteral("nome")].toString()});
    return todos;
}
