#include "CartaoPonto.h"

#include "Conexao.h"
#include "HorasAritmetica.h"

#include <QDate>

namespace {

const QString kDataInvalida = QStringLiteral("Forneca uma data Valida!");
const QString kSemFuncionario = QStringLiteral("FORNECA UM FUNCIONARIO!");

// What the schedule expects of one pair: the period's expected entry and exit (empty when not
// readable) and their duration (0 when either is missing).
struct Previsto {
    QString entrada;
    QString saida;
    int total = 0;
};

QString CabecalhoColunas() {
    return Brancos(2) + Brancos(1) + Campo(QStringLiteral("DATA"), 5) + Brancos(1) + Brancos(20) +
           Brancos(1) + Campo(QStringLiteral("EXP. ENT."), 10) + Brancos(1) +
           Campo(QStringLiteral("EXP. SAIDA"), 10) + Brancos(1) + Campo(QStringLiteral("TOTAL EXP."), 10) +
           Brancos(3) + Campo(QStringLiteral("ENTRADA"), 9) + Brancos(1) + Campo(QStringLiteral("SAIDA"), 9) +
           QStringLiteral(" TOTAL") + Brancos(1) + Brancos(1) + Brancos(1) +
           Campo(QStringLiteral("SOBRA/FALT"), 11);
}

QString LinhaSoma(const QString& rotulo, qint32 previsto, qint32 trabalhado, const QString& sinal) {
    return rotulo + TextoHorasAlem24(previsto) + Brancos(23) + TextoHorasAlem24(trabalhado) + Brancos(1) +
           sinal + Brancos(1) + TextoHorasAlem24(SubtrairSegundos(trabalhado, previsto));
}

QString Sinal(qint64 previsto, qint64 trabalhado) {
    return previsto > trabalhado ? QStringLiteral("-") : QStringLiteral("+");
}

int SegundosDaHora(const Variant& hora) {
    const QTime t = hora.toTime();
    return t.isValid() ? t.msecsSinceStartOfDay() / 1000 : 0;
}

class Cartao {
public:
    Cartao(const EntradaCartaoPonto& entrada, SaidaRelatorio& saida, const QDate& inicio, const QDate& fim)
        : entrada_(entrada)
        , saida_(saida)
        , inicio_(inicio)
        , fim_(fim)
        , codigo_(entrada.codigoFuncionario.trimmed()) {}

    void executar() {
        cabecalho();
        valorHora();
        saida_.linhaSoImpressa(Regua());
        saida_.linha(CabecalhoColunas());
        saida_.negrito(false);
        percorrerMovimentos();
        encerramento();
    }

private:
    void cabecalho() {
        saida_.iniciar();
        saida_.linhaSoNaLista(QString());
        saida_.negrito(true);
        saida_.linhaSoImpressa(LinhaTitulo(entrada_.dataInicial, entrada_.dataFinal));
        saida_.linhaSoImpressa(Regua());
        saida_.negrito(false);
        saida_.linha(LinhaFuncionario(codigo_, entrada_.nomeFuncionario));
    }

    void valorHora() {
        Recordset rs = conexaoBanco->Execute(
            QStringLiteral("Select VALORHORA from funcionarios where codigo = ") + codigo_);
        if (rs.Eof())
            return;
        const Variant& valor = rs[QStringLiteral("VALORHORA")];
        const QString texto = valor.isNull() ? QString() : FormatarValor(valor.toReal());
        saida_.linha(QStringLiteral("Valor por Hora Extra..R$: ") + ADireita(texto, 10));
        saida_.negrito(true);
    }

