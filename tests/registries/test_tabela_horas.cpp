#include "../reports/DadosRelatorio.h"
#include "MaskedEdit.h"
#include "TelaTeste.h"
#include "frmTabelaHoras.h"
#include "horas.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>

TEST(ModuloHoras, TotalDoDiaSomaDaSemanaEAtualizacaoDosTotais) {
    const QString v = u"__:__:__"_s;
    // A night period runs across midnight; a period counts only with both its times, and a time
    // that is no time of day is unfilled.
    const QString dias[][5] = {{"08:00:00", "12:00:00", "13:00:00", "18:00:00", "09:00:00"},
                               {"08:00:00", "12:00:00", v, v, "04:00:00"},
                               {"22:00:00", "06:00:00", v, v, "08:00:00"},
                               {"03:00:00", "06:00:00", "22:00:00", "02:00:00", "07:00:00"},
                               {"00:00:00", "23:00:00", "00:00:00", "02:00:00", "01:00:00"},
                               {"08:00:00", v, "13:00:00", "17:30:15", "04:30:15"},
                               {"08:__:__", "12:00:00", "25:00:00", "18:00:00", "00:00:00"},
                               {"", "12:61:00", "8:00:00", "18:00:00", "00:00:00"}};
    for (const auto& d : dias)
        EXPECT_EQ(TotalDiaHorario(d[0], d[1], d[2], d[3]), d[4]) << d[0].toStdString() << d[2].toStdString();

    BancoTeste banco;
    for (int dia = 1; dia <= 7; ++dia)
        Horario(banco, "7", dia, "08:00:00", "12:00:00", "13:00:00", "17:48:00", "08:48:00");
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "44", dia, "08:00:00", "12:00:00", "13:00:00", "17:48:00", "08:48:00");
    Horario(banco, "44", 7, "08:00:00", "12:00:00", v, v, "00:00:00");
    banco.sql("update horarios set totalhoras = '04:00:00' where registro = '44' and CODHORA = '7'");
    const auto semana = [](const char* registro) {
        const auto soma = somarHorasSemana(registro);
        return soma.horas + ' ' + soma.minutos;
    };
    EXPECT_EQ(semana("7") + ' ' + semana("44") + ' ' + semana("999"), u"61,6 3696 48 2880 0 0"_s);
    // Rows corrected by hand: a total that is no time adds nothing.
    Horario(banco, "5", 2, "08:00:00", "12:00:00", "13:00:00", "17:30:00", "08:30:00");
    Horario(banco, "5", 3, "22:00:00", "06:00:00", v, v, "");
    Horario(banco, "5", 4, "25:00:00", "12:00:00", "13:00:00", "14:00:00", "25:00:00");
    Horario(banco, "5", 5, "", "12:00:00", "13:00:00", "15:00:00", "abc");
    EXPECT_EQ(semana("5"), u"8,5 510"_s);

    banco.enviadas().clear();
    EXPECT_EQ(atualizarTotaisHorarios(), 17);
    EXPECT_EQ(banco.enviadas().first(), u"sELECT REGISTRO FROM horarios group by REGISTRO"_s);
    EXPECT_TRUE(banco.enviadas().contains(
        u"UPDATE horarios SET totalhoras='08:00:00'  WHERE REGISTRO = '5'  and DiaSemana = 'TERCA-FEIRA' "_s));
    // Each row from its own times: Saturday's unfilled second period after full weekdays.
    EXPECT_EQ(Linhas(banco, "select registro, CODHORA, totalhoras from horarios where registro = '5' or "
                            "registro = '44' and CODHORA > '5' order by registro, CODHORA"),
              (QStringList{"44|6|08:48:00", "44|7|04:00:00", "5|2|08:30:00", "5|3|08:00:00", "5|4|01:00:00",
                           "5|5|02:00:00"}));
    EXPECT_EQ(semana("5"), u"19,5 1170"_s);
}

