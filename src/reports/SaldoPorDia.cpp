#include "SaldoPorDia.h"

#include "Conexao.h"
#include "DatabaseError.h"
#include "HorasAritmetica.h"
#include "MdConsultaHComb.h"

#include <QSet>
#include <utility>

namespace {

int SegundosDaHora(const Variant& hora) {
    const QTime t = hora.toTime();
    return t.isValid() ? t.msecsSinceStartOfDay() / 1000 : 0;
}

QString SinalDe(bool positivo) {
    return positivo ? QStringLiteral("+") : QStringLiteral("-");
}

// The agreement of one day, as the agreed-hours lookup hands it back.
struct Combinado {
    QString combinado;
    QString horas;
    QString obs;
};

class Saldo {
public:
    Saldo(SaidaRelatorio& saida, const EntradaRelatorio& entrada, const PeriodoRelatorio& periodo)
        : saida_(saida)
        , entrada_(entrada)
        , periodo_(periodo)
        , inicioSql_(QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = ") + periodo.codigo +
                     QStringLiteral(" and data= ")) {}

    void executar() {
        cabecalho();
        for (QDate dia = periodo_.inicio; dia <= periodo_.fim; dia = dia.addDays(1))
            percorrerDia(dia);
        encerramento();
    }

private:
    void cabecalho() {
        saida_.iniciar();
        saida_.negrito(true);
        saida_.linhaSoImpressa(LinhaTitulo(entrada_.dataInicial, entrada_.dataFinal));
        saida_.linhaSoImpressa(Regua());
        saida_.linhaSoImpressa(LinhaFuncionario(periodo_.codigo, entrada_.nomeFuncionario));
        saida_.linhaSoImpressa(Regua());
        saida_.negrito(true);
    }

    void percorrerDia(const QDate& dia) {
        // Exits of this day that closed a night pair of the day before.
        const QSet<int> usadas = std::exchange(saidasDoDiaSeguinte_, {});
        jornada_ = 0;
        Recordset entradas =
            conexaoBanco->Execute(inicioSql_ + LiteralData(dia) +
                                  QStringLiteral(" and entradaSaida= 'E' order by data, hora asc "));
        if (entradas.Eof()) {
            Recordset todos = movimentosDoDia(dia);
            if (todos.Eof())
                semLancamento(dia);
        }
        qint32 trabalhado = 0;
        bool cabecalhoImpresso = false;
        // The day's agreement, the same for each of its entries.
        std::optional<Combinado> acordo;
        for (; !entradas.Eof(); entradas.MoveNext()) {
            const int entrada = SegundosDaHora(entradas[QStringLiteral("HORA")]);
            const std::optional<int> saida = saidaDoPar(dia, entrada, usadas);
            if (!cabecalhoImpresso) {
                cabecalhoDoDia(dia);
                cabecalhoImpresso = true;
            }
            int par = 0;
            if (saida) {
                par = DuracaoPeriodo(entrada, *saida);
                jornada_ = horasPrevistas(*saida, entrada, dia);
            }
            if (!acordo)
                acordo = combinadoDoDia(dia);
            if (acordo->combinado == QLatin1String("1") && !acordo->horas.isEmpty()) {
                if (const auto horas = SegundosDoTexto(acordo->horas))
                    jornada_ = *horas;
            }
            saida_.negrito(false);
            saida_.linha(Brancos(10) + Brancos(3) + Campo(TextoHora(entrada), 10) + Brancos(3) +
                         Campo(saida ? TextoHora(*saida) : QString(), 10) + Brancos(3) + TextoHora(par) +
                         Brancos(1) + acordo->obs);
            trabalhado = SomarSegundos(trabalhado, par);
        }
        if (trabalhado != 0)
            linhaDoDia(trabalhado);
    }

    // What the schedule expects of a weekday does not change while the report runs: it is looked
    // up with the first pair of each weekday.
    int horasPrevistas(int saida, int entrada, const QDate& dia) {
        std::optional<int>& previstas = previstasDaSemana_[DiaDaSemana(dia) - 1];
        if (!previstas) {
            CamposHoras campos;
            HORAR_TRABALHADA(saida, entrada, periodo_.codigo, dia, campos);
            previstas = campos.horasPrevistas;
        }
        return *previstas;
    }