    void percorrerMovimentos() {
        const QString sql = QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = ") + codigo_ +
                            QStringLiteral(" and data>= ") + LiteralData(inicio_) +
                            QStringLiteral(" and data<= ") + LiteralData(fim_) +
                            QStringLiteral(" order by data, hora asc ");
        for (Recordset rs = conexaoBanco->Execute(sql); !rs.Eof(); rs.MoveNext()) {
            const QString periodo = Campo(rs[QStringLiteral("PERIODO")].toString(), 2);
            const QString tipo = rs[QStringLiteral("EntradaSaida")].toString();
            if (tipo == QLatin1String("E")) {
                horaEntrada_ = SegundosDaHora(rs[QStringLiteral("hora")]);
                batidas_ = 1;
                periodoEntrada_ = periodo;
            } else {
                horaSaida_ = SegundosDaHora(rs[QStringLiteral("hora")]);
                ++batidas_;
            }
            if (tipo == QLatin1String("S"))
                fecharPar(rs, periodo);
        }
    }

    // An exit closes the pair begun by the last entry; only the second punch of a pair prints it,
    // but every exit counts as worked time.
    void fecharPar(const Recordset& rs, const QString& periodo) {
        const QDate data = rs[QStringLiteral("data")].toDate();
        const int trabalhado = DuracaoPeriodo(horaEntrada_, horaSaida_);
        const Previsto previsto = previstoDoPar(rs[QStringLiteral("funcionario")].toString(), data);
        const auto feriado = FeriadoDoDia(data);
        const QString rotuloFeriado = feriado ? QStringLiteral("F. ") + *feriado : QString();
        const int diferenca = Normalizar(qint64(trabalhado) - previsto.total);
        const QString sinal = trabalhado >= previsto.total ? QStringLiteral("+") : QStringLiteral("-");

        diaTrabalhado_ = SomarSegundos(diaTrabalhado_, trabalhado);
        periodoTrabalhado_ = SomarSegundos(periodoTrabalhado_, trabalhado);

        if (batidas_ == 2) {
            QString marcador = periodo;
            if (marcador == QLatin1String("T "))
                marcador = QStringLiteral("2P");
            else if (marcador == QLatin1String("M "))
                marcador = QStringLiteral("1P");
            saida_.linha(Campo(marcador, 2) + Brancos(1) + rs[QStringLiteral("data")].toString().left(5) +
                         Brancos(1) + Campo(NomeDiaSemana(DiaDaSemana(data)), 20) + Brancos(1) +
                         Campo(previsto.entrada, 10) + Brancos(1) + Campo(previsto.saida, 10) + Brancos(1) +
                         Campo(TextoHora(previsto.total), 10) + Brancos(1) +
                         Campo(TextoHora(horaEntrada_), 9) + Brancos(1) + Campo(TextoHora(horaSaida_), 9) +
                         Brancos(1) + TextoHora(trabalhado) + Brancos(1) + sinal + Brancos(1) +
                         Campo(TextoHora(diferenca), 11) + Brancos(1) + rotuloFeriado);
            diaPrevisto_ = SomarSegundos(diaPrevisto_, previsto.total);
            ++paresImpressos_;
            batidas_ = 0;
        }
        if (paresImpressos_ == 2)
            subtotal();
    }

    // The pair is measured against the period of its entry: the second one for "T", the first
    // one otherwise. No schedule row for the weekday, or an unreadable time, expects nothing.
    Previsto previstoDoPar(const QString& funcionario, const QDate& data) {
        Recordset rsFuncionario = conexaoBanco->Execute(
            QStringLiteral("Select CODHORA from funcionarios where codigo = ") + funcionario);
        if (rsFuncionario.Eof())
            return {};
        const QString dia = NomeDiaSemana(DiaDaSemana(data));
        Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from horarios where registro = '") +
                                             TextoSql(rsFuncionario[QStringLiteral("CODHORA")].toString()) +
                                             QStringLiteral("'"));
        while (!rs.Eof() && rs[QStringLiteral("DiaSemana")].toString() != dia)
            rs.MoveNext();
        if (rs.Eof())
            return {};
        const bool segundo = periodoEntrada_ == QLatin1String("T ");
        const auto entrada =
            SegundosDoTexto(rs[segundo ? QStringLiteral("endereco") : QStringLiteral("nome")].toString());
        const auto saida =
            SegundosDoTexto(rs[segundo ? QStringLiteral("cidade") : QStringLiteral("tele")].toString());
        Previsto previsto;
        if (entrada)
            previsto.entrada = TextoHora(*entrada);
        if (saida)
            previsto.saida = TextoHora(*saida);
        if (entrada && saida)
            previsto.total = DuracaoPeriodo(*entrada, *saida);
        return previsto;
    }