namespace {

qint64 ana;

class TabelaHorasTeste : public TesteDeTela {
protected:
    TabelaHorasTeste()
        : TesteDeTela(u"tabela de horas"_s, [](BancoTeste& b) {
            for (int dia = 2; dia <= 6; ++dia)
                Horario(b, "10", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
            Horario(b, "3", 2, "22:00:00", "06:00:00", "__:__:__", "__:__:__", "08:00:00");
            ana = b.funcionario("ANA", "7891000079195", "10");
            b.sql("update funcionarios set tele = '(19) 3232-0000' where codigo = " + QString::number(ana));
            b.funcionario("BEATRIZ DE OLIVEIRA", "7891000158388", "10");
            b.funcionario("CARLOS", "7891000237571", "3");
        }) {}
    void SetUp() override {
        TesteDeTela::SetUp();
        tela = abrir<frmTabelaHoras>();
    }
    // The user picks a weekday from the list with the mouse.
    void escolherDia(const QString& nome) {
        tela->txtDiaSemana->setFocus();
        Processar();
        const int i = tela->txtDiaSemana->findText(nome);
        ASSERT_GE(i, 0);
        tela->txtDiaSemana->setCurrentIndex(i);
        emit tela->txtDiaSemana->activated(i);
        Processar();
    }
    // The four times, the total and the fields' weekday number.
    QString horas() const {
        return QStringList{tela->TxtFUNCIONARIO->Text(), tela->TXTTELE->Text(),
                           tela->TxtENDERECO->Text(),    tela->TXTCIDADE->Text(),
                           tela->TXTTOTALHORAS->Text(),  tela->txtcodhora->text()}
            .join(' ');
    }
    // The screen's weekly totals and description.
    QString semana() const {
        return tela->txtHporS->text() + ' ' + tela->txtMporS->text() + ' ' + tela->txtdescricao->text();
    }
    // Saves; the fresh screen that follows.
    void gravar() {
        banco.enviadas().clear();
        tela->btGravar->click();
        Processar();
        EXPECT_TRUE(!tela || tela->isUnloaded());
        tela = aberta<frmTabelaHoras>();
        ASSERT_TRUE(tela);
    }
    QStringList dias(const char* registro) {
        return linhas(u"select DiaSemana, CODHORA, DESCRICAO, nome, tele, endereco, cidade, totalhoras "
                      "from horarios where registro = '%1' order by CODHORA"_s.arg(QLatin1String(registro)));
    }

    QPointer<frmTabelaHoras> tela;
};

} // namespace

TEST_F(TabelaHorasTeste, CodigoMostraDescricaoTotaisEFuncionarios) {
    EXPECT_TRUE(banco.enviadas().contains(u"sELECT REGISTRO FROM horarios GROUP BY REGISTRO"_s));
    EXPECT_EQ(Itens(tela->TXTVELTO), (QStringList{"10", "3"}));
    EXPECT_EQ(tela->txtDiaSemana->currentText(), QString());
    EXPECT_EQ(Itens(tela->txtDiaSemana), (QStringList{"SEGUNDA-FEIRA", "TERCA-FEIRA", "QUARTA-FEIRA",
                                                      "QUINTA-FEIRA", "SEXTA-FEIRA", "SABADO", "DOMINGO"}));
    // Choosing a weekday before a numeric code.
    escolherDia("SABADO");
    ASSERT_EQ(mensagens.texts(), QStringList{"Informar o codigo do Horario!"});
    EXPECT_EQ(mensagens.calls[0].icon, MsgBoxIcon::Information);
    EXPECT_EQ(mensagens.calls[0].title, u"sis-Velto"_s);
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());

