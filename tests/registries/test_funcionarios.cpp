#include "../reports/DadosRelatorio.h"
#include "FrmFuncionarios.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "TelaTeste.h"
#include "frm_consultarFuncionarios.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

namespace {

class FuncionariosTeste : public ::testing::Test {
protected:
    void SetUp() override {
        for (int dia = 2; dia <= 6; ++dia)
            Horario(banco, "10", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
        ana = banco.funcionario("ANA", "7891000079195", "10");
        banco.sql(
            "update funcionarios set tele = '3232', endereco = 'RUA A', cidade = 'CAMPINAS', estado = 'SP', "
            "Aniversario = '05/12/1990', DataAdmissao = '02/01/2020', VALORHORA = '12,50' where codigo = " +
            QString::number(ana));
        sem = banco.funcionario("SEM HORARIO", "0000000000077", "999");
        area.resize(1000, 720);
        ASSERT_TRUE(Ativar(area));
        abrir();
    }
    void abrir() {
        auto* nova = new FrmFuncionarios;
        nova->showIn(&area);
        Processar();
        tela = nova;
    }
    QStringList textos() const {
        QStringList t;
        for (QLineEdit* c : {tela->TXTVELTO, tela->TxtFUNCIONARIO, tela->TXTTELE, tela->TxtENDERECO,
                             tela->TXTCIDADE, tela->TXTESTADO, static_cast<QLineEdit*>(tela->txtData),
                             static_cast<QLineEdit*>(tela->TXTDATAADMISSAO), tela->TXTCODH, tela->TXTHORARIO,
                             tela->TXTVALOR})
            t << c->text();
        return t;
    }
    QString linha(const QString& registro) {
        const Recordset rs = banco.sql("select * from funcionarios where registro = '" + registro + "'");
        if (rs.Eof())
            return QStringLiteral("(nenhum)");
        QStringList campos;
        for (const char* c : {"nome", "tele", "endereco", "cidade", "estado", "Aniversario", "registro",
                              "DataAdmissao", "CODHORA", "VALORHORA"}) {
            const Variant v = rs[QString::fromLatin1(c)];
            campos << (v.isNull() ? QStringLiteral("null") : v.toString());
        }
        return campos.join(QLatin1Char('|'));
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    QPointer<FrmFuncionarios> tela;
    qint64 ana = 0, sem = 0;
};

} // namespace

TEST_F(FuncionariosTeste, CampoDoCartaoCarregaPreencheEChamaAConsulta) {
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Cadastro de Funcionarios"));
    EXPECT_FALSE(tela->chamouConsulta);
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());

    DigitarESair(tela->TXTVELTO, "7891000079195");
    EXPECT_EQ(textos(),
              (QStringList{"7891000079195", "ANA", "3232", "RUA A", "CAMPINAS", "SP", "05/12/1990",
                           "02/01/2020", "10", "08:00:00 - 12:00:00 - 13:00:00 - 17:00:00", "12,5"}));
    // Unknown: the fields empty, the schedule code stays; the code is padded on the left.
    DigitarESair(tela->TXTVELTO, "12'3");
    EXPECT_EQ(textos(),
              (QStringList{"0000000000123", "", "", "", "", "", "__/__/____", "__/__/____", "10", "", ""}));
    DigitarESair(tela->TXTVELTO, "00");
    EXPECT_EQ(tela->TXTVELTO->text(), QStringLiteral("0000000000000"));
    DigitarESair(tela->TXTVELTO, "");
    EXPECT_EQ(tela->TXTVELTO->text(), QStringLiteral("0000000000000"));
    EXPECT_EQ(banco.enviadas().last(),
              QStringLiteral("sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '0000000000000'"));
    // A schedule code without rows: empty display, his own code (a save must not move him).
    DigitarESair(tela->TXTVELTO, "77");
    EXPECT_EQ(tela->TxtFUNCIONARIO->text(), QStringLiteral("SEM HORARIO"));
    EXPECT_EQ(tela->TXTCODH->text(), QStringLiteral("999"));
    EXPECT_EQ(tela->TXTHORARIO->text(), QString());
    EXPECT_EQ(tela->TXTDATAADMISSAO->Text(), QStringLiteral("__/__/____"));
    DigitarESair(tela->TXTCODH, "1'0");
    EXPECT_EQ(tela->TXTCODH->text(), QStringLiteral("10"));
    EXPECT_EQ(tela->TXTHORARIO->text(), QStringLiteral("08:00:00 - 12:00:00 - 13:00:00 - 17:00:00"));
    DigitarESair(tela->TXTCODH, "11");
    EXPECT_EQ(tela->TXTHORARIO->text(), QString());

