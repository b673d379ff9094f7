#include "../reports/DadosRelatorio.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "TelaTeste.h"
#include "frmTabelaHoras.h"
#include "horas.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>

namespace {

QStringList Linhas(BancoTeste& banco, const QString& sql) {
    QStringList linhas;
    for (Recordset rs = banco.sql(sql); !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (const QString& coluna : rs.columns())
            campos << rs[coluna].toString();
        linhas << campos.join(QLatin1Char('|'));
    }
    return linhas;
}

} // namespace

TEST(ModuloHoras, TotalDoDia) {
    const QString vazio = QStringLiteral("__:__:__");
    EXPECT_EQ(TotalDiaHorario("08:00:00", "12:00:00", "13:00:00", "18:00:00"), QStringLiteral("09:00:00"));
    EXPECT_EQ(TotalDiaHorario("08:00:00", "12:00:00", vazio, vazio), QStringLiteral("04:00:00"));
    // A night period runs across midnight.
    EXPECT_EQ(TotalDiaHorario("22:00:00", "06:00:00", vazio, vazio), QStringLiteral("08:00:00"));
    EXPECT_EQ(TotalDiaHorario("03:00:00", "06:00:00", "22:00:00", "02:00:00"), QStringLiteral("07:00:00"));
    EXPECT_EQ(TotalDiaHorario("00:00:00", "23:00:00", "00:00:00", "02:00:00"), QStringLiteral("01:00:00"));
    // A period counts only with both its times; a time that is no time of day is unfilled.
    EXPECT_EQ(TotalDiaHorario("08:00:00", vazio, "13:00:00", "17:30:15"), QStringLiteral("04:30:15"));
    EXPECT_EQ(TotalDiaHorario("08:__:__", "12:00:00", "25:00:00", "18:00:00"), QStringLiteral("00:00:00"));
    EXPECT_EQ(TotalDiaHorario("", "12:61:00", "8:00:00", "18:00:00"), QStringLiteral("00:00:00"));
}

TEST(ModuloHoras, SomaDaSemanaEAtualizacaoDosTotais) {
    BancoTeste banco;
    for (int dia = 1; dia <= 7; ++dia)
        Horario(banco, "7", dia, "08:00:00", "12:00:00", "13:00:00", "17:48:00", "08:48:00");
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "44", dia, "08:00:00", "12:00:00", "13:00:00", "17:48:00", "08:48:00");
    Horario(banco, "44", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "00:00:00");
    banco.sql("update horarios set totalhoras = '04:00:00' where registro = '44' and CODHORA = '7'");
    EXPECT_EQ(somarHorasSemana("7").horas, QStringLiteral("61,6"));
    EXPECT_EQ(somarHorasSemana("7").minutos, QStringLiteral("3696"));
    EXPECT_EQ(somarHorasSemana("44").horas, QStringLiteral("48"));
    EXPECT_EQ(somarHorasSemana("44").minutos, QStringLiteral("2880"));
    EXPECT_EQ(somarHorasSemana("999").horas, QStringLiteral("0"));

    // Rows corrected by hand: a total that is no time adds nothing.
    Horario(banco, "5", 2, "08:00:00", "12:00:00", "13:00:00", "17:30:00", "08:30:00");
    Horario(banco, "5", 3, "22:00:00", "06:00:00", "__:__:__", "__:__:__", "");
    Horario(banco, "5", 4, "25:00:00", "12:00:00", "13:00:00", "14:00:00", "25:00:00");
    Horario(banco, "5", 5, "", "12:00:00", "13:00:00", "15:00:00", "abc");
    banco.sql("update horarios set totalhoras = null, nome = null where registro = '5' and CODHORA = '6'");
    EXPECT_EQ(somarHorasSemana("5").horas, QStringLiteral("8,5"));
    EXPECT_EQ(somarHorasSemana("5").minutos, QStringLiteral("510"));

    banco.enviadas().clear();
    EXPECT_EQ(atualizarTotaisHorarios(), 17);
    EXPECT_EQ(banco.enviadas().first(), QStringLiteral("sELECT REGISTRO FROM horarios group by REGISTRO"));
    EXPECT_TRUE(banco.enviadas().contains(QStringLiteral(
        "UPDATE horarios SET totalhoras='08:00:00'  WHERE REGISTRO = '5'  and DiaSemana = 'TERCA-FEIRA' ")));
    EXPECT_EQ(Linhas(banco, "select CODHORA, totalhoras from horarios where registro = '5' order by CODHORA"),
              (QStringList{"2|08:30:00", "3|08:00:00", "4|01:00:00", "5|02:00:00"}));
    // Each row from its own times: Saturday's unfilled second period after full weekdays.
    EXPECT_EQ(
        Linhas(banco,
               "select CODHORA, totalhoras from horarios where registro = '44' and CODHORA in ('6', '7') "
               "order by CODHORA"),
        (QStringList{"6|08:48:00", "7|04:00:00"}));
    EXPECT_EQ(somarHorasSemana("5").horas, QStringLiteral("19,5"));
}

