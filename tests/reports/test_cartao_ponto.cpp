#include "CartaoPonto.h"
#include "DadosRelatorio.h"
#include "RecordingPrinter.h"

#include <QRegularExpression>

namespace {

QString B(int n) {
    return QString(n, QLatin1Char(' '));
}

const QString kRegua = QString(113, QLatin1Char('-'));
const QString kColunas = "   DATA" + B(23) + "EXP. ENT." + B(2) + "EXP. SAIDA" + B(1) + "TOTAL EXP." + B(3) +
                         "ENTRADA" + B(3) + "SAIDA" + B(5) + "TOTAL" + B(3) + "SOBRA/FALT" + B(1);
const QString kSub = B(29) + "SUB TOTAL HORAS TRAB.: ";
const QString kTotal = B(28) + "TOTAL EM HORAS TRAB..:  ";
const QString kLegenda1 =
    QStringLiteral(" *SINAL - (NEGATIVO) MOSTRA: FALTOU PARA COMPLETAR JORNADA DE TRABALHO");
const QString kLegenda2 =
    QStringLiteral(" *SINAL + (POSITIVO) MOSTRA: SOBROU PARA COMPLETAR JORNADA DE TRABALHO");

// A month of one employee on a day schedule: two pairs a day, a day with one pair only, a
// holiday, a pair posted by hand with period "2", a night pair, a Sunday without schedule, an
// exit without an entry, and punches just outside the period.
class CartaoPontoTeste : public ::testing::Test {
protected:
    void SetUp() override {
        joao = banco.funcionario(QStringLiteral("JOAO DA SILVA"), QStringLiteral("7891000079195"), "001");
        banco.sql("update funcionarios set VALORHORA = '12,5' where codigo = " + QString::number(joao));
        for (int dia = 2; dia <= 6; ++dia)
            Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
        Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
        Feriado(banco, QStringLiteral("Padroeira"), QStringLiteral("05"), QStringLiteral("03"), QString());

        const QList<QStringList> pontos = {
            {"28/02/2010", "08:00:00", "E", "M"}, {"01/03/2010", "05:00:00", "S", "M"},
            {"01/03/2010", "08:00:00", "E", "M"}, {"01/03/2010", "12:00:00", "S", "M"},
            {"01/03/2010", "13:00:00", "E", "T"}, {"01/03/2010", "17:30:00", "S", "T"},
            {"02/03/2010", "08:10:00", "E", "M"}, {"02/03/2010", "12:00:00", "S", "M"},
            {"05/03/2010", "07:00:00", "E", "M"}, {"05/03/2010", "11:30:00", "S", "M"},
            {"06/03/2010", "08:00:00", "E", "2"}, {"06/03/2010", "12:30:00", "S", "2"},
            {"07/03/2010", "22:00:00", "E", "M"}, {"08/03/2010", "06:00:00", "S", "M"},
            {"12/03/2010", "08:00:00", "E", "M"}, {"12/03/2010", "11:00:00", "S", "M"},
            {"14/03/2010", "09:00:00", "E", "M"}, {"14/03/2010", "10:00:00", "S", "M"},
            {"31/03/2010", "08:00:00", "E", "M"}, {"31/03/2010", "12:15:00", "S", "M"},
            {"01/04/2010", "08:00:00", "E", "M"}};
        for (const QStringList& p : pontos)
            banco.ponto(joao, p.at(0), p.at(1), p.at(2), p.at(3));
        banco.enviadas().clear();
    }

    EntradaCartaoPonto Entrada(bool imprimir) {
        EntradaCartaoPonto e;
        e.dataInicial = QStringLiteral("01/03/2010");
        e.dataFinal = QStringLiteral("31/03/2010");
        e.codigoFuncionario = QString::number(joao);
        e.nomeFuncionario = QStringLiteral("JOAO DA SILVA");
        e.imprimir = imprimir;
        e.mensagem = [this](const QString& m) {
            mensagens << m;
        };
        return e;
    }