    // "0" opens the lookup, which hands the card code back; leaving the field loads him.
    DigitarESair(tela->TXTVELTO, "0");
    EXPECT_EQ(tela->TXTVELTO->text(), QString());
    EXPECT_TRUE(tela->chamouConsulta);
    frm_consultarFuncionarios* consulta = TelaAberta<frm_consultarFuncionarios>(area);
    ASSERT_TRUE(consulta);
    consulta->DataGrid1->setFocus();
    Processar();
    QTest::keyClick(consulta->DataGrid1, Qt::Key_Return); // ANA, the first row
    Processar();
    EXPECT_FALSE(tela->chamouConsulta);
    EXPECT_EQ(tela->TXTVELTO->text(), QStringLiteral("7891000079195"));
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());
    QTest::keyClick(tela->TXTVELTO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->TxtFUNCIONARIO->text(), QStringLiteral("ANA"));
    EXPECT_EQ(tela->TXTHORARIO->text(), QStringLiteral("08:00:00 - 12:00:00 - 13:00:00 - 17:00:00"));
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(FuncionariosTeste, GravaNovoComApostrofosECarregaEAtualiza) {
    DigitarESair(tela->TXTVELTO, "4'56");
    const QStringList digitados = {
        "JOANA D'ARC", "(19) 3'2", "RUA D'AJUDA, 5", "SANTA BARBARA D'OESTE", "S'P", "01031985", "15062021",
        "1'0",         "",         "1.234,50"};
    QWidget* campos[] = {tela->TxtFUNCIONARIO, tela->TXTTELE, tela->TxtENDERECO,     tela->TXTCIDADE,
                         tela->TXTESTADO,      tela->txtData, tela->TXTDATAADMISSAO, tela->TXTCODH,
                         tela->TXTHORARIO,     tela->TXTVALOR};
    for (int i = 0; i < 10; ++i) {
        if (campos[i] != tela->TXTHORARIO)
            DigitarESair(campos[i], digitados[i]);
    }
    banco.enviadas().clear();
    tela->btGravar->click();
    ASSERT_GE(banco.enviadas().size(), 2);
    EXPECT_EQ(banco.enviadas()[1],
              QStringLiteral(
                  "INSERT INTO FUNCIONARIOS(nome,tele,endereco,cidade,estado,Aniversario,registro,"
                  "DataAdmissao,CODHORA,VALORHORA) VALUES( 'JOANA D''ARC','(19) 3''2','RUA D''AJUDA, 5', "
                  "'SANTA BARBARA D''OESTE','S''P', '01/03/1985', '0000000000456','15/06/2021','10',"
                  "'1.234,50' )"));
    EXPECT_EQ(linha("0000000000456"),
              QStringLiteral("JOANA D'ARC|(19) 3'2|RUA D'AJUDA, 5|SANTA BARBARA D'OESTE|S'P|"
                             "01/03/1985|0000000000456|15/06/2021|10|1234,5"));
    EXPECT_TRUE(mensagens.calls.isEmpty());

    // A fresh, empty screen for the next employee.
    Processar();
    EXPECT_TRUE(!tela || tela->isUnloaded());
    tela = TelaAberta<FrmFuncionarios>(area);
    ASSERT_TRUE(tela);
    EXPECT_EQ(textos(), (QStringList{"", "", "", "", "", "", "__/__/____", "__/__/____", "", "", ""}));

    DigitarESair(tela->TXTVELTO, "456");
    EXPECT_EQ(textos(), (QStringList{"0000000000456", "JOANA D'ARC", "(19) 3'2", "RUA D'AJUDA, 5",
                                     "SANTA BARBARA D'OESTE", "S'P", "01/03/1985", "15/06/2021", "10",
                                     "08:00:00 - 12:00:00 - 13:00:00 - 17:00:00", "1234,5"}));
    // Saved again: the row is updated, an unfilled date and an empty amount leave nothing behind.
    tela->txtData->setText(QString());
    tela->TXTVALOR->clear();
    banco.enviadas().clear();
    tela->btGravar->click();
    ASSERT_GE(banco.enviadas().size(), 2);
    EXPECT_EQ(
        banco.enviadas()[1],
        QStringLiteral(
            "UPDATE FUNCIONARIOS SET nome='JOANA D''ARC',tele='(19) 3''2',endereco='RUA D''AJUDA, 5',"
            "cidade='SANTA BARBARA D''OESTE',estado='S''P',Aniversario='',registro='0000000000456',"
            "DataAdmissao='15/06/2021', CODHORA='10' ,VALORHORA= ''  WHERE REGISTRO = '0000000000456'"));
    EXPECT_EQ(linha("0000000000456"),
              QStringLiteral("JOANA D'ARC|(19) 3'2|RUA D'AJUDA, 5|SANTA BARBARA D'OESTE|S'P||"
                             "0000000000456|15/06/2021|10|null"));
    EXPECT_EQ(banco.sql("select count(*) as n from funcionarios")["n"].toInteger(), 3);
}

TEST_F(FuncionariosTeste, GravarRecusaCodigoCurtoValorEDataInvalidos) {
    // Typed and saved without leaving the field: twelve characters.
    tela->TXTVELTO->setFocus();
    QTest::keyClicks(tela->TXTVELTO, "789100007919");
    banco.enviadas().clear();
    tela->TXTVALOR->setText("abc");
    tela->txtData->setText("31022020");
    tela->btGravar->click();
    EXPECT_EQ(mensagens.texts(), QStringList{"CODIGO DEVE CONTER 13 DIGITOS!"});
    EXPECT_EQ(tela->TXTVELTO->text(), QStringLiteral("789100007919"));

    tela->TXTVELTO->setText("7891000079195");
    for (const char* valor : {"abc", "12,5,0", "-3", "1.23,50", "1234.567", "1.2345", "1,2,3"}) {
        tela->TXTVALOR->setText(QString::fromLatin1(valor));
        tela->btGravar->click();
        EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Valor Invalido!")) << valor;
    }
    tela->TXTVALOR->setText("12.50");
    tela->btGravar->click();
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Data Invalida!"));
    tela->txtData->setText("0512");
    tela->btGravar->click();
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Data Invalida!"));
    tela->txtData->setText(QString());
    tela->TXTDATAADMISSAO->setText("00002020");
    tela->btGravar->click();
    Processar();
    EXPECT_EQ(mensagens.calls.size(), 11);
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Data Invalida!"));
    EXPECT_TRUE(tela->TXTDATAADMISSAO->hasFocus());
    for (const QString& enviada : banco.enviadas())
        EXPECT_TRUE(enviada.startsWith(QStringLiteral("sELECT"))) << enviada.toStdString();
    EXPECT_FALSE(tela->isUnloaded());

    // Dots between groups of three digits group thousands; one dot before one or two digits is
    // the decimal point. Saved, then shown back on a fresh screen.
    for (auto [digitado, guardado] : {std::pair{"1.234", "1234"},
                                      {"1.234.567", "1234567"},
                                      {"1.234,50", "1234,5"},
                                      {"12.5", "12,5"},
                                      {"12.50", "12,5"},
                                      {"1.23", "1,23"},
                                      {"12.345", "12345"}}) {
        DigitarESair(tela->TXTVELTO, "7891000079195");
        tela->TXTVALOR->setText(QString::fromLatin1(digitado));
        tela->btGravar->click();
        Processar();
        ASSERT_TRUE(tela = TelaAberta<FrmFuncionarios>(area));
        DigitarESair(tela->TXTVELTO, "7891000079195");
        EXPECT_EQ(tela->TXTVALOR->text(), QLatin1String(guardado)) << digitado;
    }
    EXPECT_EQ(mensagens.calls.size(), 11);
}

TEST_F(FuncionariosTeste, ExcluirApagaOsPontosDepoisOFuncionario) {
    const qint64 outro = banco.funcionario("OUTRO", "7891000158388", "10");
    banco.ponto(ana, "01/12/2026", "08:00:00", "E");
    banco.ponto(ana, "01/12/2026", "12:00:00", "S");
    banco.ponto(outro, "01/12/2026", "08:00:00", "E");
    DigitarESair(tela->TXTVELTO, "7891000079195");

    mensagens.answer = MsgBoxResult::Cancel;
    banco.enviadas().clear();
    tela->Command2->click();
    EXPECT_EQ(mensagens.texts(), QStringList{"EXCLUIR cliente e Movimentação?"});
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkCancel);
    EXPECT_TRUE(banco.enviadas().isEmpty());