    Recordset movimentosDoDia(const QDate& dia) {
        return conexaoBanco->Execute(inicioSql_ + LiteralData(dia) +
                                     QStringLiteral("  order by data, hora asc "));
    }

    // The first exit of the day at or after the entry; else the first one of the next day at or
    // before the entry's time (the pair ran past midnight); else none. An exit that already
    // closed last night's pair is not taken again: the entry gets the next exit of the day.
    std::optional<int> saidaDoPar(const QDate& dia, int entrada, const QSet<int>& usadas) {
        if (const auto saida = primeiraSaida(dia, QStringLiteral(">="), entrada)) {
            if (!usadas.contains(*saida))
                return saida;
            return proximaSaidaLivre(dia, entrada, usadas);
        }
        const auto saida = primeiraSaida(dia.addDays(1), QStringLiteral("<="), entrada);
        if (saida)
            saidasDoDiaSeguinte_.insert(*saida);
        return saida;
    }

    std::optional<int> primeiraSaida(const QDate& dia, const QString& comparacao, int entrada) {
        Recordset rs = conexaoBanco->Execute(
            QStringLiteral("SELECT  min(hora) as h FROM MOVIMENTACAO  WHERE Funcionario = ") +
            periodo_.codigo + QStringLiteral(" and data= ") + LiteralData(dia) +
            QStringLiteral(" and entradaSaida= 'S' AND HORA ") + comparacao + QStringLiteral(" #") +
            TextoHora(entrada) + QStringLiteral("# "));
        if (rs.Eof() || rs[QStringLiteral("h")].isNull())
            return std::nullopt;
        return SegundosDaHora(rs[QStringLiteral("h")]);
    }

    std::optional<int> proximaSaidaLivre(const QDate& dia, int entrada, const QSet<int>& usadas) {
        for (Recordset rs = movimentosDoDia(dia); !rs.Eof(); rs.MoveNext()) {
            if (rs[QStringLiteral("EntradaSaida")].toString() != QLatin1String("S"))
                continue;
            const int hora = SegundosDaHora(rs[QStringLiteral("hora")]);
            if (hora >= entrada && !usadas.contains(hora))
                return hora;
        }
        return std::nullopt;
    }

    Combinado combinadoDoDia(const QDate& dia) {
        QString data = dia.toString(QStringLiteral("dd/MM/yyyy"));
        if (!diasCombinados_.contains(data))
            return {}; // what the lookup hands back when it finds nothing
        Combinado acordo{periodo_.codigo, QString(), QString()};
        consultarHoraCombinada(acordo.combinado, data, acordo.horas, acordo.obs);
        return acordo;
    }

    // The days with an agreement of the employee: the lookup runs only for those, as on any other
    // day it finds nothing. Without the table no day has one.
    QSet<QString> diasCombinados() const {
        QSet<QString> dias;
        try {
            for (Recordset rs = conexaoBanco->Execute(
                     QStringLiteral("select data from HoraCombinada where funcionario='") + periodo_.codigo +
                     QStringLiteral("'"));
                 !rs.Eof(); rs.MoveNext())
                dias.insert(rs[QStringLiteral("data")].toString());
        } catch (const DatabaseError&) {
        }
        return dias;
    }

    void semLancamento(const QDate& dia) {
        const QString rotulo = RotinaFeriado(dia, feriados_);
        const Combinado acordo = combinadoDoDia(dia);
        saida_.linha(QString());
        saida_.linha(dia.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - Não ha Lancamento! ") +
                     rotulo + Brancos(1) + acordo.obs);
    }

    void cabecalhoDoDia(const QDate& dia) {
        saida_.linha(QString());
        saida_.negrito(true);
        saida_.linha(dia.toString(QStringLiteral("dd/MM/yyyy")) + Brancos(1) + RotinaFeriado(dia, feriados_));
        saida_.linha(Brancos(10) + QStringLiteral("    ENTRADA") + QStringLiteral("        SAIDA") +
                     QStringLiteral("     TOTAL"));
    }

