#include "DadosRelatorio.h"
#include "GradeHorarios.h"
#include "ListaFuncionarios.h"
#include "RecordingPrinter.h"

namespace {

class GradeEListaTeste : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 1; i <= 6; ++i)
            banco.funcionario("OUTRO " + QString::number(i), "000000000000" + QString::number(i), "009");
        banco.sql("INSERT INTO funcionarios(nome, tele, endereco, cidade, estado, Aniversario, registro, "
                  "DataAdmissao, CODHORA) VALUES('JOSE DA SILVA', '19 3232-0000', 'RUA DAS FLORES 1234', "
                  "'CAMPINAS', 'SP', '10/05/1980', '7891000079195', '01/02/2009', '001')");
        Horario(banco, "001", 2, "08:00:00", "12:00:00", "13:00:00", "18:00:00", "09:00:00");
        Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
        // A weekday name longer than its column.
        banco.sql("UPDATE horarios SET DiaSemana = 'SABADO (MEIO EXPEDIENTE, SO MANHA)' WHERE CODHORA = '7'");
    }

    BancoTeste banco;
    ListaTexto lista;
    RecordingPrinter impressora;
};

const QStringList kFuncionario = {"NOME......:    7 - JOSE DA SILVA", "REGISTRO..: 7891000079195",
                                  "TELE......: 19 3232-0000", "ENDERECO..: RUA DAS FLORES 1234",
                                  "CIDADE....: CAMPINAS - SP"};
const QString kColunas =
    QStringLiteral("DIA SEMANA") + QString(21, ' ') + "ENTRADA    SAIDA      ENTRADA    SAIDA     ";
const QStringList kDias = {"SEGUNDA-FEIRA" + QString(18, ' ') + "08:00:00   12:00:00   13:00:00   18:00:00  ",
                           "SABADO (MEIO EXPEDIENTE, SO MA 08:00:00   12:00:00   __:__:__   __:__:__  "};

} // namespace

TEST_F(GradeEListaTeste, GradeNaListaENaImpressora) {
    lista.AddItem(QStringLiteral("antes"));
    ASSERT_TRUE(GradeHorarios(QStringLiteral(" 7 "), false, {&lista, &impressora}));
    // 7 + N items: five employee lines, an empty one, the heading and the N weekdays.
    EsperarLinhas(lista.itens(), kFuncionario + QStringList{QString(), kColunas} + kDias);
    EXPECT_TRUE(impressora.items().isEmpty());

    ASSERT_TRUE(GradeHorarios(QStringLiteral("7"), true, {&lista, &impressora}));
    EXPECT_EQ(lista.itens().size(), 9); // as it was
    EsperarLinhas(impressora.lines(), QStringList{"HORARIO FUNCIONARIO - VELTO", QString()} + kFuncionario +
                                          QStringList{QString(), kColunas} + kDias);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    QStringList negrito;
    for (const PrintedItem& item : impressora.items()) {
        if (item.kind == PrintedItem::Kind::Text && item.bold)
            negrito << item.text;
    }
    EXPECT_EQ(negrito, QStringList({"HORARIO FUNCIONARIO - VELTO", QString(), kColunas}));
}

TEST_F(GradeEListaTeste, GradeSemFuncionarioNaoImprimeNada) {
    lista.AddItem(QStringLiteral("antes"));
    for (const bool imprimir : {false, true}) {
        for (const QString& codigo : {QStringLiteral("99"), QStringLiteral("abc"), QString()})
            EXPECT_FALSE(GradeHorarios(codigo, imprimir, {&lista, &impressora}));
    }
    // No page, not even an empty one, and the list as it was.
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_EQ(impressora.documentsEnded(), 0);
    EXPECT_EQ(lista.itens(), QStringList{QStringLiteral("antes")});

    // An employee whose schedule has no rows: his block and the heading only.
    banco.sql("UPDATE funcionarios SET CODHORA = 'XX' WHERE codigo = 7");
    ASSERT_TRUE(GradeHorarios(QStringLiteral("7"), false, {&lista, &impressora}));
    EXPECT_EQ(lista.itens(), kFuncionario + QStringList({QString(), kColunas}));
}

TEST_F(GradeEListaTeste, ListaDeFuncionariosEmColunasCortadas) {
    banco.sql("INSERT INTO funcionarios(codigo, nome, registro) VALUES(123456, "
              "'ANTONIO CARLOS DE OLIVEIRA NETO', '7891000158388')");
    lista.AddItem(QStringLiteral("antes"));
    ListaFuncionarios(lista);
    ListaFuncionarios(lista); // twice: the list is emptied first
    const QStringList itens = lista.itens();
    ASSERT_EQ(itens.size(), 1 + 8);
    EXPECT_EQ(itens.at(0),
              QStringLiteral("CODIG FUNCIONARIO               TELE         ENDERECO        CIDADE     "
                             "     ANIVERSARIO  ADMISSAO     REGISTRO       "));
    // Name order; a long code and a long name cut; nulls as empty fields.
    EXPECT_EQ(itens.at(1), QStringLiteral("12345 ANTONIO CARLOS DE OLIVEIR ") +
                               QString(12 + 1 + 15 + 1 + 15 + 1 + 12 + 1 + 12 + 1, ' ') +
                               QStringLiteral("7891000158388  "));
    EXPECT_EQ(itens.at(2),
              QStringLiteral("7     JOSE DA SILVA             19 3232-0000 RUA DAS FLORES  CAMPINAS    "
                             "    10/05/1980   01/02/2009   7891000079195  "));
    EXPECT_TRUE(itens.at(3).startsWith(QStringLiteral("1     OUTRO 1 ")));
    for (const QString& linha : itens)
        EXPECT_EQ(linha.size(), 118);
}
