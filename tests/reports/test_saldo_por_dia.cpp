#include "DadosRelatorio.h"
#include "MdTabelaComb.h"
#include "SaldoPorDia.h"

#include <QRegularExpression>

namespace {

const QString kColunas = B(10) + "    ENTRADA        SAIDA     TOTAL";
const QStringList kLegendas = {"T- Total Trabalhado", "J- Jornada de Trabalho ",
                               "S- Resultado de Horas (+ Extra) (- Falta)"};

QString Par(const QString& entrada, const QString& saida, const QString& total, const QString& nota = {}) {
    return B(13) + entrada + B(5) + saida.leftJustified(10) + B(3) + total + " " + nota;
}

QString Dia(const QString& t, const QString& j, const QString& s) {
    return "          T: " + t + "  J: " + j + "  S: " + s;
}

// MARIA (1), eight days: two pairs, two entries sharing an exit, a night pair whose exit is not
// taken again the next morning, agreements "1" and "2", a Saturday and a Sunday without
// schedule, a day past 24 hours, a holiday, and an entry that never finds its exit. SEM ESCALA
// (2) has a pair and no schedule.
void Montar(BancoTeste& banco) {
    banco.funcionario(u"MARIA"_s, u"7891000079195"_s, u"002"_s);
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "002", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    Feriado(banco, u"DIA DA MULHER"_s, u"8"_s, u"3"_s, u"2010"_s);
    criarTabelaHoraCombinada();
    for (const char* acordo : {"1, '1','02/03/2010','04:00:00','SAIU CEDO','2'",
                               "2, '1','05/03/2010','04:00:00','MEIO PERIODO','1'",
                               "3, '1','06/03/2010','','FOLGA COMBINADA','2'"})
        banco.sql("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( " +
                  QLatin1String(acordo) + " )");
    Pontos(banco, 1,
           {"01/03/2010 08:00:00 E", "01/03/2010 12:00:00 S", "01/03/2010 13:00:00 E",
            "01/03/2010 17:00:00 S", "02/03/2010 08:00:00 E", "02/03/2010 09:00:00 E",
            "02/03/2010 12:00:00 S", "03/03/2010 22:00:00 E", "04/03/2010 06:00:00 S",
            "04/03/2010 06:00:00 E", "04/03/2010 10:00:00 S", "05/03/2010 08:00:00 E",
            "05/03/2010 12:00:00 S", "07/03/2010 08:00:00 E", "07/03/2010 22:00:00 E",
            "08/03/2010 06:00:00 S", "08/03/2010 08:00:00 E"});
    banco.funcionario(u"SEM ESCALA"_s, u"7891000158388"_s);
    Pontos(banco, 2, {"01/03/2010 08:00:00 E", "01/03/2010 11:00:00 S"});
}

class SaldoPorDiaTeste : public RelatorioTeste {
protected:
    EntradaRelatorio Maria(bool imprimir) {
        return Entrada("01/03/2010", "08/03/2010", 1, "MARIA", imprimir);
    }

    BancoTeste banco{u"saldo"_s, Montar};
};

// Worked out by hand from the punches.
const QStringList kLinhas =
    QStringList{
        QString(), "01/03/2010 SEGUNDA-FEIRA", kColunas, Par("08:00:00", "12:00:00", "04:00:00"),
        Par("13:00:00", "17:00:00", "04:00:00"),
        // A balance of exactly zero is "+".
        Dia("08:00:00", "08:00:00", "00:00:00 +"),
        // Both entries take the first exit after them; the agreement "2" keeps the journey.
        QString(), "02/03/2010 TERCA-FEIRA", kColunas, Par("08:00:00", "12:00:00", "04:00:00", "SAIU CEDO"),
        Par("09:00:00", "12:00:00", "03:00:00", "SAIU CEDO"), Dia("07:00:00", "08:00:00", "01:00:00 -"),
        // The night pair is listed under its entry's day.
        QString(), "03/03/2010 QUARTA-FEIRA", kColunas, Par("22:00:00", "06:00:00", "08:00:00"),
        Dia("08:00:00", "08:00:00", "00:00:00 +"),
        // The 06:00 exit closed last night's pair: the 06:00 entry takes the next one.
        QString(), "04/03/2010 QUINTA-FEIRA", kColunas, Par("06:00:00", "10:00:00", "04:00:00"),
        Dia("04:00:00", "08:00:00", "04:00:00 -"),
        // Agreed to work 4 hours.
        QString(), "05/03/2010 SEXTA-FEIRA", kColunas,
        Par("08:00:00", "12:00:00", "04:00:00", "MEIO PERIODO"), Dia("04:00:00", "04:00:00", "00:00:00 +"),
        QString(), "06/03/2010 - Não ha Lancamento! SABADO FOLGA COMBINADA",
        // No Sunday in the schedule: no journey, not Friday's. Two entries share the next morning's
        // exit: 30 hours in the day.
        QString(), "07/03/2010 DOMINGO", kColunas, Par("08:00:00", "06:00:00", "22:00:00"),
        Par("22:00:00", "06:00:00", "08:00:00"), Dia("30:00:00", "00:00:00", "30:00:00 +"),
        // No exit at all: an empty exit, no day line.
        QString(), "08/03/2010 SEGUNDA-FEIRA - F. DIA DA MULHER", kColunas, Par("08:00:00", "", "00:00:00"),
        Dia("61:00:00", "36:00:00", "25:00:00 +"), QString(), QString(), "Numero da Grade de Horas: 002",
        "Jornada/Semana na Tabela: 40:00:00"} +
    kLegendas;

} // namespace