namespace {

class TabelaHorasTeste : public ::testing::Test {
protected:
    void SetUp() override {
        for (int dia = 2; dia <= 6; ++dia)
            Horario(banco, "10", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
        Horario(banco, "3", 2, "22:00:00", "06:00:00", "__:__:__", "__:__:__", "08:00:00");
        ana = banco.funcionario("ANA", "7891000079195", "10");
        banco.sql("update funcionarios set tele = '(19) 3232-0000' where codigo = " + QString::number(ana));
        bia = banco.funcionario("BEATRIZ DE OLIVEIRA", "7891000158388", "10");
        banco.funcionario("CARLOS", "7891000237571", "3");
        area.resize(1000, 760);
        ASSERT_TRUE(Ativar(area));
        abrir();
    }

    void abrir() {
        auto* nova = new frmTabelaHoras;
        nova->showIn(&area);
        Processar();
        tela = nova;
    }
    // The fresh screen that follows a save.
    frmTabelaHoras* seguinte() {
        Processar();
        return TelaAberta<frmTabelaHoras>(area);
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
    void horas(const QString& e1, const QString& s1, const QString& e2, const QString& s2) {
        const QString textos[] = {e1, s1, e2, s2};
        MaskedEdit* campos[] = {tela->TxtFUNCIONARIO, tela->TXTTELE, tela->TxtENDERECO, tela->TXTCIDADE};
        for (int i = 0; i < 4; ++i)
            DigitarESair(campos[i], textos[i]);
    }
    QStringList diasGravados(const char* registro) {
        return Linhas(banco,
                      QStringLiteral("select DiaSemana, CODHORA, DESCRICAO, nome, tele, endereco, cidade, "
                                     "totalhoras from horarios where registro = '%1' order by CODHORA")
                          .arg(QLatin1String(registro)));
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    QPointer<frmTabelaHoras> tela;
    qint64 ana = 0, bia = 0;
};

} // namespace

TEST_F(TabelaHorasTeste, CodigoMostraDescricaoTotaisEFuncionarios) {
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Tabela de Horários"));
    EXPECT_TRUE(banco.enviadas().contains(QStringLiteral("sELECT REGISTRO FROM horarios GROUP BY REGISTRO")));
    QStringList codigos;
    for (int i = 0; i < tela->TXTVELTO->count(); ++i)
        codigos << tela->TXTVELTO->itemText(i);
    EXPECT_EQ(codigos, (QStringList{"10", "3"}));
    EXPECT_EQ(tela->txtDiaSemana->currentText(), QString());
    QStringList dias;
    for (int i = 0; i < tela->txtDiaSemana->count(); ++i)
        dias << tela->txtDiaSemana->itemText(i);
    EXPECT_EQ(dias, (QStringList{"SEGUNDA-FEIRA", "TERCA-FEIRA", "QUARTA-FEIRA", "QUINTA-FEIRA",
                                 "SEXTA-FEIRA", "SABADO", "DOMINGO"}));

    // Choosing a weekday before a numeric code.
    escolherDia("SABADO");
    ASSERT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(mensagens.calls[0].text, QStringLiteral("Informar o codigo do Horario!"));
    EXPECT_EQ(mensagens.calls[0].icon, MsgBoxIcon::Information);
    EXPECT_EQ(mensagens.calls[0].title, QStringLiteral("sis-Velto"));
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());

    DigitarESair(tela->TXTVELTO, "1'0");
    EXPECT_EQ(tela->TXTVELTO->currentText(), QStringLiteral("10"));
    EXPECT_EQ(tela->txtdescricao->text(), QStringLiteral("GRADE 10"));
    EXPECT_EQ(tela->txtHporS->text(), QStringLiteral("40"));
    EXPECT_EQ(tela->txtMporS->text(), QStringLiteral("2400"));
    EXPECT_TRUE(banco.enviadas().contains(QStringLiteral("sELECT * FROM FUNCIONARIOS WHERE CODHORA = '10'")));
    ASSERT_EQ(tela->List1->count(), 2);
    EXPECT_EQ(tela->List1->item(0)->text(), QString::number(ana).leftJustified(15) + ' ' +
                                                QStringLiteral("ANA").leftJustified(50) + ' ' +
                                                QStringLiteral("(19) 3232-0000 "));
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
    EXPECT_EQ(tela->txtDiaSemana->currentText(), QStringLiteral("SABADO")); // chosen at the start
}

TEST_F(TabelaHorasTeste, DiaCarregadoManterAnteriorENovoDiaGravado) {
    DigitarESair(tela->TXTVELTO, "10");
    banco.sql("update horarios set totalhoras = '01:00:00' where registro = '10' and CODHORA = '3'");
    escolherDia("TERCA-FEIRA");
    EXPECT_EQ(tela->TxtFUNCIONARIO->Text(), QStringLiteral("08:00:00"));
    EXPECT_EQ(tela->TXTCIDADE->Text(), QStringLiteral("17:00:00"));
    EXPECT_EQ(tela->txtcodhora->text(), QStringLiteral("3"));
    EXPECT_EQ(tela->TXTTOTALHORAS->Text(), QStringLiteral("08:00:00")); // recomputed from the times
    EXPECT_TRUE(mensagens.calls.isEmpty());

    // Sunday has no row: Cancel empties the times.
    mensagens.answer = MsgBoxResult::Cancel;
    escolherDia("DOMINGO");
    ASSERT_EQ(mensagens.texts(),
              QStringList{QStringLiteral("Horario não Cadastrado. Manter os Dados do Cadastro anterior?")});
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkCancel);
    EXPECT_EQ(tela->TxtFUNCIONARIO->Text(), QStringLiteral("__:__:__"));
    EXPECT_EQ(tela->TXTTOTALHORAS->Text(), QStringLiteral("__:__:__"));
    EXPECT_EQ(tela->txtcodhora->text(), QStringLiteral("1"));
    // With nothing on the screen there is no question.
    escolherDia("SABADO");
    EXPECT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(tela->txtcodhora->text(), QStringLiteral("7"));

