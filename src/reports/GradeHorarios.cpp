#include "GradeHorarios.h"

#include "Conexao.h"
#include "HorasAritmetica.h"

namespace {

QString LinhaHorario(const QString& dia, const QString& entrada1, const QString& saida1,
                     const QString& entrada2, const QString& saida2) {
    return Campo(dia, 30) + Brancos(1) + Campo(entrada1, 10) + Brancos(1) + Campo(saida1, 10) + Brancos(1) +
           Campo(entrada2, 10) + Brancos(1) + Campo(saida2, 10);
}

QStringList LinhasDoFuncionario(const Recordset& f) {
    const auto campo = [&f](const char* nome) {
        return f[QString::fromLatin1(nome)].toString();
    };
    return {QStringLiteral("NOME......: ") +
                ADireita(QString::number(f[QStringLiteral("CODIGO")].toInteger()), 4) +
                QStringLiteral(" - ") + campo("nome"),
            QStringLiteral("REGISTRO..: ") + campo("REGISTRO"),
            QStringLiteral("TELE......: ") + campo("TELE"),
            QStringLiteral("ENDERECO..: ") + campo("ENDERECO"),
            QStringLiteral("CIDADE....: ") + campo("CIDADE") + QStringLiteral(" - ") + campo("estado")};
}

void Imprimir(const Recordset& funcionario, SaidaRelatorio& saida) {
    saida.iniciar();
    saida.negrito(true);
    saida.linhaSoImpressa(QStringLiteral("HORARIO FUNCIONARIO - VELTO"));
    saida.linhaSoImpressa(QString());
    saida.negrito(false);
    for (const QString& linha : LinhasDoFuncionario(funcionario))
        saida.linha(linha);
    saida.linha(QString());

    Recordset rs = conexaoBanco->Execute(QStringLiteral("SELECT * FROM horarios where registro = '") +
                                         TextoSql(funcionario[QStringLiteral("codhora")].toString()) +
                                         QStringLiteral("'"));
    saida.negrito(true);
    saida.linha(LinhaHorario(QStringLiteral("DIA SEMANA"), QStringLiteral("ENTRADA"), QStringLiteral("SAIDA"),
                             QStringLiteral("ENTRADA"), QStringLiteral("SAIDA")));
    for (; !rs.Eof(); rs.MoveNext()) {
        saida.negrito(false);
        saida.linha(LinhaHorario(rs[QStringLiteral("DIASEMANA")].toString(),
                                 rs[QStringLiteral("NOME")].toString(), rs[QStringLiteral("TELE")].toString(),
                                 rs[QStringLiteral("ENDERECO")].toString(),
                                 rs[QStringLiteral("CIDADE")].toString()));
    }
    saida.negrito(false);
    saida.terminar();
}

} // namespace

bool GradeHorarios(const QString& codigoFuncionario, bool imprimir, const DestinoRelatorio& destino) {
    if (!EhNumeroInteiro(codigoFuncionario))
        return false;
    QString codigo = codigoFuncionario;
    codigo.remove(QLatin1Char(' '));
    codigo.remove(QLatin1Char('\''));
    const Recordset funcionario =
        conexaoBanco->Execute(QStringLiteral("Select * from funcionarios where  codigo  = ") + codigo);
    // Nobody found: no document is begun, so the printer is sent nothing, not an empty page.
    if (funcionario.Eof())
        return false;
    SaidaRelatorio saida(destino, imprimir);
    try {
        Imprimir(funcionario, saida);
    } catch (...) {
        saida.abortar();
        throw;
    }
    return true;
}