TEST_F(SaldoPorDiaTeste, DiasNaListaENaImpressora) {
    lista.AddItem(u"relatorio anterior"_s);
    banco.enviadas().clear();
    ASSERT_TRUE(SaldoPorDia(Maria(false), {&lista, &impressora}));
    EsperarLinhas(lista.itens(), kLinhas);
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_TRUE(mensagens.isEmpty());
    // The night entry of the 3rd: its day's entries, its first exit of that day, of the next day.
    const QString inicio = u"SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = 1 and data= #03-03-2010#"_s;
    const QStringList& sql = banco.enviadas();
    const qsizetype i = sql.indexOf(inicio + " and entradaSaida= 'E' order by data, hora asc ");
    ASSERT_GE(i, 0);
    EXPECT_EQ(
        sql.mid(i + 1, 2),
        QStringList({"SELECT  min(hora) as h FROM MOVIMENTACAO  WHERE Funcionario = 1 and data= #03-03-2010# "
                     "and entradaSaida= 'S' AND HORA >= #22:00:00# ",
                     "SELECT  min(hora) as h FROM MOVIMENTACAO  WHERE Funcionario = 1 and data= #03-04-2010# "
                     "and entradaSaida= 'S' AND HORA <= #22:00:00# "}));
    EXPECT_TRUE(
        sql.contains(u"SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = 1 and data= #03-06-2010#  order "
                     u"by data, hora asc "_s));
    EXPECT_TRUE(sql.contains(
        u"select combinado,data,horas,obs from HoraCombinada where funcionario='1' and data = '05/03/2010'"_s));

    ASSERT_TRUE(SaldoPorDia(Maria(true), {&lista, &impressora}));
    EXPECT_EQ(lista.itens(), kLinhas);
    const QString regua(113, u'-');
    EsperarLinhas(impressora.lines(), QStringList{"VELTO - Referente período: 01/03/2010 - 08/03/2010", regua,
                                                  "FUNCIONARIO.............:    1 - MARIA", regua} +
                                          kLinhas);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    // Only the pair lines are not bold.
    EXPECT_EQ(Normais(impressora), kLinhas.filter(QRegularExpression(u"^ {13}\\d"_s)));
}

TEST_F(SaldoPorDiaTeste, SemTabelaDeCombinadosNenhumDiaTemAcordo) {
    banco.sql(u"DROP TABLE HoraCombinada"_s);
    ASSERT_TRUE(SaldoPorDia(Maria(false), {&lista, nullptr}));
    QStringList esperadas = kLinhas;
    for (QString& linha : esperadas) {
        for (const QString& nota : {u" SAIU CEDO"_s, u" MEIO PERIODO"_s, u" FOLGA COMBINADA"_s})
            linha.replace(nota, u" "_s);
    }
    // The Friday keeps its schedule's 8 hours.
    const qsizetype sexta = esperadas.indexOf(Dia("04:00:00", "04:00:00", "00:00:00 +"));
    ASSERT_GE(sexta, 0);
    esperadas[sexta] = Dia("04:00:00", "08:00:00", "04:00:00 -");
    esperadas[esperadas.indexOf(Dia("61:00:00", "36:00:00", "25:00:00 +"))] =
        Dia("61:00:00", "40:00:00", "21:00:00 +");
    EsperarLinhas(lista.itens(), esperadas);
}

TEST_F(SaldoPorDiaTeste, SemEscalaNemMovimentos) {
    EntradaRelatorio e = Entrada("01/03/2010", "02/03/2010", 2, "SEM ESCALA", false);
    ASSERT_TRUE(SaldoPorDia(e, {&lista, nullptr}));
    // No schedule: no journey, no schedule code and no weekly hours (not the employee's code).
    EsperarLinhas(lista.itens(), QStringList{QString(), "01/03/2010 SEGUNDA-FEIRA", kColunas,
                                             Par("08:00:00", "11:00:00", "03:00:00"),
                                             Dia("03:00:00", "00:00:00", "03:00:00 +"), QString(),
                                             "02/03/2010 - Não ha Lancamento! TERCA-FEIRA ",
                                             Dia("03:00:00", "00:00:00", "03:00:00 +"), QString(), QString(),
                                             QString(), "Jornada/Semana na Tabela: "} +
                                     kLegendas);
    // Nobody with the code, a Sunday with nothing in it: a zero balance is "+".
    e.codigoFuncionario = u"999"_s;
    e.dataInicial = e.dataFinal = u"07/03/2010"_s;
    ASSERT_TRUE(SaldoPorDia(e, {&lista, nullptr}));
    EXPECT_EQ(lista.itens().mid(0, 3), QStringList({QString(), "07/03/2010 - Não ha Lancamento! DOMINGO ",
                                                    Dia("00:00:00", "00:00:00", "00:00:00 +")}));
}
