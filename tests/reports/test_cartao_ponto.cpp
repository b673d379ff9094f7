#include "CartaoPonto.h"
#include "DadosRelatorio.h"

namespace {

const QString kRegua(113, u'-');
const QString kColunas = "   DATA" + B(23) + "EXP. ENT." + B(2) + "EXP. SAIDA" + B(1) + "TOTAL EXP." + B(3) +
                         "ENTRADA" + B(3) + "SAIDA" + B(5) + "TOTAL" + B(3) + "SOBRA/FALT" + B(1);
const QString kSub = B(29) + "SUB TOTAL HORAS TRAB.: ";
const QString kTotal = B(28) + "TOTAL EM HORAS TRAB..:  ";
const QStringList kLegendas = {u" *SINAL - (NEGATIVO) MOSTRA: FALTOU PARA COMPLETAR JORNADA DE TRABALHO"_s,
                               u" *SINAL + (POSITIVO) MOSTRA: SOBROU PARA COMPLETAR JORNADA DE TRABALHO"_s};

// JOAO (1), a month on a day schedule: two pairs a day, a day with one pair only, a holiday, a
// pair posted by hand with period "2", a night pair, a Sunday without schedule, an exit without
// an entry, and punches just outside the period. VIGIA (2) on a night schedule; SETE (7) with
// nothing.
void Montar(BancoTeste& banco) {
    const qint64 joao = banco.funcionario(u"JOAO DA SILVA"_s, u"7891000079195"_s, u"001"_s);
    banco.sql(u"update funcionarios set VALORHORA = '12,5' where codigo = 1"_s);
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
    Feriado(banco, u"Padroeira"_s, u"05"_s, u"03"_s, QString());
    Pontos(banco, joao, {"28/02/2010 08:00:00 E", "01/03/2010 05:00:00 S",   "01/03/2010 08:00:00 E",
                         "01/03/2010 12:00:00 S", "01/03/2010 13:00:00 E T", "01/03/2010 17:30:00 S T",
                         "02/03/2010 08:10:00 E", "02/03/2010 12:00:00 S",   "05/03/2010 07:00:00 E",
                         "05/03/2010 11:30:00 S", "06/03/2010 08:00:00 E 2", "06/03/2010 12:30:00 S 2",
                         "07/03/2010 22:00:00 E", "08/03/2010 06:00:00 S",   "12/03/2010 08:00:00 E",
                         "12/03/2010 11:00:00 S", "14/03/2010 09:00:00 E",   "14/03/2010 10:00:00 S",
                         "31/03/2010 08:00:00 E", "31/03/2010 12:15:00 S",   "01/04/2010 08:00:00 E"});
    const qint64 vigia = banco.funcionario(u"VIGIA"_s, u"7891000158388"_s, u"002"_s);
    Horario(banco, "002", 2, "22:00:00", "06:00:00", "__:__:__", "__:__:__", "08:00:00");
    Horario(banco, "002", 7, "08:00:00", "12:00:00", "__:__:__", "", "04:00:00");
    // An entry at 23:00 closes after midnight of the last day.
    Pontos(banco, vigia,
           {"07/03/2010 22:00:00 E", "08/03/2010 06:30:00 S", "13/03/2010 13:00:00 E T",
            "13/03/2010 15:00:00 S T", "13/03/2010 23:00:00 E"});
    for (int i = 3; i <= 7; ++i)
        banco.funcionario(i == 7 ? u"SETE"_s : "OUTRO " + QString::number(i),
                          "000000000000" + QString::number(i));
}

class CartaoPontoTeste : public RelatorioTeste {
protected:
    EntradaCartaoPonto Joao(bool imprimir) {
        return Entrada("01/03/2010", "31/03/2010", 1, "JOAO DA SILVA", imprimir);
    }

    BancoTeste banco{u"cartao"_s, Montar};
};

// JOAO's month, worked out by hand from the punches.
const QString kExp1 = "08:00:00" + B(3) + "12:00:00" + B(3) + "04:00:00" + B(3);
const QString kExp2 = "13:00:00" + B(3) + "17:00:00" + B(3) + "04:00:00" + B(3);
const QStringList kFechamento = {QString(), QString(), QString(), QString()};
const QStringList kMes =
    QStringList{
        "FUNCIONARIO.............:    1 - JOAO DA SILVA",
        "Valor por Hora Extra..R$:      12,50",
        kColunas,
        "1P 01/03 SEGUNDA-FEIRA" + B(8) + kExp1 + "08:00:00  12:00:00  04:00:00 + 00:00:00" + B(4),
        "2P 01/03 SEGUNDA-FEIRA" + B(8) + kExp2 + "13:00:00  17:30:00  04:30:00 + 00:30:00" + B(4),
        // The exit without an entry counts from midnight: 05:00:00 more worked on the first day.
        kSub + "08:00:00" + B(23) + "13:30:00 + 05:30:00",
        QString(),
        kColunas,
        "1P 02/03 TERCA-FEIRA" + B(10) + kExp1 + "08:10:00  12:00:00  03:50:00 - 00:10:00" + B(4),
        "1P 05/03 SEXTA-FEIRA" + B(10) + kExp1 + "07:00:00  11:30:00  04:30:00 + 00:30:00" + B(4) +
            "F. Padroeira",
        kSub + "08:00:00" + B(23) + "08:20:00 + 00:20:00",
        QString(),
        kColunas,
        "2  06/03 SABADO" + B(15) + kExp1 + "08:00:00  12:30:00  04:30:00 + 00:30:00" + B(4),
        "1P 08/03 SEGUNDA-FEIRA" + B(8) + kExp1 + "22:00:00  06:00:00  08:00:00 + 04:00:00" + B(4),
        kSub + "08:00:00" + B(23) + "12:30:00 + 04:30:00",
        QString(),
        kColunas,
        "1P 12/03 SEXTA-FEIRA" + B(10) + kExp1 + "08:00:00  11:00:00  03:00:00 - 01:00:00" + B(4),
        "1P 14/03 DOMINGO" + B(36) + "00:00:00" + B(3) + "09:00:00  10:00:00  01:00:00 + 01:00:00" + B(4),
        kSub + "04:00:00" + B(23) + "04:00:00 + 00:00:00",
        QString(),
        kColunas,
        "1P 31/03 QUARTA-FEIRA" + B(9) + kExp1 + "08:00:00  12:15:00  04:15:00 + 00:15:00" + B(4),
        // Closing block: the last pair is still in the period's expectation (32 hours, not 28).
        kSub + "04:00:00" + B(23) + "04:15:00 + 00:15:00",
        QString(),
        kTotal + "32:00:00" + B(23) + "42:35:00 + 10:35:00",
    } +
    kFechamento + kLegendas;

} // namespace

