#include "../reports/DadosRelatorio.h"
#include "FrmFuncionarios.h"
#include "MaskedEdit.h"
#include "TelaTeste.h"
#include "frm_consultarFuncionarios.h"

#include <QPointer>
#include <QPushButton>
#include <QTableView>

namespace {

qint64 ana;
const QString kGrade = u"08:00:00 - 12:00:00 - 13:00:00 - 17:00:00"_s;

class FuncionariosTeste : public TesteDeTela {
protected:
    FuncionariosTeste()
        : TesteDeTela(u"funcionarios"_s, [](BancoTeste& b) {
            for (int dia = 2; dia <= 6; ++dia)
                Horario(b, "10", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
            ana = b.funcionario("ANA", "7891000079195", "10");
            b.sql("update funcionarios set tele = '3232', endereco = 'RUA A', cidade = 'CAMPINAS', "
                  "estado = 'SP', Aniversario = '05/12/1990', DataAdmissao = '02/01/2020', VALORHORA = "
                  "'12,50'");
            b.funcionario("SEM HORARIO", "0000000000077", "999");
            const qint64 outro = b.funcionario("OUTRO", "7891000158388", "10");
            b.ponto(ana, "01/12/2026", "08:00:00", "E");
            b.ponto(ana, "01/12/2026", "12:00:00", "S");
            b.ponto(outro, "01/12/2026", "08:00:00", "E");
        }) {}
    void SetUp() override {
        TesteDeTela::SetUp();
        tela = abrir<FrmFuncionarios>();
    }
    // The fields' texts, joined by '|'.
    QString textos() const {
        QStringList t;
        for (QLineEdit* c : {tela->TXTVELTO, tela->TxtFUNCIONARIO, tela->TXTTELE, tela->TxtENDERECO,
                             tela->TXTCIDADE, tela->TXTESTADO, static_cast<QLineEdit*>(tela->txtData),
                             static_cast<QLineEdit*>(tela->TXTDATAADMISSAO), tela->TXTCODH, tela->TXTHORARIO,
                             tela->TXTVALOR})
            t << c->text();
        return t.join('|');
    }
    QStringList linha(const QString& registro) {
        return linhas("select nome, tele, endereco, cidade, estado, Aniversario, registro, DataAdmissao, "
                      "CODHORA, VALORHORA from funcionarios where registro = '" +
                      registro + "'");
    }
    // Saves; the statement after the first lookup, and the fresh screen that follows.
    QString gravar() {
        banco.enviadas().clear();
        tela->btGravar->click();
        Processar();
        EXPECT_TRUE(!tela || tela->isUnloaded());
        tela = aberta<FrmFuncionarios>();
        return banco.enviadas().value(1);
    }

    QPointer<FrmFuncionarios> tela;
};

} // namespace

TEST_F(FuncionariosTeste, CampoDoCartaoCarregaPreencheEChamaAConsulta) {
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());
    DigitarESair(tela->TXTVELTO, "7891000079195");
    EXPECT_EQ(textos(),
              "7891000079195|ANA|3232|RUA A|CAMPINAS|SP|05/12/1990|02/01/2020|10|" + kGrade + "|12,5");
    // Unknown: the fields empty, the schedule code stays; the code is padded on the left.
    DigitarESair(tela->TXTVELTO, "12'3");
    EXPECT_EQ(textos(), u"0000000000123||||||__/__/____|__/__/____|10||"_s);
    DigitarESair(tela->TXTVELTO, "00");
    EXPECT_EQ(tela->TXTVELTO->text(), u"0000000000000"_s);
    DigitarESair(tela->TXTVELTO, "");
    EXPECT_EQ(tela->TXTVELTO->text(), u"0000000000000"_s);
    EXPECT_EQ(banco.enviadas().last(), u"sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '0000000000000'"_s);
    // A schedule code without rows: empty display, his own code (a save must not move him).
    DigitarESair(tela->TXTVELTO, "77");
    EXPECT_EQ(textos(), u"0000000000077|SEM HORARIO|||||__/__/____|__/__/____|999||"_s);
    DigitarESair(tela->TXTCODH, "1'0");
    EXPECT_EQ(tela->TXTCODH->text() + ' ' + tela->TXTHORARIO->text(), "10 " + kGrade);
    DigitarESair(tela->TXTCODH, "11");
    EXPECT_EQ(tela->TXTHORARIO->text(), QString());
    // "0" opens the lookup, which hands the card code back; leaving the field loads him.
    EXPECT_FALSE(tela->chamouConsulta);
    DigitarESair(tela->TXTVELTO, "0");
    EXPECT_EQ(tela->TXTVELTO->text(), QString());
    EXPECT_TRUE(tela->chamouConsulta);
    ASSERT_TRUE(aberta<frm_consultarFuncionarios>());
    EscolherNaConsulta(aberta<frm_consultarFuncionarios>()); // ANA, the first row
    EXPECT_FALSE(tela->chamouConsulta);
    EXPECT_EQ(tela->TXTVELTO->text(), u"7891000079195"_s);
    EXPECT_TRUE(tela->TXTVELTO->hasFocus());
    QTest::keyClick(tela->TXTVELTO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->TxtFUNCIONARIO->text() + ' ' + tela->TXTHORARIO->text(), "ANA " + kGrade);
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(FuncionariosTeste, GravaNovoComApostrofosECarregaEAtualiza) {
    DigitarESair(tela->TXTVELTO, "4'56");
    const std::pair<QWidget*, const char*> digitados[] = {{tela->TxtFUNCIONARIO, "JOANA D'ARC"},
                                                          {tela->TXTTELE, "(19) 3'2"},
                                                          {tela->TxtENDERECO, "RUA D'AJUDA, 5"},
                                                          {tela->TXTCIDADE, "SANTA BARBARA D'OESTE"},
                                                          {tela->TXTESTADO, "S'P"},
                                                          {tela->txtData, "01031985"},
                                                          {tela->TXTDATAADMISSAO, "15062021"},
                                                          {tela->TXTCODH, "1'0"},
                                                          {tela->TXTVALOR, "1.234,50"}};
    for (auto [campo, texto] : digitados)
        DigitarESair(campo, texto);
    EXPECT_EQ(gravar(),
              u"INSERT INTO FUNCIONARIOS(nome,tele,endereco,cidade,estado,Aniversario,registro,"
              "DataAdmissao,CODHORA,VALORHORA) VALUES( 'JOANA D''ARC','(19) 3''2','RUA D''AJUDA, 5', "
              "'SANTA BARBARA D''OESTE','S''P', '01/03/1985', '0000000000456','15/06/2021','10',"
              "'1.234,50' )"_s);
    EXPECT_EQ(linha("0000000000456"), QStringList{"JOANA D'ARC|(19) 3'2|RUA D'AJUDA, 5|SANTA BARBARA D'OESTE|"
                                                  "S'P|01/03/1985|0000000000456|15/06/2021|10|1234,5"});
    EXPECT_TRUE(mensagens.calls.isEmpty());
    // A fresh, empty screen for the next employee.
    ASSERT_TRUE(tela);
    EXPECT_EQ(textos(), u"||||||__/__/____|__/__/____|||"_s);
    DigitarESair(tela->TXTVELTO, "456");
    EXPECT_EQ(textos(),
              "0000000000456|JOANA D'ARC|(19) 3'2|RUA D'AJUDA, 5|SANTA BARBARA D'OESTE|S'P|01/03/1985|"
              "15/06/2021|10|" +
                  kGrade + "|1234,5");
    // Saved again: the row is updated, an unfilled date and an empty amount leave nothing behind.
    tela->txtData->setText(QString());
    tela->TXTVALOR->clear();
    EXPECT_EQ(gravar(),
              u"UPDATE FUNCIONARIOS SET nome='JOANA D''ARC',tele='(19) 3''2',endereco='RUA D''AJUDA, 5',"
              "cidade='SANTA BARBARA D''OESTE',estado='S''P',Aniversario='',registro='0000000000456',"
              "DataAdmissao='15/06/2021', CODHORA='10' ,VALORHORA= ''  WHERE REGISTRO = "
              "'0000000000456'"_s);
    EXPECT_EQ(linha("0000000000456"), QStringList{"JOANA D'ARC|(19) 3'2|RUA D'AJUDA, 5|SANTA BARBARA D'OESTE|"
                                                  "S'P||0000000000456|15/06/2021|10|null"});
    EXPECT_EQ(contar("funcionarios"), 4);
}

TEST_F(FuncionariosTeste, GravarRecusaCodigoCurtoValorEDataInvalidos) {
    // Typed and saved without leaving the field: twelve characters.
    const auto salvar = [&] {
        mensagens.calls.clear();
        tela->btGravar->click();
        return mensagens.texts();
    };
    tela->TXTVELTO->setFocus();
    QTest::keyClicks(tela->TXTVELTO, "789100007919");
    banco.enviadas().clear();
    tela->TXTVALOR->setText("abc");
    tela->txtData->setText("31022020");
    EXPECT_EQ(salvar(), QStringList{"CODIGO DEVE CONTER 13 DIGITOS!"});
    EXPECT_EQ(tela->TXTVELTO->text(), u"789100007919"_s);

    tela->TXTVELTO->setText("7891000079195");
    for (const char* valor : {"abc", "12,5,0", "-3", "1.23,50", "1234.567", "1.2345", "1,2,3"}) {
        tela->TXTVALOR->setText(QString::fromLatin1(valor));
        EXPECT_EQ(salvar(), QStringList{"Valor Invalido!"}) << valor;
    }
    tela->TXTVALOR->setText("12.50");
    EXPECT_EQ(salvar(), QStringList{"Data Invalida!"});
    tela->txtData->setText("0512");
    EXPECT_EQ(salvar(), QStringList{"Data Invalida!"});
    tela->txtData->setText(QString());
    tela->TXTDATAADMISSAO->setText("00002020");
    EXPECT_EQ(salvar(), QStringList{"Data Invalida!"});
    EXPECT_TRUE(tela->TXTDATAADMISSAO->hasFocus());
    for (const QString& enviada : banco.enviadas())
        EXPECT_TRUE(enviada.startsWith(u"sELECT"_s)) << enviada.toStdString();
    EXPECT_FALSE(tela->isUnloaded());
    // Dots between groups of three digits group thousands; one dot before one or two digits is
    // the decimal point. Saved, then shown back on a fresh screen.
    mensagens.calls.clear();
    for (auto [digitado, guardado] : {std::pair{"1.234", "1234"},
                                      {"1.234.567", "1234567"},
                                      {"1.234,50", "1234,5"},
                                      {"12.5", "12,5"},
                                      {"12.50", "12,5"},
                                      {"1.23", "1,23"},
                                      {"12.345", "12345"}}) {
        DigitarESair(tela->TXTVELTO, "7891000079195");
        tela->TXTVALOR->setText(QString::fromLatin1(digitado));
        gravar();
        ASSERT_TRUE(tela);
        DigitarESair(tela->TXTVELTO, "7891000079195");
        EXPECT_EQ(tela->TXTVALOR->text(), QLatin1String(guardado)) << digitado;
    }
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(FuncionariosTeste, ExcluirApagaOsPontosDepoisOFuncionario) {
    DigitarESair(tela->TXTVELTO, "7891000079195");
    mensagens.answer = MsgBoxResult::Cancel;
    banco.enviadas().clear();
    EXPECT_EQ(clicar(tela->Command2), QStringList{"EXCLUIR cliente e Movimentação?"});
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkCancel);
    EXPECT_TRUE(banco.enviadas().isEmpty());

    mensagens.answer = MsgBoxResult::Ok;
    EXPECT_EQ(clicar(tela->Command2), (QStringList{"EXCLUIR cliente e Movimentação?",
                                                   "Excluido Funcionario e Movimento com sucesso!"}));
    const QString n = QString::number(ana);
    EXPECT_EQ(banco.enviadas(), (QStringList{"sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '7891000079195'",
                                             "Delete from movimentacao where funcionario = " + n,
                                             "Delete from FUNCIONARIOS where codigo = " + n}));
    EXPECT_TRUE(linha("7891000079195").isEmpty());
    EXPECT_EQ(contar("movimentacao"), 1);
    EXPECT_EQ(contar("horarios where registro = '10'"), 5);
    EXPECT_EQ(tela->TxtFUNCIONARIO->text(), u"ANA"_s); // the screen keeps showing him
    // Deleted already: the question, and nothing after it.
    EXPECT_EQ(clicar(tela->Command2), QStringList{"EXCLUIR cliente e Movimentação?"});
    QTest::keyClick(tela->TxtFUNCIONARIO, Qt::Key_Escape);
    Processar();
    EXPECT_TRUE(!tela || tela->isUnloaded());
}
