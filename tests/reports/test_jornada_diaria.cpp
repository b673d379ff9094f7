#include "DadosRelatorio.h"
#include "JornadaDiaria.h"
#include "RecordingPrinter.h"
#include "SaldoPorDia.h"

namespace {

QString B(int n) {
    return QString(n, QLatin1Char(' '));
}

const QString kColunas =
    "      DATA DESCRICAO" + B(21) + "  ENTRADA    SAIDA  ENTRADA    SAIDA  JORNADA TRABALH.     EXTRA";

// A day line: date, weekday in 30, the four times, journey, worked, signed extra, one blank.
QString Dia(const QString& data, const QString& dia, const QString& horas) {
    return data + " " + dia.leftJustified(30) + " " + horas + " ";
}

// A month of one employee: two pairs, one pair, night shifts (one, and two in a row that make one
// line), a day that opens on an exit, a Sunday without schedule, seconds that the totals round,
// and a last day that ends on an entry.
class JornadaDiariaTeste : public ::testing::Test {
protected:
    void SetUp() override {
        joao = banco.funcionario(QStringLiteral("JOAO"), QStringLiteral("7891000079195"), "001");
        for (int dia = 2; dia <= 6; ++dia)
            Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", dia == 4 ? "18:00:00" : "17:00:00",
                    dia == 4 ? "09:00:00" : "08:00:00");
        Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
        const QList<QStringList> pontos = {
            {"01/03/2010", "08:00:00", "E"}, {"01/03/2010", "12:00:00", "S"}, // Monday, two pairs
            {"01/03/2010", "13:00:00", "E"}, {"01/03/2010", "17:00:00", "S"},
            {"02/03/2010", "08:00:00", "E"}, {"02/03/2010", "09:00:00", "S"}, // one pair
            {"03/03/2010", "22:00:00", "E"}, {"04/03/2010", "06:00:00", "S"}, // Wednesday night,
            {"04/03/2010", "13:00:00", "E"}, {"04/03/2010", "17:00:00", "S"}, // then an afternoon
            {"05/03/2010", "05:00:00", "S"}, {"05/03/2010", "08:00:00", "E"}, // opens on an exit
            {"05/03/2010", "12:00:00", "S"}, {"06/03/2010", "08:00:00", "E"},
            {"06/03/2010", "12:29:50", "S"},                                  // Saturday
            {"07/03/2010", "09:00:00", "E"}, {"07/03/2010", "10:00:00", "S"}, // Sunday: no schedule
            {"08/03/2010", "22:00:00", "E"}, {"09/03/2010", "06:00:00", "S"}, // two nights, one line
            {"09/03/2010", "22:00:00", "E"}, {"10/03/2010", "06:00:00", "S"},
            {"11/03/2010", "08:00:00", "E"}, {"11/03/2010", "09:00:00", "S"},
            {"31/03/2010", "14:00:00", "E"}, // up to midnight
            {"01/04/2010", "08:00:00", "E"}};
        for (const QStringList& p : pontos)
            banco.ponto(joao, p.at(0), p.at(1), p.at(2));
        banco.enviadas().clear();
    }

    EntradaRelatorio Entrada(bool imprimir) {
        return {
            "01/03/2010", "31/03/2010", QString::number(joao), "JOAO", imprimir, [this](const QString& m) {
                mensagens << m;
            }};
    }

    // Worked out by hand from the punches above.
    static QStringList Linhas() {
        return {
            kColunas,
            "01/03/2010 SEGUNDA-FEIRA" + B(17) +
                " 08:00:00 12:00:00 13:00:00 17:00:00 08:00:00 08:00:00 +00:00:00 ",
            Dia("02/03/2010", "TERCA-FEIRA",
                "08:00:00 09:00:00 00:00:00 00:00:00 08:00:00 01:00:00 -07:00:00"),
            // Dated and named by the exit; the journey is the entry's Wednesday's.
            Dia("04/03/2010", "QUINTA-FEIRA",
                "22:00:00 06:00:00 13:00:00 17:00:00 09:00:00 12:00:00 +03:00:00"),
            // Opens on an exit after a closed day: the Friday's own journey, not the Wednesday's.
            Dia("05/03/2010", "SEXTA-FEIRA",
                "00:00:00 05:00:00 08:00:00 12:00:00 08:00:00 09:00:00 +01:00:00"),
            Dia("06/03/2010", "SABADO", "08:00:00 12:29:50 00:00:00 00:00:00 04:00:00 04:29:50 +00:29:50"),
            Dia("09/03/2010", "TERCA-FEIRA",
                "22:00:00 06:00:00 22:00:00 06:00:00 08:00:00 16:00:00 +08:00:00"),
            Dia("11/03/2010", "QUINTA-FEIRA",
                "08:00:00 09:00:00 00:00:00 00:00:00 08:00:00 01:00:00 -07:00:00"),
            Dia("31/03/2010", "QUARTA-FEIRA",
                "14:00:00 00:00:00 00:00:00 00:00:00 09:00:00 10:00:00 +01:00:00"),
            // 61:29:50 worked and -00:30:10 extra, as the split rounds them; negative after a
            // positive last day.
            B(11) + "TOTAL DE HORAS.............:" + B(39) + "62:00:00 61:30:50 -00:30:10",
        };
    }

