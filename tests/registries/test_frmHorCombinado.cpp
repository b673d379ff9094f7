#include "MDautoNumeracao.h"
#include "MaskedEdit.h"
#include "MdConsultaHComb.h"
#include "MdTabelaComb.h"
#include "TelaTeste.h"
#include "frmHorCombinado.h"
#include "frm_consultarFuncionarios.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableView>

namespace {

qint64 ana, bruno;

class HorCombinadoTeste : public TesteDeTela {
protected:
    HorCombinadoTeste()
        : TesteDeTela(u"horario combinado"_s, [](BancoTeste& b) {
            ana = b.funcionario("ANA", "7891000079195");
            bruno = b.funcionario("BRUNO", "7891000158388");
        }) {}
    void inserir(const QString& valores) {
        banco.sql("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( " +
                  valores + " )");
    }
    // The lookup's four fields after looking for an employee's day.
    QString consultar(const QString& funcionario, const QString& data) {
        QString f = funcionario, d = data, h = u"h"_s, o = u"o"_s;
        consultarHoraCombinada(f, d, h, o);
        return QStringList{f, d, h, o}.join('|');
    }
};

QString Linha(const QString& a, const QString& b, const QString& c, const QString& d, const QString& e) {
    return a.leftJustified(10) + ' ' + b.leftJustified(10) + ' ' + c.leftJustified(15) + ' ' +
           d.leftJustified(15) + ' ' + e.leftJustified(50);
}

} // namespace

TEST_F(HorCombinadoTeste, NumerosEConsultaDaTabela) {
    // Before the table exists the caller's values stay.
    EXPECT_EQ(consultar("3", "05/12/2026"), u"3|05/12/2026|h|o"_s);
    criarTabelaHoraCombinada();
    criarTabelaHoraCombinada(); // a second load finds the table and says nothing
    EXPECT_EQ(proximoCodigoHoraCombinada(), 1);
    inserir("1, '3','05/12/2026','04:00:00','meio dia','1'");
    inserir("7, '3','06/12/2026','__:__:__','folga','2'");
    EXPECT_EQ(proximoCodigoHoraCombinada(), 8);
    // Past the largest signed 32-bit number there is none to give.
    inserir("2147483647, '4','05/12/2026','04:00:00','x','1'");
    try {
        proximoCodigoHoraCombinada();
        ADD_FAILURE() << "deu um número";
    } catch (const std::overflow_error& e) {
        EXPECT_STREQ(e.what(), "Não há mais números livres para horários combinados.");
    }
    EXPECT_EQ(consultar("3", "05/12/2026"), u"1|05/12/2026|04:00:00|meio dia"_s);
    EXPECT_EQ(consultar("3", "06/12/2026"), u"2|06/12/2026|__:__:__|folga"_s);
    EXPECT_EQ(consultar("3", "07/12/2026"), u"|||"_s);
}

TEST_F(HorCombinadoTeste, CartaoEConsultaBuscamALista) {
    abrir<frmHorCombinado>()->unload();
    Processar();
    frmHorCombinado* tela = abrir<frmHorCombinado>();
    EXPECT_TRUE(mensagens.calls.isEmpty());
    EXPECT_EQ(contar("sqlite_master where name = 'HoraCombinada'"), 1);
    EXPECT_EQ(Itens(tela->TXTcombinado), (QStringList{"1", "2"}));
    EXPECT_EQ(tela->List1->count(), 0); // empty until an employee is chosen
    inserir(u"1, '%1','05/12/2026','04:00:00','meio dia','1'"_s.arg(bruno));
    // Spaces removed for the lookup; the field keeps what was typed.
    DigitarESair(tela->txtcartao, u"78910 00158388"_s);
    EXPECT_EQ(tela->txtcartao->text(), u"78910 00158388"_s);
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text() + ' ' + tela->TXTNOME->text(),
              QString::number(bruno) + " BRUNO");

    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"0"_s);
    EXPECT_TRUE(tela->TXTCODIGOFUNCIONARIO->text().isEmpty());
    ASSERT_TRUE(aberta<frm_consultarFuncionarios>());
    EscolherNaConsulta(aberta<frm_consultarFuncionarios>(), u"BR"_s);
    EXPECT_FALSE(aberta<frm_consultarFuncionarios>());
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text(), QString::number(bruno));
    ASSERT_TRUE(tela->TXTCODIGOFUNCIONARIO->hasFocus());
    banco.enviadas().clear();
    QTest::keyClick(tela->TXTCODIGOFUNCIONARIO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(
        banco.enviadas().last(),
        u"select codigo,combinado,data,horas,obs from HoraCombinada where funcionario='%1' "_s.arg(bruno));
    EXPECT_EQ(Itens(tela->List1),
              (QStringList{Linha("CODIGO", "COMBINADO", "DATA", "HORA", "OBSERVACAO"),
                           Linha("1", "TRABALHAR", "05/12/2026", "04:00:00", "meio dia")}));
    EXPECT_TRUE(QFontInfo(tela->List1->font()).fixedPitch());
    // Not a number: the name stays, the list is looked for all the same.
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"x"_s);
    EXPECT_EQ(tela->TXTNOME->text(), u"BRUNO"_s);
    EXPECT_EQ(tela->List1->count(), 1);
}

TEST_F(HorCombinadoTeste, LancarConfereEGuardaMantendoOsCampos) {
    frmHorCombinado* tela = abrir<frmHorCombinado>();
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Informar o Campo Combinado!"});
    tela->TXTcombinado->setEditText(u"1"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Data invalida!"});
    DigitarESair(tela->txtData, u"05122026"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Hora invalida!"});
    DigitarESair(tela->txtHoras, u"040000"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Informar o Funcionário!"});
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"999"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Informar o Funcionário!"});
    EXPECT_EQ(contar("HoraCombinada"), 0);

    DigitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(ana));
    DigitarESair(tela->txtObser, u"D'Avila cobre"_s);
    banco.enviadas().clear();
    EXPECT_TRUE(clicar(tela->Command1).isEmpty());
    EXPECT_EQ(banco.enviadas().value(2),
              u"INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 1, "
              "'%1','05/12/2026','04:00:00','D''Avila cobre','1' )"_s.arg(ana));
    // The fields stay: another day needs only the date; any number is stored.
    EXPECT_EQ(tela->txtHoras->Text(), u"04:00:00"_s);
    DigitarESair(tela->txtData, u"06122026"_s);
    tela->TXTcombinado->setEditText(u"7"_s);
    EXPECT_TRUE(clicar(tela->Command1).isEmpty());
    EXPECT_EQ(Itens(tela->List1).mid(1),
              (QStringList{Linha("1", "TRABALHAR", "05/12/2026", "04:00:00", "D'Avila cobre"),
                           Linha("2", "FOLGA", "06/12/2026", "04:00:00", "D'Avila cobre")}));
}
