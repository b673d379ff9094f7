#include "DadosRelatorio.h"
#include "JornadaDiaria.h"

namespace {

const QString kColunas =
    "      DATA DESCRICAO" + B(21) + "  ENTRADA    SAIDA  ENTRADA    SAIDA  JORNADA TRABALH.     EXTRA";
const QString kLegendas[] = {u" *SINAL - (NEGATIVO) MOSTRA: FALTOU PARA COMPLETAR JORNADA DE TRABALHO"_s,
                             u" *SINAL + (POSITIVO) MOSTRA: SOBROU PARA COMPLETAR JORNADA DE TRABALHO"_s};

// A day line: date, weekday in 30, the four times, journey, worked, signed extra, one blank.
QString Dia(const QString& data, const QString& dia, const QString& horas) {
    return data + " " + dia.leftJustified(30) + " " + horas + " ";
}

// JOAO (1), a month: two pairs, one pair, night shifts (one, and two in a row that make one
// line), a day that opens on an exit, a Sunday without schedule, seconds that the totals round,
// and a last day that ends on an entry. SEM ESCALA (2) has punches and no schedule.
void Montar(BancoTeste& banco) {
    banco.funcionario(u"JOAO"_s, u"7891000079195"_s, u"001"_s);
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", dia == 4 ? "18:00:00" : "17:00:00",
                dia == 4 ? "09:00:00" : "08:00:00");
    Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
    Pontos(banco, 1, {"01/03/2010 08:00:00 E", "01/03/2010 12:00:00 S", "01/03/2010 13:00:00 E",
                      "01/03/2010 17:00:00 S", "02/03/2010 08:00:00 E", "02/03/2010 09:00:00 S",
                      "03/03/2010 22:00:00 E", "04/03/2010 06:00:00 S", "04/03/2010 13:00:00 E",
                      "04/03/2010 17:00:00 S", "05/03/2010 05:00:00 S", "05/03/2010 08:00:00 E",
                      "05/03/2010 12:00:00 S", "06/03/2010 08:00:00 E", "06/03/2010 12:29:50 S",
                      "07/03/2010 09:00:00 E", "07/03/2010 10:00:00 S", "08/03/2010 22:00:00 E",
                      "09/03/2010 06:00:00 S", "09/03/2010 22:00:00 E", "10/03/2010 06:00:00 S",
                      "11/03/2010 08:00:00 E", "11/03/2010 09:00:00 S", "31/03/2010 14:00:00 E",
                      "01/04/2010 08:00:00 E"});
    banco.funcionario(u"SEM ESCALA"_s, u"7891000158388"_s);
    Pontos(banco, 2, {"01/03/2010 08:00:00 E", "01/03/2010 12:00:00 S"});
}

class JornadaDiariaTeste : public RelatorioTeste {
protected:
    BancoTeste banco{u"jornada"_s, Montar};
};

// Worked out by hand from the punches.
const QStringList kLinhas = {
    kColunas,
    "01/03/2010 SEGUNDA-FEIRA" + B(17) + " 08:00:00 12:00:00 13:00:00 17:00:00 08:00:00 08:00:00 +00:00:00 ",
    Dia("02/03/2010", "TERCA-FEIRA", "08:00:00 09:00:00 00:00:00 00:00:00 08:00:00 01:00:00 -07:00:00"),
    // Dated and named by the exit; the journey is the entry's Wednesday's.
    Dia("04/03/2010", "QUINTA-FEIRA", "22:00:00 06:00:00 13:00:00 17:00:00 09:00:00 12:00:00 +03:00:00"),
    // Opens on an exit after a closed day: the Friday's own journey, not the Wednesday's.
    Dia("05/03/2010", "SEXTA-FEIRA", "00:00:00 05:00:00 08:00:00 12:00:00 08:00:00 09:00:00 +01:00:00"),
    Dia("06/03/2010", "SABADO", "08:00:00 12:29:50 00:00:00 00:00:00 04:00:00 04:29:50 +00:29:50"),
    Dia("09/03/2010", "TERCA-FEIRA", "22:00:00 06:00:00 22:00:00 06:00:00 08:00:00 16:00:00 +08:00:00"),
    Dia("11/03/2010", "QUINTA-FEIRA", "08:00:00 09:00:00 00:00:00 00:00:00 08:00:00 01:00:00 -07:00:00"),
    Dia("31/03/2010", "QUARTA-FEIRA", "14:00:00 00:00:00 00:00:00 00:00:00 09:00:00 10:00:00 +01:00:00"),
    // 61:29:50 worked and -00:30:10 extra, as the split rounds them; negative after a positive
    // last day.
    B(11) + "TOTAL DE HORAS.............:" + B(39) + "62:00:00 61:30:50 -00:30:10"};

} // namespace

TEST_F(JornadaDiariaTeste, MesNaListaENaImpressora) {
    lista.AddItem(u"relatorio anterior"_s);
    banco.enviadas().clear();
    ASSERT_TRUE(JornadaDiaria(Entrada("01/03/2010", "31/03/2010", 1, "JOAO", false), {&lista, &impressora}));
    EsperarLinhas(lista.itens(), kLinhas);
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_TRUE(mensagens.isEmpty());
    EXPECT_EQ(banco.enviadas().value(0), u"SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = 1 and data>= "
                                         u"#03-01-2010# and data<= #03-31-2010# order by data, hora asc "_s);
    EXPECT_EQ(banco.enviadas().value(2),
              u"Select * from horarios where registro = '001'  and CodHora = '2'  "_s);

    // The list is emptied also when the report is printed.
    ASSERT_TRUE(JornadaDiaria(Entrada("01/03/2010", "31/03/2010", 1, "JOAO", true), {&lista, &impressora}));
    EXPECT_TRUE(lista.itens().isEmpty());
    const QString regua(113, u'-');
    const QStringList cabecalho = {"VELTO - Referente período: 01/03/2010 - 31/03/2010", regua,
                                   "FUNCIONARIO.............:    1 - JOAO", regua};
    EsperarLinhas(impressora.lines(), cabecalho + kLinhas + QStringList{QString(), QString(), QString()} +
                                          QStringList(std::begin(kLegendas), std::end(kLegendas)));
    EXPECT_EQ(impressora.documentsEnded(), 1);
    // Only the employee line with the rule under it and the day lines are not bold.
    EXPECT_EQ(Normais(impressora), cabecalho.mid(2, 2) + kLinhas.mid(1, 8));

    // Without schedule rows, or nobody: every pass produces nothing.
    const QString zero = B(11) + "TOTAL DE HORAS.............:" + B(39) + "00:00:00 00:00:00 +00:00:00";
    for (const qint64 codigo : {2, 999}) {
        ASSERT_TRUE(
            JornadaDiaria(Entrada("01/03/2010", "31/03/2010", codigo, "JOAO", false), {&lista, nullptr}));
        EsperarLinhas(lista.itens(), {kColunas, zero});
    }
}