    // What the list shows, line by line, worked out by hand from the punches above.
    static QStringList LinhasDoMes() {
        const QString exp1 = "08:00:00" + B(3) + "12:00:00" + B(3) + "04:00:00" + B(3);
        const QString exp2 = "13:00:00" + B(3) + "17:00:00" + B(3) + "04:00:00" + B(3);
        return {
            "FUNCIONARIO.............:    1 - JOAO DA SILVA",
            "Valor por Hora Extra..R$:      12,50",
            kColunas,
            "1P 01/03 SEGUNDA-FEIRA" + B(8) + exp1 + "08:00:00  12:00:00  04:00:00 + 00:00:00" + B(4),
            "2P 01/03 SEGUNDA-FEIRA" + B(8) + exp2 + "13:00:00  17:30:00  04:30:00 + 00:30:00" + B(4),
            // The exit without an entry counts from midnight: 05:00:00 more worked on the first day.
            kSub + "08:00:00" + B(23) + "13:30:00 + 05:30:00",
            QString(),
            kColunas,
            "1P 02/03 TERCA-FEIRA" + B(10) + exp1 + "08:10:00  12:00:00  03:50:00 - 00:10:00" + B(4),
            "1P 05/03 SEXTA-FEIRA" + B(10) + exp1 + "07:00:00  11:30:00  04:30:00 + 00:30:00" + B(4) +
                "F. Padroeira",
            kSub + "08:00:00" + B(23) + "08:20:00 + 00:20:00",
            QString(),
            kColunas,
            "2  06/03 SABADO" + B(15) + exp1 + "08:00:00  12:30:00  04:30:00 + 00:30:00" + B(4),
            "1P 08/03 SEGUNDA-FEIRA" + B(8) + exp1 + "22:00:00  06:00:00  08:00:00 + 04:00:00" + B(4),
            kSub + "08:00:00" + B(23) + "12:30:00 + 04:30:00",
            QString(),
            kColunas,
            "1P 12/03 SEXTA-FEIRA" + B(10) + exp1 + "08:00:00  11:00:00  03:00:00 - 01:00:00" + B(4),
            "1P 14/03 DOMINGO" + B(36) + "00:00:00" + B(3) + "09:00:00  10:00:00  01:00:00 + 01:00:00" + B(4),
            kSub + "04:00:00" + B(23) + "04:00:00 + 00:00:00",
            QString(),
            kColunas,
            "1P 31/03 QUARTA-FEIRA" + B(9) + exp1 + "08:00:00  12:15:00  04:15:00 + 00:15:00" + B(4),
            // Closing block: the last pair is still in the period's expectation (32 hours, not 28).
            kSub + "04:00:00" + B(23) + "04:15:00 + 00:15:00",
            QString(),
            kTotal + "32:00:00" + B(23) + "42:35:00 + 10:35:00",
            QString(),
            QString(),
            QString(),
            QString(),
            kLegenda1,
            kLegenda2,
        };
    }

    BancoTeste banco;
    qint64 joao = 0;
    QStringList mensagens;
    ListaTexto lista;
    RecordingPrinter impressora;
};

} // namespace

TEST_F(CartaoPontoTeste, ListaDoMesLinhaALinha) {
    lista.AddItem(QStringLiteral("relatorio anterior"));
    ASSERT_TRUE(CartaoPonto(Entrada(false), {&lista, &impressora}));

    EsperarLinhas(lista.itens(), QStringList{QString()} + LinhasDoMes());
    EXPECT_TRUE(mensagens.isEmpty());
    EXPECT_TRUE(impressora.items().isEmpty());

    // The period literal is month first, so that days 12 and less are not read as months.
    const QStringList& sql = banco.enviadas();
    ASSERT_GE(sql.size(), 6);
    EXPECT_EQ(sql.at(0), QStringLiteral("Select VALORHORA from funcionarios where codigo = 1"));
    EXPECT_EQ(sql.at(1),
              QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = 1 and data>= #03-01-2010# "
                             "and data<= #03-31-2010# order by data, hora asc "));
    EXPECT_EQ(sql.mid(2, 3), QStringList({QStringLiteral("Select CODHORA from funcionarios where codigo = 1"),
                                          QStringLiteral("Select * from horarios where registro = '001'"),
                                          QStringLiteral("Select * from feriados")}));
    // One schedule and holiday lookup per exit row.
    EXPECT_EQ(sql.size(), 2 + 3 * 10);
}