    DigitarESair(tela->TXTVELTO, "1'0");
    EXPECT_EQ(tela->TXTVELTO->currentText(), u"10"_s);
    EXPECT_EQ(semana(), u"40 2400 GRADE 10"_s);
    EXPECT_TRUE(banco.enviadas().contains(u"sELECT * FROM FUNCIONARIOS WHERE CODHORA = '10'"_s));
    ASSERT_EQ(tela->List1->count(), 2);
    EXPECT_EQ(tela->List1->item(0)->text(), QString::number(ana).leftJustified(15) + ' ' +
                                                u"ANA"_s.leftJustified(50) + u" (19) 3232-0000 "_s);
    EXPECT_EQ(tela->List1->item(1)->text().size(), 82);
    // Display-only fields discard typed keys; Enter still moves on.
    for (QLineEdit* exibe :
         {static_cast<QLineEdit*>(tela->TXTTOTALHORAS), tela->txtHporS, tela->txtcodhora}) {
        exibe->setFocus();
        Processar();
        const QString antes = exibe->text();
        QTest::keyClicks(exibe, "12");
        QTest::keyClick(exibe, Qt::Key_Backspace);
        EXPECT_EQ(exibe->text(), antes) << exibe->objectName().toStdString();
        QTest::keyClick(exibe, Qt::Key_Return);
        Processar();
        EXPECT_FALSE(exibe->hasFocus()) << exibe->objectName().toStdString();
    }
    tela->txtDiaSemana->setFocus();
    QTest::keyClick(tela->txtDiaSemana, Qt::Key_Down);
    QTest::keyClicks(tela->txtDiaSemana, "S");
    EXPECT_EQ(tela->txtDiaSemana->currentText(), u"SABADO"_s); // chosen at the start
}

TEST_F(TabelaHorasTeste, DiaCarregadoManterAnteriorENovoDiaGravado) {
    DigitarESair(tela->TXTVELTO, "10");
    banco.sql("update horarios set totalhoras = '01:00:00' where registro = '10' and CODHORA = '3'");
    escolherDia("TERCA-FEIRA");
    EXPECT_EQ(horas(), u"08:00:00 12:00:00 13:00:00 17:00:00 08:00:00 3"_s); // total from the times
    EXPECT_TRUE(mensagens.calls.isEmpty());
    // Sunday has no row: Cancel empties the times; with nothing on the screen there is no question.
    mensagens.answer = MsgBoxResult::Cancel;
    escolherDia("DOMINGO");
    ASSERT_EQ(mensagens.texts(),
              QStringList{"Horario não Cadastrado. Manter os Dados do Cadastro anterior?"});
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkCancel);
    EXPECT_EQ(horas(), u"__:__:__ __:__:__ __:__:__ __:__:__ __:__:__ 1"_s);
    escolherDia("SABADO");
    EXPECT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(tela->txtcodhora->text(), u"7"_s);
    // OK keeps Monday's times for Saturday; a description typed over the schedule's is discarded.
    escolherDia("SEGUNDA-FEIRA");
    mensagens.answer = MsgBoxResult::Ok;
    escolherDia("SABADO");
    EXPECT_EQ(mensagens.calls.size(), 2);
    DigitarESair(tela->txtdescricao, "outra");
    EXPECT_EQ(tela->txtdescricao->text(), u"OUTRA"_s);
    DigitarESair(tela->TXTCIDADE, "150000");
    EXPECT_EQ(horas(), u"08:00:00 12:00:00 13:00:00 15:00:00 06:00:00 7"_s);
    gravar();
    EXPECT_EQ(
        banco.enviadas(),
        (QStringList{"sELECT * FROM horarios WHERE REGISTRO = '10'",
                     "UPDATE horarios SET DESCRICAO = 'GRADE 10' WHERE REGISTRO = '10' ",
                     "sELECT * FROM horarios WHERE REGISTRO = '10' and DiaSemana = 'SABADO' ",
                     "INSERT INTO horarios(nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,"
                     "totalhoras) VALUES( '08:00:00','12:00:00','13:00:00', '15:00:00', '10','SABADO' ,"
                     "'GRADE 10','7' ,'06:00:00')",
                     // the fresh screen
                     "sELECT REGISTRO FROM horarios GROUP BY REGISTRO",
                     "sELECT * FROM horarios WHERE REGISTRO = '10'",
                     "sELECT * FROM horarios WHERE REGISTRO = '10'",
                     "sELECT * FROM FUNCIONARIOS WHERE CODHORA = '10'"}));
    EXPECT_EQ(dias("10").last(), u"SABADO|7|GRADE 10|08:00:00|12:00:00|13:00:00|15:00:00|06:00:00"_s);
    EXPECT_EQ(tela->TXTVELTO->currentText(), u"10"_s);
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());
    EXPECT_EQ(semana(), u"39 2340 GRADE 10"_s); // Tuesday's stored total was set to 01:00:00
    EXPECT_EQ(tela->txtDiaSemana->currentText(), QString());
    EXPECT_EQ(tela->TxtFUNCIONARIO->Text(), u"__:__:__"_s);
    EXPECT_EQ(tela->List1->count(), 2);
}

