#include "AcharFuncionario.h"

#include "Conexao.h"

#include <QRegularExpression>

namespace {

std::optional<FuncionarioAchado> Primeiro(const QString& sql) {
    const Recordset rs = conexaoBanco->Execute(sql);
    if (rs.Eof())
        return std::nullopt;
    return FuncionarioAchado{rs[QStringLiteral("codigo")].toString(), rs[QStringLiteral("nome")].toString()};
}

} // namespace

QString LimparCodigo(QString texto) {
    texto.remove(QLatin1Char(' '));
    texto.remove(QLatin1Char('\''));
    return texto;
}

bool EhCodigoNumerico(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^[+-]?\\d{1,18}$"));
    return numero.match(texto.trimmed()).hasMatch();
}

std::optional<FuncionarioAchado> FuncionarioPorRegistro(const QString& cartao) {
    return Primeiro(QStringLiteral("Select * from funcionarios where  registro  = '") + LimparCodigo(cartao) +
                    QStringLiteral("'"));
}

std::optional<FuncionarioAchado> FuncionarioPorNumero(const QString& numero) {
    if (!EhCodigoNumerico(numero))
        return std::nullopt;
    return Primeiro(QStringLiteral("Select * from funcionarios where  codigo  = ") + LimparCodigo(numero));
}