TEST_F(CartaoPontoTeste, ImpressoraRecebeTituloReguasENegrito) {
    impressora.setFontName(QStringLiteral("Arial"));
    lista.AddItem(QStringLiteral("fica"));
    ASSERT_TRUE(CartaoPonto(Entrada(true), {&lista, &impressora}));

    QStringList esperadas = LinhasDoMes();
    esperadas.insert(2, kRegua);
    esperadas.prepend(kRegua);
    esperadas.prepend(QStringLiteral("VELTO - Referente período: 01/03/2010 - 31/03/2010"));
    EsperarLinhas(impressora.lines(), esperadas);
    EXPECT_EQ(lista.itens(), QStringList{QStringLiteral("fica")});

    const QList<PrintedItem>& itens = impressora.items();
    ASSERT_FALSE(itens.isEmpty());
    EXPECT_EQ(itens.last().kind, PrintedItem::Kind::EndDoc);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    EXPECT_FALSE(impressora.fontBold());
    QStringList negrito;
    QStringList normal;
    for (const PrintedItem& item : itens) {
        if (item.kind != PrintedItem::Kind::Text)
            continue;
        EXPECT_EQ(item.fontName, QStringLiteral("Courier New"));
        (item.bold ? negrito : normal) << item.text;
    }
    // Title block, headings, subtotals and the closing block in bold; the rest not.
    EXPECT_TRUE(negrito.contains(esperadas.at(0)));
    EXPECT_EQ(negrito.count(kRegua), 2);
    EXPECT_EQ(negrito.count(kColunas), 5);
    EXPECT_EQ(negrito.filter(QStringLiteral("SUB TOTAL")).size(), 5);
    EXPECT_TRUE(negrito.contains(kLegenda1) && negrito.contains(kLegenda2));
    EXPECT_TRUE(negrito.filter(QStringLiteral("TOTAL EM HORAS")).size() == 1);
    EXPECT_EQ(normal.size(), 2 + 9);
    EXPECT_TRUE(normal.at(0).startsWith(QStringLiteral("FUNCIONARIO")));
    EXPECT_TRUE(normal.at(1).startsWith(QStringLiteral("Valor por Hora")));
    EXPECT_EQ(normal.filter(QRegularExpression(QStringLiteral("^(1P|2P|2 ) \\d\\d/03 "))).size(), 9);
}

TEST_F(CartaoPontoTeste, ValidacaoParaNoPrimeiroErroSemNadaSair) {
    struct Caso {
        QString inicio, fim, codigo, mensagem;
    };
    const QList<Caso> casos = {
        {"31/02/2010", "xx", "abc", "Forneca uma data Valida!"},
        {"__/__/____", "31/03/2010", "1", "Forneca uma data Valida!"},
        {"01/03/2010", "32/03/2010", "1", "Forneca uma data Valida!"},
        {"01/03/2010", "31/03/2010", "", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "31/03/2010", "JOAO", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "31/03/2010", "1 or 1=1", "FORNECA UM FUNCIONARIO!"},
    };
    lista.AddItem(QStringLiteral("fica"));
    for (const bool imprimir : {false, true}) {
        for (const Caso& c : casos) {
            mensagens.clear();
            EntradaCartaoPonto e = Entrada(imprimir);
            e.dataInicial = c.inicio;
            e.dataFinal = c.fim;
            e.codigoFuncionario = c.codigo;
            EXPECT_FALSE(CartaoPonto(e, {&lista, &impressora}));
            EXPECT_EQ(mensagens, QStringList{c.mensagem})
                << c.inicio.toStdString() << " " << c.codigo.toStdString();
        }
    }
    EXPECT_EQ(lista.itens(), QStringList{QStringLiteral("fica")});
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_TRUE(banco.enviadas().isEmpty());
}