TEST_F(TabelaHorasTeste, NovoHorarioNoturnoValidacoesEAtualizacao) {
    // The save's checks, in order; nothing is written.
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"forneca um codigo Para o Cadastro das Horas!"});
    // A new schedule code takes the typed description, in upper case, with its apostrophe.
    DigitarESair(tela->TXTVELTO, "20");
    EXPECT_EQ(semana(), u"0 0 "_s);
    EXPECT_EQ(tela->List1->count(), 0);
    DigitarESair(tela->txtdescricao, "noite d'agua");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Forneca um Dia da Semana!"});
    escolherDia("SEXTA-FEIRA");
    for (auto [campo, texto] : {std::pair{tela->TxtFUNCIONARIO, "22"},
                                {tela->TXTTELE, "060000"},
                                {tela->TxtENDERECO, "250000"},
                                {tela->TXTCIDADE, ""}})
        DigitarESair(campo, texto);
    // Partly typed counts as unfilled.
    EXPECT_EQ(horas(), u"22:__:__ 06:00:00 25:00:00 __:__:__ 00:00:00 6"_s);
    banco.enviadas().clear();
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Horario Invalido!"});
    EXPECT_TRUE(tela->TxtFUNCIONARIO->hasFocus());
    DigitarESair(tela->TxtFUNCIONARIO, "220000");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Horario Invalido!"});
    EXPECT_TRUE(tela->TxtENDERECO->hasFocus());
    EXPECT_EQ(banco.enviadas(), QStringList{});
    // The night period totals its real hours.
    tela->TxtENDERECO->setText(QString());
    mensagens.calls.clear();
    gravar();
    EXPECT_TRUE(mensagens.calls.isEmpty());
    EXPECT_TRUE(banco.enviadas().contains(
        "INSERT INTO horarios(nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,totalhoras) "
        "VALUES( '22:00:00','06:00:00','__:__:__', '__:__:__', '20','SEXTA-FEIRA' ,'NOITE D''AGUA','6' "
        ",'08:00:00')"));
    EXPECT_EQ(dias("20"),
              QStringList{"SEXTA-FEIRA|6|NOITE D'AGUA|22:00:00|06:00:00|__:__:__|__:__:__|08:00:00"});
    EXPECT_EQ(semana(), u"8 480 NOITE D'AGUA"_s);
    EXPECT_EQ(Itens(tela->TXTVELTO), (QStringList{"10", "20", "3"}));
    // The same weekday again: its row is updated, the description left alone.
    escolherDia("SEXTA-FEIRA");
    DigitarESair(tela->TXTTELE, "070000");
    DigitarESair(tela->TxtENDERECO, "083000");
    DigitarESair(tela->TXTCIDADE, "093000");
    EXPECT_EQ(horas(), u"22:00:00 07:00:00 08:30:00 09:30:00 10:00:00 6"_s);
    gravar();
    EXPECT_EQ(
        banco.enviadas().mid(0, 4),
        (QStringList{
            "sELECT * FROM horarios WHERE REGISTRO = '20'",
            "UPDATE horarios SET DESCRICAO = 'NOITE D''AGUA' WHERE REGISTRO = '20' ",
            "sELECT * FROM horarios WHERE REGISTRO = '20' and DiaSemana = 'SEXTA-FEIRA' ",
            "UPDATE horarios SET nome='22:00:00',tele='07:00:00',endereco='08:30:00',cidade='09:30:00',"
            "CODHORA ='6',totalhoras='10:00:00'  WHERE REGISTRO = '20'  and DiaSemana = 'SEXTA-FEIRA' "}));
    EXPECT_EQ(dias("20"),
              QStringList{"SEXTA-FEIRA|6|NOITE D'AGUA|22:00:00|07:00:00|08:30:00|09:30:00|10:00:00"});
    EXPECT_EQ(semana(), u"10 600 NOITE D'AGUA"_s);
}