    void subtotal() {
        periodoPrevisto_ = SomarSegundos(periodoPrevisto_, diaPrevisto_);
        saida_.negrito(true);
        saida_.linha(linhaSubtotal());
        saida_.linha(QString());
        diaPrevisto_ = 0;
        diaTrabalhado_ = 0;
        paresImpressos_ = 0;
        saida_.negrito(true);
        saida_.linha(CabecalhoColunas());
        saida_.negrito(false);
    }

    QString linhaSubtotal() const {
        return LinhaSoma(Brancos(29) + QStringLiteral("SUB TOTAL HORAS TRAB.: "), diaPrevisto_,
                         diaTrabalhado_, Sinal(diaPrevisto_, diaTrabalhado_));
    }

    void encerramento() {
        // The pairs printed since the last subtotal belong to the period as well.
        periodoPrevisto_ = SomarSegundos(periodoPrevisto_, diaPrevisto_);
        saida_.negrito(true);
        saida_.linha(linhaSubtotal());
        saida_.linha(QString());
        saida_.linha(LinhaSoma(Brancos(28) + QStringLiteral("TOTAL EM HORAS TRAB..:  "), periodoPrevisto_,
                               periodoTrabalhado_, Sinal(periodoPrevisto_, periodoTrabalhado_)));
        for (int i = 0; i < 4; ++i)
            saida_.linha(QString());
        saida_.linha(LegendaNegativo());
        saida_.linha(LegendaPositivo());
        saida_.negrito(false);
        saida_.terminar();
    }

    const EntradaCartaoPonto& entrada_;
    SaidaRelatorio& saida_;
    const QDate inicio_;
    const QDate fim_;
    const QString codigo_;

    int horaEntrada_ = 0;
    int horaSaida_ = 0;
    QString periodoEntrada_;
    int batidas_ = 0;
    int paresImpressos_ = 0;
    qint32 diaPrevisto_ = 0;
    qint32 diaTrabalhado_ = 0;
    qint32 periodoPrevisto_ = 0;
    qint32 periodoTrabalhado_ = 0;
};

void Mensagem(const EntradaCartaoPonto& entrada, const QString& texto) {
    if (entrada.mensagem)
        entrada.mensagem(texto);
}

} // namespace

QString LegendaNegativo() {
    return QStringLiteral(" *SINAL - (NEGATIVO) MOSTRA: FALTOU PARA COMPLETAR JORNADA DE TRABALHO");
}

QString LegendaPositivo() {
    return QStringLiteral(" *SINAL + (POSITIVO) MOSTRA: SOBROU PARA COMPLETAR JORNADA DE TRABALHO");
}

bool CartaoPonto(const EntradaCartaoPonto& entrada, const DestinoRelatorio& destino) {
    const QDate inicio = LerDataRelatorio(entrada.dataInicial);
    if (!inicio.isValid()) {
        Mensagem(entrada, kDataInvalida);
        return false;
    }
    const QDate fim = LerDataRelatorio(entrada.dataFinal);
    if (!fim.isValid()) {
        Mensagem(entrada, kDataInvalida);
        return false;
    }
    if (!EhNumeroInteiro(entrada.codigoFuncionario)) {
        Mensagem(entrada, kSemFuncionario);
        return false;
    }
    SaidaRelatorio saida(destino, entrada.imprimir);
    try {
        // The day reports' snapshot: the lookups of every pair are read once.
        const Connection::ReadSnapshot leitura(*conexaoBanco);
        Cartao(entrada, saida, inicio, fim).executar();
    } catch (...) {
        saida.abortar();
        throw;
    }
    return true;
}
