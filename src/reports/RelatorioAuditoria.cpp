#include "RelatorioAuditoria.h"

#include "Conexao.h"
#include "Printer.h"

#include <optional>

namespace {

constexpr int kLarguraLado = 23;

// Date, time, kind and period of one side of a change; blanks when that side does not exist.
QString Lado(const Recordset& rs, const QString& sufixo) {
    const Variant data = rs[QStringLiteral("data_") + sufixo];
    if (data.isNull())
        return Brancos(kLarguraLado);
    const QString tipo =
        sufixo == QLatin1String("anterior") ? QStringLiteral("tipo_anterior") : QStringLiteral("tipo_novo");
    const QString periodo = sufixo == QLatin1String("anterior") ? QStringLiteral("periodo_anterior")
                                                                : QStringLiteral("periodo_novo");
    return Campo(data.toString() + QLatin1Char(' ') + rs[QStringLiteral("hora_") + sufixo].toString() +
                     QLatin1Char(' ') + rs[tipo].toString() + QLatin1Char(' ') + rs[periodo].toString(),
                 kLarguraLado);
}

QString Funcionario(const QString& codigo, const QString& nome) {
    return Campo(ADireita(codigo, 4) + QLatin1Char(' ') + nome, 20);
}

} // namespace

QString CabecalhoAuditoria() {
    return Campo(QStringLiteral("QUANDO"), 19) + QLatin1Char(' ') + Campo(QStringLiteral("OPERACAO"), 8) +
           QLatin1Char(' ') + Campo(QStringLiteral("ORIGEM"), 16) + QLatin1Char(' ') +
           Campo(QStringLiteral("LANC."), 8) + QLatin1Char(' ') + Campo(QStringLiteral("FUNCIONARIO"), 20) +
           QLatin1Char(' ') + Campo(QStringLiteral("ANTES"), kLarguraLado) + QStringLiteral("    ") +
           QStringLiteral("DEPOIS");
}

QString LinhaAuditoria(const Recordset& rs) {
    QString linha =
        Campo(rs[QStringLiteral("data")].toString() + QLatin1Char(' ') +
                  rs[QStringLiteral("hora")].toString(),
              19) +
        QLatin1Char(' ') + Campo(rs[QStringLiteral("operacao")].toString(), 8) + QLatin1Char(' ') +
        Campo(rs[QStringLiteral("origem")].toString(), 16) + QLatin1Char(' ') +
        Campo(rs[QStringLiteral("lancamento")].toString(), 8) + QLatin1Char(' ') +
        Funcionario(rs[QStringLiteral("funcionario")].toString(), rs[QStringLiteral("nome")].toString()) +
        QLatin1Char(' ') + Lado(rs, QStringLiteral("anterior")) + QStringLiteral(" -> ") +
        Lado(rs, QStringLiteral("nova"));
    while (linha.endsWith(QLatin1Char(' ')))
        linha.chop(1);
    return linha;
}

void RelatorioAuditoria(const EntradaAuditoria& entrada, const DestinoRelatorio& destino) {
    QString sql = QStringLiteral("Select * from auditoria_movimentacao where data >= ") +
                  LiteralData(entrada.inicio) + QStringLiteral(" and data <= ") + LiteralData(entrada.fim);
    if (!entrada.funcionario.isEmpty())
        sql += QStringLiteral(" and funcionario = ") + entrada.funcionario;
    sql += QStringLiteral(" order by codigo");
    // A file the program has not opened yet has no record: nothing was changed by hand in it.
    const bool temRegistro = conexaoBanco->HasTable(QStringLiteral("auditoria_movimentacao"));
    std::optional<Recordset> rs;
    if (temRegistro)
        rs = conexaoBanco->Execute(sql);

    SaidaRelatorio saida(destino, entrada.imprimir);
    // Old and new side by side need about 130 columns: a smaller font keeps each on one line.
    struct Fonte {
        Printer* impressora;
        double antes;
        ~Fonte() {
            if (impressora)
                impressora->setFontSize(antes);
        }
    } fonte{entrada.imprimir ? destino.impressora : nullptr,
            destino.impressora ? destino.impressora->fontSize() : 0};
    if (fonte.impressora)
        fonte.impressora->setFontSize(6.5);
    try {
        saida.iniciar();
        saida.negrito(true);
        saida.linha(QStringLiteral("VELTO - Alterações de pontos feitas à mão: ") +
                    entrada.inicio.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - ") +
                    entrada.fim.toString(QStringLiteral("dd/MM/yyyy")));
        saida.negrito(false);
        saida.linha(Regua());
        saida.linha(CabecalhoAuditoria());
        int quantas = 0;
        for (; rs && !rs->Eof(); rs->MoveNext(), ++quantas)
            saida.linha(LinhaAuditoria(*rs));
        saida.linha(Regua());
        saida.linha(quantas == 0
                        ? QStringLiteral("Nenhuma alteração no período.")
                        : QString::number(quantas) + (quantas == 1 ? QStringLiteral(" alteração.")
                                                                   : QStringLiteral(" alterações.")));
        saida.terminar();
    } catch (...) {
        saida.abortar();
        throw;
    }
}
