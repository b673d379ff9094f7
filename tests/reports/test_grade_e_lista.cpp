#include "DadosRelatorio.h"
#include "GradeHorarios.h"
#include "ListaFuncionarios.h"

namespace {

// Six others, JOSE DA SILVA (7) with a whole record, on a schedule whose weekday name is longer
// than its column, and a long code and name.
void Montar(BancoTeste& banco) {
    for (int i = 1; i <= 6; ++i)
        banco.funcionario("OUTRO " + QString::number(i), "000000000000" + QString::number(i), "009");
    banco.sql(u"INSERT INTO funcionarios(nome, tele, endereco, cidade, estado, Aniversario, registro, "
              u"DataAdmissao, "
              u"CODHORA) VALUES('JOSE DA SILVA', '19 3232-0000', 'RUA DAS FLORES 1234', 'CAMPINAS', 'SP', "
              u"'10/05/1980', '7891000079195', '01/02/2009', '001')"_s);
    banco.sql(
        u"INSERT INTO funcionarios(codigo, nome, registro) VALUES(123456, 'ANTONIO CARLOS DE OLIVEIRA NETO', "
        u"'7891000158388')"_s);
    Horario(banco, "001", 2, "08:00:00", "12:00:00", "13:00:00", "18:00:00", "09:00:00");
    Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
    banco.sql(u"UPDATE horarios SET DiaSemana = 'SABADO (MEIO EXPEDIENTE, SO MANHA)' WHERE CODHORA = '7'"_s);
}

class GradeEListaTeste : public RelatorioTeste {
protected:
    BancoTeste banco{u"grade"_s, Montar};
};

const QStringList kFuncionario = {"NOME......:    7 - JOSE DA SILVA", "REGISTRO..: 7891000079195",
                                  "TELE......: 19 3232-0000", "ENDERECO..: RUA DAS FLORES 1234",
                                  "CIDADE....: CAMPINAS - SP"};
const QString kColunas = "DIA SEMANA" + B(21) + "ENTRADA    SAIDA      ENTRADA    SAIDA     ";
const QStringList kDias = {"SEGUNDA-FEIRA" + B(18) + "08:00:00   12:00:00   13:00:00   18:00:00  ",
                           "SABADO (MEIO EXPEDIENTE, SO MA 08:00:00   12:00:00   __:__:__   __:__:__  "};

} // namespace

TEST_F(GradeEListaTeste, GradeNaListaENaImpressoraOuNada) {
    lista.AddItem(u"antes"_s);
    // Nobody: no page, not even an empty one, and the list as it was.
    for (const bool imprimir : {false, true}) {
        for (const QString& codigo : {u"99"_s, u"abc"_s, QString()})
            EXPECT_FALSE(GradeHorarios(codigo, imprimir, {&lista, &impressora}));
    }
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_EQ(impressora.documentsEnded(), 0);
    EXPECT_EQ(lista.itens(), QStringList{u"antes"_s});

    ASSERT_TRUE(GradeHorarios(u" 7 "_s, false, {&lista, &impressora}));
    const QStringList linhas = kFuncionario + QStringList{QString(), kColunas} + kDias;
    EsperarLinhas(lista.itens(), linhas);
    EXPECT_TRUE(impressora.items().isEmpty());

    ASSERT_TRUE(GradeHorarios(u"7"_s, true, {&lista, &impressora}));
    EXPECT_EQ(lista.itens(), linhas);
    EsperarLinhas(impressora.lines(), QStringList{"HORARIO FUNCIONARIO - VELTO", QString()} + linhas);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    EXPECT_EQ(Normais(impressora), kFuncionario + QStringList{QString()} + kDias);

    // A schedule without rows: his block and the heading only.
    banco.sql(u"UPDATE funcionarios SET CODHORA = 'XX' WHERE codigo = 7"_s);
    ASSERT_TRUE(GradeHorarios(u"7"_s, false, {&lista, &impressora}));
    EXPECT_EQ(lista.itens(), kFuncionario + QStringList({QString(), kColunas}));
}

TEST_F(GradeEListaTeste, ListaDeFuncionariosEmColunasCortadas) {
    lista.AddItem(u"antes"_s);
    ListaFuncionarios(lista);
    ListaFuncionarios(lista); // twice: the list is emptied first
    const QStringList itens = lista.itens();
    ASSERT_EQ(itens.size(), 1 + 8);
    EXPECT_EQ(itens.at(0), u"CODIG FUNCIONARIO               TELE         ENDERECO        CIDADE          "
                           u"ANIVERSARIO  ADMISSAO     REGISTRO       "_s);
    // Name order; a long code and a long name cut; nulls as empty fields.
    EXPECT_EQ(itens.at(1), "12345 ANTONIO CARLOS DE OLIVEIR " +
                               B(12 + 1 + 15 + 1 + 15 + 1 + 12 + 1 + 12 + 1) + "7891000158388  ");
    EXPECT_EQ(itens.at(2), u"7     JOSE DA SILVA             19 3232-0000 RUA DAS FLORES  CAMPINAS        "
                           u"10/05/1980   01/02/2009   7891000079195  "_s);
    EXPECT_TRUE(itens.at(3).startsWith(u"1     OUTRO 1 "_s));
}
