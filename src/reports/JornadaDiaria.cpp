#include "JornadaDiaria.h"

#include "CartaoPonto.h"
#include "Conexao.h"
#include "HorasAritmetica.h"

namespace {

QString CabecalhoColunas() {
    return QStringLiteral("      DATA") + Brancos(1) + Campo(QStringLiteral("DESCRICAO"), 30) + Brancos(1) +
           QStringLiteral(" ENTRADA") + Brancos(1) + QStringLiteral("   SAIDA") + Brancos(1) +
           QStringLiteral(" ENTRADA") + Brancos(1) + QStringLiteral("   SAIDA") + Brancos(1) +
           QStringLiteral(" JORNADA") + Brancos(1) + QStringLiteral("TRABALH.") + Brancos(2) +
           QStringLiteral("   EXTRA");
}

int SegundosDaHora(const Variant& hora) {
    const QTime t = hora.toTime();
    return t.isValid() ? t.msecsSinceStartOfDay() / 1000 : 0;
}

bool EhEntrada(const Recordset& rs) {
    return rs[QStringLiteral("EntradaSaida")].toString() == QLatin1String("E");
}

// One pass of the walk over the movements, from the row that opens it.
struct Dia {
    QString data; // dd/mm/yyyy of the row that named the day
    QString descricao;
    int entrada1 = 0;
    int saida1 = 0;
    int entrada2 = 0;
    int saida2 = 0;
    bool segundaSaida = false;
};

class Jornada {
public:
    Jornada(SaidaRelatorio& saida, const EntradaRelatorio& entrada, const PeriodoRelatorio& periodo)
        : saida_(saida)
        , entrada_(entrada)
        , periodo_(periodo) {}

    void executar() {
        cabecalho();
        percorrerMovimentos();
        encerramento();
    }

private:
    void cabecalho() {
        saida_.iniciar();
        saida_.negrito(true);
        saida_.linhaSoImpressa(LinhaTitulo(entrada_.dataInicial, entrada_.dataFinal));
        saida_.linhaSoImpressa(Regua());
        saida_.negrito(false);
        saida_.linhaSoImpressa(LinhaFuncionario(periodo_.codigo, entrada_.nomeFuncionario));
        saida_.linhaSoImpressa(Regua());
        saida_.negrito(true);
        saida_.linha(CabecalhoColunas());
    }

    void percorrerMovimentos() {
        const QString sql = QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = ") +
                            periodo_.codigo + QStringLiteral(" and data>= ") + LiteralData(periodo_.inicio) +
                            QStringLiteral(" and data<= ") + LiteralData(periodo_.fim) +
                            QStringLiteral(" order by data, hora asc ");
        Recordset rs = conexaoBanco->Execute(sql);
        if (rs.Eof())
            return;
        // Each pass starts at the current row; the last row ends the walk.
        for (;;) {
            if (!passo(rs))
                return;
            if (rs.position() >= rs.rowCount() - 1)
                return;
            rs.MoveNext();
        }
    }

    // One pass from the current row. False when the employee is gone and the walk must stop.
    bool passo(Recordset& rs) {
        const QDate data = rs[QStringLiteral("data")].toDate();
        Recordset funcionario =
            conexaoBanco->Execute(QStringLiteral("Select CODHORA from funcionarios where codigo = ") +
                                  rs[QStringLiteral("funcionario")].toString());
        if (funcionario.Eof())
            return false;
        Recordset horario =
            conexaoBanco->Execute(QStringLiteral("Select * from horarios where registro = '") +
                                  TextoSql(funcionario[QStringLiteral("CODHORA")].toString()) +
                                  QStringLiteral("'  and CodHora = '") + QString::number(DiaDaSemana(data)) +
                                  QStringLiteral("'  "));
        if (horario.Eof())
            return true; // a weekday without schedule row produces nothing
        const int jornadaDoDia =
            SegundosDoTexto(horario[QStringLiteral("totalhoras")].toString()).value_or(0);
        dia_.descricao = horario[QStringLiteral("DiaSemana")].toString();
        dia_.data = rs[QStringLiteral("data")].toString();

        if (EhEntrada(rs)) {
            dia_.entrada1 = SegundosDaHora(rs[QStringLiteral("hora")]);
            jornada_ = jornadaDoDia;
            entradaLida_ = true;
            // The next pass, at the row after the entry, closes the day; the last row closes it here.
            if (rs.position() >= rs.rowCount() - 1)
                imprimirDia();
            return true;
        }
        // A day that opens on an exit has no entry of its own to take the journey from: it is
        // that exit's weekday's. After an entry (a night shift) the entry's journey holds.
        if (!entradaLida_)
            jornada_ = jornadaDoDia;
        dia_.saida1 = SegundosDaHora(rs[QStringLiteral("hora")]);
        lerSegundoPar(rs, data);
        imprimirDia();
        return true;
    }