    mensagens.answer = MsgBoxResult::Ok;
    tela->Command2->click();
    const QString n = QString::number(ana);
    EXPECT_EQ(banco.enviadas(), (QStringList{"sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '7891000079195'",
                                             "Delete from movimentacao where funcionario = " + n,
                                             "Delete from FUNCIONARIOS where codigo = " + n}));
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("Excluido Funcionario e Movimento com sucesso!"));
    EXPECT_EQ(linha("7891000079195"), QStringLiteral("(nenhum)"));
    EXPECT_EQ(banco.sql("select count(*) as n from movimentacao")["n"].toInteger(), 1);
    EXPECT_EQ(banco.sql("select count(*) as n from horarios where registro = '10'")["n"].toInteger(), 5);
    EXPECT_EQ(tela->TxtFUNCIONARIO->text(), QStringLiteral("ANA")); // the screen keeps showing him

    // Deleted already: the question, and nothing after it.
    tela->Command2->click();
    EXPECT_EQ(mensagens.calls.size(), 4);
    EXPECT_EQ(mensagens.texts().last(), QStringLiteral("EXCLUIR cliente e Movimentação?"));

    QTest::keyClick(tela->TxtFUNCIONARIO, Qt::Key_Escape);
    Processar();
    EXPECT_TRUE(!tela || tela->isUnloaded());
}