TEST_F(CartaoPontoTeste, MesNaListaENaImpressora) {
    lista.AddItem(u"relatorio anterior"_s);
    banco.enviadas().clear();
    ASSERT_TRUE(CartaoPonto(Joao(false), {&lista, &impressora}));
    EsperarLinhas(lista.itens(), QStringList{QString()} + kMes);
    EXPECT_TRUE(mensagens.isEmpty());
    EXPECT_TRUE(impressora.items().isEmpty());
    // The period literal is month first, so that days 12 and less are not read as months; one
    // schedule and holiday lookup per exit row.
    const QStringList& sql = banco.enviadas();
    EXPECT_EQ(sql.mid(0, 5),
              QStringList({"Select VALORHORA from funcionarios where codigo = 1",
                           "SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = 1 and data>= #03-01-2010# and "
                           "data<= #03-31-2010# order by data, hora asc ",
                           "Select CODHORA from funcionarios where codigo = 1",
                           "Select * from horarios where registro = '001'", "Select * from feriados"}));
    EXPECT_EQ(sql.size(), 2 + 3 * 10);

    // Printed: a title and rules, the list as it was, everything in the fixed font.
    impressora.setFontName(u"Arial"_s);
    ASSERT_TRUE(CartaoPonto(Joao(true), {&lista, &impressora}));
    EXPECT_EQ(lista.itens().size(), 1 + kMes.size());
    QStringList esperadas = kMes;
    esperadas.insert(2, kRegua);
    EsperarLinhas(impressora.lines(),
                  QStringList{u"VELTO - Referente período: 01/03/2010 - 31/03/2010"_s, kRegua} + esperadas);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    for (const PrintedItem& item : impressora.items(PrintedItem::Kind::Text))
        EXPECT_EQ(item.fontName, u"Courier New"_s);
    // Only the employee, the rate and the day lines are not bold.
    EXPECT_EQ(Normais(impressora),
              kMes.filter(QRegularExpression(u"^(FUNCIONARIO\\.|Valor por|[12]P |2  )"_s)));
}

TEST_F(CartaoPontoTeste, SemMovimentosSemFuncionarioEGradeNoturna) {
    EntradaCartaoPonto e = Joao(false);
    e.codigoFuncionario = u"007"_s;
    ASSERT_TRUE(CartaoPonto(e, {&lista, &impressora}));
    const QStringList fechamento = QStringList{kSub + "00:00:00" + B(23) + "00:00:00 + 00:00:00", QString(),
                                               kTotal + "00:00:00" + B(23) + "00:00:00 + 00:00:00"} +
                                   kFechamento + kLegendas;
    // A rate never typed in prints blank; the name is the one on the screen.
    EsperarLinhas(lista.itens(), QStringList{QString(), "FUNCIONARIO.............:    7 - JOAO DA SILVA",
                                             "Valor por Hora Extra..R$: " + B(10), kColunas} +
                                     fechamento);
    // Nobody with that code: no rate line.
    e.codigoFuncionario = u"12345"_s;
    e.nomeFuncionario.clear();
    ASSERT_TRUE(CartaoPonto(e, {&lista, &impressora}));
    EsperarLinhas(lista.itens(),
                  QStringList{QString(), "FUNCIONARIO.............: 12345 - ", kColunas} + fechamento);

    e.codigoFuncionario = u"2"_s;
    ASSERT_TRUE(CartaoPonto(e, {&lista, &impressora}));
    const QStringList linhas = lista.itens();
    ASSERT_EQ(linhas.size(), 4 + 2 + 3 + 9);
    // A night period expects its eight hours, counted across midnight; unfilled schedule times
    // expect nothing.
    EXPECT_EQ(linhas.at(4), "1P 08/03 SEGUNDA-FEIRA" + B(8) + "22:00:00" + B(3) + "06:00:00" + B(3) +
                                "08:00:00" + B(3) + "22:00:00  06:30:00  08:30:00 + 00:30:00" + B(4));
    EXPECT_EQ(linhas.at(5), "2P 13/03 SABADO" + B(37) + "00:00:00" + B(3) +
                                "13:00:00  15:00:00  02:00:00 + 02:00:00" + B(4));
    EXPECT_EQ(linhas.at(6), kSub + "08:00:00" + B(23) + "10:30:00 + 02:30:00");
    EXPECT_EQ(linhas.at(11), kTotal + "08:00:00" + B(23) + "10:30:00 + 02:30:00");
}