    // OK keeps Monday's times for Saturday; a description typed over the schedule's is discarded.
    escolherDia("SEGUNDA-FEIRA");
    mensagens.answer = MsgBoxResult::Ok;
    escolherDia("SABADO");
    EXPECT_EQ(mensagens.calls.size(), 2);
    EXPECT_EQ(tela->TxtENDERECO->Text(), QStringLiteral("13:00:00"));
    DigitarESair(tela->txtdescricao, "outra");
    EXPECT_EQ(tela->txtdescricao->text(), QStringLiteral("OUTRA"));
    DigitarESair(tela->TXTCIDADE, "150000");
    EXPECT_EQ(tela->TXTTOTALHORAS->Text(), QStringLiteral("06:00:00"));
    banco.enviadas().clear();
    tela->btGravar->click();
    EXPECT_EQ(
        banco.enviadas(),
        (QStringList{
            "sELECT * FROM horarios WHERE REGISTRO = '10'",
            "UPDATE horarios SET DESCRICAO = 'GRADE 10' WHERE REGISTRO = '10' ",
            "sELECT * FROM horarios WHERE REGISTRO = '10' and DiaSemana = 'SABADO' ",
            "INSERT INTO horarios(nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,totalhoras) "
            "VALUES( '08:00:00','12:00:00','13:00:00', '15:00:00', '10','SABADO' ,'GRADE 10','7' "
            ",'06:00:00')",
            // the fresh screen
            "sELECT REGISTRO FROM horarios GROUP BY REGISTRO", "sELECT * FROM horarios WHERE REGISTRO = '10'",
            "sELECT * FROM horarios WHERE REGISTRO = '10'",
            "sELECT * FROM FUNCIONARIOS WHERE CODHORA = '10'"}));
    EXPECT_EQ(diasGravados("10").last(),
              QStringLiteral("SABADO|7|GRADE 10|08:00:00|12:00:00|13:00:00|15:00:00|06:00:00"));
    EXPECT_TRUE(!tela || tela->isUnloaded());