    // After the first exit: an entry of the same date is the second entry; the next exit, of the
    // same date or (past midnight) of a later one, ends the day. An entry of another date opens
    // the next pass.
    void lerSegundoPar(Recordset& rs, const QDate& data) {
        while (rs.position() < rs.rowCount() - 1) {
            rs.MoveNext();
            const bool entrada = EhEntrada(rs);
            if (rs[QStringLiteral("data")].toDate() == data) {
                if (entrada) {
                    dia_.entrada2 = SegundosDaHora(rs[QStringLiteral("hora")]);
                    continue;
                }
            } else if (entrada) {
                rs.MovePrevious();
                return;
            }
            dia_.saida2 = SegundosDaHora(rs[QStringLiteral("hora")]);
            dia_.segundaSaida = true;
            return;
        }
    }

    void imprimirDia() {
        const int primeiro = DuracaoPeriodo(dia_.entrada1, dia_.saida1);
        const int segundo = dia_.segundaSaida ? DuracaoPeriodo(dia_.entrada2, dia_.saida2) : 0;
        const int trabalhado = Normalizar(qint64(primeiro) + segundo);
        const int extra = Normalizar(qint64(trabalhado) - jornada_);
        const bool positivo = trabalhado >= jornada_;

        saida_.negrito(false);
        saida_.linha(Campo(dia_.data, 10) + Brancos(1) + Campo(dia_.descricao, 30) + Brancos(1) +
                     TextoHora(dia_.entrada1) + Brancos(1) + TextoHora(dia_.saida1) + Brancos(1) +
                     TextoHora(dia_.entrada2) + Brancos(1) + TextoHora(dia_.saida2) + Brancos(1) +
                     TextoHora(jornada_) + Brancos(1) + TextoHora(trabalhado) + Brancos(1) +
                     (positivo ? QStringLiteral("+") : QStringLiteral("-")) + TextoHora(extra) + Brancos(1));

        totalExtra_ = positivo ? SomarSegundos(totalExtra_, extra) : SubtrairSegundos(totalExtra_, extra);
        totalTrabalhado_ = SomarSegundos(totalTrabalhado_, trabalhado);
        totalJornada_ = SomarSegundos(totalJornada_, jornada_);
        dia_ = Dia{};
        entradaLida_ = false;
    }

    void encerramento() {
        const QString total = Brancos(10) + Brancos(1) +
                              Campo(QStringLiteral("TOTAL DE HORAS.............:"), 30) + Brancos(1) +
                              Brancos(8) + Brancos(1) + Brancos(8) + Brancos(1) + Brancos(8) + Brancos(1) +
                              Brancos(8) + Brancos(1) + CalcularHorasMinutos(totalJornada_).juntos() +
                              Brancos(1) + CalcularHorasMinutos(totalTrabalhado_).juntos() + Brancos(1) +
                              (totalExtra_ >= 0 ? QStringLiteral("+") : QStringLiteral("-")) +
                              CalcularHorasMinutos(totalExtra_).juntos();
        saida_.negrito(true);
        saida_.linha(total);
        for (int i = 0; i < 3; ++i)
            saida_.linhaSoImpressa(QString());
        saida_.linhaSoImpressa(LegendaNegativo());
        saida_.linhaSoImpressa(LegendaPositivo());
        saida_.negrito(false);
        saida_.terminar();
    }

    SaidaRelatorio& saida_;
    const EntradaRelatorio& entrada_;
    const PeriodoRelatorio& periodo_;

    Dia dia_;
    int jornada_ = 0;
    // Whether an entry pass ran since the last day line.
    bool entradaLida_ = false;
    qint32 totalExtra_ = 0;
    qint32 totalTrabalhado_ = 0;
    qint32 totalJornada_ = 0;
};

} // namespace

bool JornadaDiaria(const EntradaRelatorio& entrada, const DestinoRelatorio& destino) {
    return RodarRelatorioDoPeriodo(entrada, destino,
                                   [&](SaidaRelatorio& saida, const PeriodoRelatorio& periodo) {
                                       // The screen's list is emptied also when the report goes to the
                                       // printer.
                                       if (destino.lista)
                                           destino.lista->Clear();
                                       Jornada(saida, entrada, periodo).executar();
                                   });
}