    BancoTeste banco;
    qint64 joao = 0;
    QStringList mensagens;
    ListaTexto lista;
    RecordingPrinter impressora;
};

} // namespace

TEST_F(JornadaDiariaTeste, ListaDoMesLinhaALinha) {
    lista.AddItem(QStringLiteral("relatorio anterior"));
    ASSERT_TRUE(JornadaDiaria(Entrada(false), {&lista, &impressora}));
    EsperarLinhas(lista.itens(), Linhas());
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_TRUE(mensagens.isEmpty());
    EXPECT_EQ(banco.enviadas().value(0),
              QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = 1 and data>= #03-01-2010# "
                             "and data<= #03-31-2010# order by data, hora asc "));
    EXPECT_EQ(banco.enviadas().value(2),
              QStringLiteral("Select * from horarios where registro = '001'  and CodHora = '2'  "));
}

TEST_F(JornadaDiariaTeste, ImpressoraComTituloLegendasENegrito) {
    lista.AddItem(QStringLiteral("some"));
    ASSERT_TRUE(JornadaDiaria(Entrada(true), {&lista, &impressora}));
    // The list is emptied also when the report is printed.
    EXPECT_TRUE(lista.itens().isEmpty());
    const QString regua(113, QLatin1Char('-'));
    QStringList esperadas = {"VELTO - Referente período: 01/03/2010 - 31/03/2010", regua,
                             "FUNCIONARIO.............:    1 - JOAO", regua};
    esperadas += Linhas();
    esperadas += {QString(), QString(), QString(),
                  " *SINAL - (NEGATIVO) MOSTRA: FALTOU PARA COMPLETAR JORNADA DE TRABALHO",
                  " *SINAL + (POSITIVO) MOSTRA: SOBROU PARA COMPLETAR JORNADA DE TRABALHO"};
    EsperarLinhas(impressora.lines(), esperadas);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    QStringList normal;
    for (const PrintedItem& item : impressora.items()) {
        if (item.kind == PrintedItem::Kind::Text && !item.bold)
            normal << item.text;
    }
    // Only the employee line with the rule under it and the day lines are not bold.
    EXPECT_EQ(normal, esperadas.mid(2, 2) + Linhas().mid(1, 8));
}

TEST_F(JornadaDiariaTeste, SemEscalaOuSemMovimentos) {
    // An employee without schedule rows: every pass produces nothing.
    const qint64 sem = banco.funcionario(QStringLiteral("SEM ESCALA"), QStringLiteral("7891000158388"));
    banco.ponto(sem, "01/03/2010", "08:00:00", "E");
    banco.ponto(sem, "01/03/2010", "12:00:00", "S");
    const QString zero = B(11) + "TOTAL DE HORAS.............:" + B(39) + "00:00:00 00:00:00 +00:00:00";
    EntradaRelatorio e = Entrada(false);
    for (const QString& codigo : {QString::number(sem), QStringLiteral("999")}) {
        e.codigoFuncionario = codigo;
        ASSERT_TRUE(JornadaDiaria(e, {&lista, nullptr}));
        EsperarLinhas(lista.itens(), {kColunas, zero});
    }
}

// Both day reports: the dates first, then the employee code (refused before any query, as the
// time card does); nothing is output and nothing is sent.
TEST_F(JornadaDiariaTeste, ValidacaoDosDoisRelatoriosDoDia) {
    struct Caso {
        QString inicio, fim, codigo, mensagem;
    };
    const QList<Caso> casos = {
        {"31/02/2010", "31/03/2010", "", "Data Invalida!"},
        {"01/03/2010", "__/__/____", "1", "Data Invalida!"},
        {"01/03/2010", "31/03/2010", "", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "31/03/2010", "1; delete from movimentacao", "FORNECA UM FUNCIONARIO!"}};
    lista.AddItem(QStringLiteral("fica"));
    for (auto relatorio : {&JornadaDiaria, &SaldoPorDia}) {
        for (const bool imprimir : {false, true}) {
            for (const Caso& c : casos) {
                mensagens.clear();
                EXPECT_FALSE(relatorio({c.inicio, c.fim, c.codigo, "JOAO", imprimir,
                                        [this](const QString& m) {
                                            mensagens << m;
                                        }},
                                       {&lista, &impressora}));
                EXPECT_EQ(mensagens, QStringList{c.mensagem}) << c.codigo.toStdString();
            }
        }
    }
    EXPECT_EQ(lista.itens(), QStringList{QStringLiteral("fica")});
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_TRUE(banco.enviadas().isEmpty());
}