    // T is the exact sum of the day's pairs: past 24 hours when an entry found its exit the next
    // morning; S is then the exact T - J.
    void linhaDoDia(qint32 trabalhado) {
        const qint32 balanco = SubtrairSegundos(trabalhado, jornada_);
        saida_.negrito(true);
        saida_.linha(QStringLiteral("          T: ") + TextoHorasAlem24(trabalhado) +
                     QStringLiteral("  J: ") + TextoHora(jornada_) + QStringLiteral("  S: ") +
                     TextoHorasAlem24(balanco) + Brancos(1) + SinalDe(trabalhado >= jornada_));
        periodoTrabalhado_ = SomarSegundos(periodoTrabalhado_, trabalhado);
        periodoJornada_ = SomarSegundos(periodoJornada_, jornada_);
    }

    void encerramento() {
        const qint32 balanco = SubtrairSegundos(periodoTrabalhado_, periodoJornada_);
        saida_.negrito(true);
        saida_.linha(QStringLiteral("          T: ") + CalcularHorasMinutos(periodoTrabalhado_).juntos() +
                     QStringLiteral("  J: ") + CalcularHorasMinutos(periodoJornada_).juntos() +
                     QStringLiteral("  S: ") + CalcularHorasMinutos(balanco).juntos() + Brancos(1) +
                     SinalDe(balanco >= 0));
        saida_.linha(QString());
        saida_.linha(QString());
        saida_.linha(linhaGrade());
        saida_.linha(QStringLiteral("Jornada/Semana na Tabela: ") + horasDaSemana());
        saida_.linha(QStringLiteral("T- Total Trabalhado"));
        saida_.linha(QStringLiteral("J- Jornada de Trabalho "));
        saida_.linha(QStringLiteral("S- Resultado de Horas (+ Extra) (- Falta)"));
        saida_.negrito(false);
        saida_.terminar();
    }

    // The employee's schedule code, when that schedule has rows.
    QString linhaGrade() {
        Recordset funcionario = conexaoBanco->Execute(
            QStringLiteral("Select * from funcionarios where  codigo  = ") + periodo_.codigo);
        if (funcionario.Eof())
            return {};
        const QString codhora = funcionario[QStringLiteral("codhora")].toString();
        Recordset horarios =
            conexaoBanco->Execute(QStringLiteral("SELECT * FROM horarios where registro = '") +
                                  TextoSql(codhora) + QStringLiteral("'"));
        if (horarios.Eof())
            return {};
        return QStringLiteral("Numero da Grade de Horas: ") + codhora;
    }

    // The weekly hours of the schedule; nothing when it has none (TotalHorasSemana then hands the
    // employee code back).
    QString horasDaSemana() {
        QString semana = periodo_.codigo;
        TotalHorasSemana(semana);
        return semana == periodo_.codigo ? QString() : semana;
    }

    SaidaRelatorio& saida_;
    const EntradaRelatorio& entrada_;
    const PeriodoRelatorio& periodo_;
    const QString inicioSql_;

    // The holidays, read once for the labels of all the days.
    const Recordset feriados_ = conexaoBanco->Execute(QStringLiteral("Select * from feriados"));
    const QSet<QString> diasCombinados_ = diasCombinados();
    std::optional<int> previstasDaSemana_[7];
    int jornada_ = 0;
    QSet<int> saidasDoDiaSeguinte_;
    qint32 periodoTrabalhado_ = 0;
    qint32 periodoJornada_ = 0;
};

} // namespace

bool SaldoPorDia(const EntradaRelatorio& entrada, const DestinoRelatorio& destino) {
    return RodarRelatorioDoPeriodo(entrada, destino,
                                   [&](SaidaRelatorio& saida, const PeriodoRelatorio& periodo) {
                                       Saldo(saida, entrada, periodo).executar();
                                   });
}