    frmTabelaHoras* nova = seguinte();
    ASSERT_TRUE(nova);
    EXPECT_EQ(nova->TXTVELTO->currentText(), QStringLiteral("10"));
    EXPECT_TRUE(nova->TXTVELTO->hasFocus());
    EXPECT_EQ(nova->txtHporS->text(), QStringLiteral("39")); // Tuesday's stored total was set to 01:00:00
    EXPECT_EQ(nova->txtMporS->text(), QStringLiteral("2340"));
    EXPECT_EQ(nova->txtdescricao->text(), QStringLiteral("GRADE 10"));
    EXPECT_EQ(nova->txtDiaSemana->currentText(), QString());
    EXPECT_EQ(nova->TxtFUNCIONARIO->Text(), QStringLiteral("__:__:__"));
    EXPECT_EQ(nova->List1->count(), 2);
}

TEST_F(TabelaHorasTeste, NovoHorarioNoturnoValidacoesEAtualizacao) {
    // The save's checks, in order; nothing is written.
    tela->btGravar->click();
    EXPECT_EQ(mensagens.texts(), QStringList{"forneca um codigo Para o Cadastro das Horas!"});
    // A new schedule code takes the typed description, in upper case, with its apostrophe.
    DigitarESair(tela->TXTVELTO, "20");
    EXPECT_EQ(tela->txtdescricao->text(), QString());
    EXPECT_EQ(tela->txtHporS->text(), QStringLiteral("0"));
    EXPECT_EQ(tela->List1->count(), 0);
    DigitarESair(tela->txtdescricao, "noite d'agua");
    tela->btGravar->click();
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Forneca um Dia da Semana!"));
    escolherDia("SEXTA-FEIRA");
    horas("22", "060000", "250000", "");
    EXPECT_EQ(tela->TxtFUNCIONARIO->Text(), QStringLiteral("22:__:__"));
    EXPECT_EQ(tela->TXTTOTALHORAS->Text(), QStringLiteral("00:00:00")); // partly typed counts as unfilled
    banco.enviadas().clear();
    tela->btGravar->click();
    Processar();
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Horario Invalido!"));
    EXPECT_TRUE(tela->TxtFUNCIONARIO->hasFocus());
    DigitarESair(tela->TxtFUNCIONARIO, "220000");
    tela->btGravar->click();
    Processar();
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Horario Invalido!"));
    EXPECT_TRUE(tela->TxtENDERECO->hasFocus());
    EXPECT_EQ(mensagens.calls.size(), 4);
    EXPECT_EQ(banco.enviadas(), QStringList{});

    // The night period totals its real hours.
    tela->TxtENDERECO->setText(QString());
    tela->btGravar->click();
    EXPECT_EQ(mensagens.calls.size(), 4);
    EXPECT_TRUE(banco.enviadas().contains(
        "INSERT INTO horarios(nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,totalhoras) "
        "VALUES( '22:00:00','06:00:00','__:__:__', '__:__:__', '20','SEXTA-FEIRA' ,'NOITE D''AGUA','6' "
        ",'08:00:00')"));
    EXPECT_EQ(diasGravados("20"),
              QStringList{"SEXTA-FEIRA|6|NOITE D'AGUA|22:00:00|06:00:00|__:__:__|__:__:__|08:00:00"});

    tela = seguinte();
    ASSERT_TRUE(tela);
    EXPECT_EQ(tela->txtdescricao->text(), QStringLiteral("NOITE D'AGUA"));
    EXPECT_EQ(tela->txtHporS->text(), QStringLiteral("8"));
    QStringList codigos;
    for (int i = 0; i < tela->TXTVELTO->count(); ++i)
        codigos << tela->TXTVELTO->itemText(i);
    EXPECT_EQ(codigos, (QStringList{"10", "20", "3"}));

    // The same weekday again: its row is updated, the description left alone.
    escolherDia("SEXTA-FEIRA");
    EXPECT_EQ(tela->TXTTOTALHORAS->Text(), QStringLiteral("08:00:00"));
    DigitarESair(tela->TXTTELE, "070000");
    DigitarESair(tela->TxtENDERECO, "083000");
    DigitarESair(tela->TXTCIDADE, "093000");
    EXPECT_EQ(tela->TXTTOTALHORAS->Text(), QStringLiteral("10:00:00"));
    banco.enviadas().clear();
    tela->btGravar->click();
    EXPECT_EQ(
        banco.enviadas().mid(0, 4),
        (QStringList{
            "sELECT * FROM horarios WHERE REGISTRO = '20'",
            "UPDATE horarios SET DESCRICAO = 'NOITE D''AGUA' WHERE REGISTRO = '20' ",
            "sELECT * FROM horarios WHERE REGISTRO = '20' and DiaSemana = 'SEXTA-FEIRA' ",
            "UPDATE horarios SET nome='22:00:00',tele='07:00:00',endereco='08:30:00',cidade='09:30:00',"
            "CODHORA ='6',totalhoras='10:00:00'  WHERE REGISTRO = '20'  and DiaSemana = 'SEXTA-FEIRA' "}));
    EXPECT_EQ(diasGravados("20"),
              QStringList{"SEXTA-FEIRA|6|NOITE D'AGUA|22:00:00|07:00:00|08:30:00|09:30:00|10:00:00"});
    tela = seguinte();
    ASSERT_TRUE(tela);
    EXPECT_EQ(tela->txtHporS->text(), QStringLiteral("10"));
    EXPECT_EQ(tela->txtMporS->text(), QStringLiteral("600"));
}