TEST_F(CartaoPontoTeste, SemMovimentosOuSemFuncionario) {
    for (int i = 0; i < 5; ++i)
        banco.funcionario("OUTRO " + QString::number(i), "000000000000" + QString::number(i));
    const qint64 sete = banco.funcionario(QStringLiteral("SETE"), QStringLiteral("7777777777777"));
    ASSERT_EQ(sete, 7);

    EntradaCartaoPonto e = Entrada(false);
    e.codigoFuncionario = QStringLiteral("007");
    e.nomeFuncionario = QStringLiteral("SETE");
    ASSERT_TRUE(CartaoPonto(e, {&lista, &impressora}));
    const QStringList fechamento = {kSub + "00:00:00" + B(23) + "00:00:00 + 00:00:00",
                                    QString(),
                                    kTotal + "00:00:00" + B(23) + "00:00:00 + 00:00:00",
                                    QString(),
                                    QString(),
                                    QString(),
                                    QString(),
                                    kLegenda1,
                                    kLegenda2};
    // A rate never typed in prints blank.
    EsperarLinhas(lista.itens(), QStringList{QString(), "FUNCIONARIO.............:    7 - SETE",
                                             "Valor por Hora Extra..R$: " + B(10), kColunas} +
                                     fechamento);

    // Nobody with that code: no rate line.
    e.codigoFuncionario = QStringLiteral("12345");
    e.nomeFuncionario.clear();
    ASSERT_TRUE(CartaoPonto(e, {&lista, &impressora}));
    EsperarLinhas(lista.itens(),
                  QStringList{QString(), "FUNCIONARIO.............: 12345 - ", kColunas} + fechamento);
}

TEST_F(CartaoPontoTeste, GradeNoturnaEHorarioNaoPreenchido) {
    const qint64 vigia = banco.funcionario(QStringLiteral("VIGIA"), QStringLiteral("7891000158388"), "002");
    Horario(banco, "002", 2, "22:00:00", "06:00:00", "__:__:__", "__:__:__", "08:00:00");
    Horario(banco, "002", 7, "08:00:00", "12:00:00", "__:__:__", "", "04:00:00");
    banco.ponto(vigia, "07/03/2010", "22:00:00", "E", "M");
    banco.ponto(vigia, "08/03/2010", "06:30:00", "S", "M");
    banco.ponto(vigia, "13/03/2010", "13:00:00", "E", "T");
    banco.ponto(vigia, "13/03/2010", "15:00:00", "S", "T");
    // An entry at 23:00 closes after midnight of the last day.
    banco.ponto(vigia, "13/03/2010", "23:00:00", "E", "M");

    EntradaCartaoPonto e = Entrada(false);
    e.codigoFuncionario = QString::number(vigia);
    e.nomeFuncionario = QStringLiteral("VIGIA");
    ASSERT_TRUE(CartaoPonto(e, {&lista, &impressora}));
    const QStringList linhas = lista.itens();
    ASSERT_EQ(linhas.size(), 4 + 2 + 3 + 9);
    // A night period expects its eight hours, counted across midnight.
    EXPECT_EQ(linhas.at(4), "1P 08/03 SEGUNDA-FEIRA" + B(8) + "22:00:00" + B(3) + "06:00:00" + B(3) +
                                "08:00:00" + B(3) + "22:00:00  06:30:00  08:30:00 + 00:30:00" + B(4));
    // Unfilled schedule times expect nothing.
    EXPECT_EQ(linhas.at(5), "2P 13/03 SABADO" + B(15) + B(22) + "00:00:00" + B(3) +
                                "13:00:00  15:00:00  02:00:00 + 02:00:00" + B(4));
    EXPECT_EQ(linhas.at(6), kSub + "08:00:00" + B(23) + "10:30:00 + 02:30:00");
    EXPECT_EQ(linhas.at(11), kTotal + "08:00:00" + B(23) + "10:30:00 + 02:30:00");
}
