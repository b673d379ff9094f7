#include "BancoTeste.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "TelaTeste.h"
#include "frmHorCombinado.h"
#include "frm_consultarFuncionarios.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

class HorCombinadoTeste : public ::testing::Test {
protected:
    void SetUp() override {
        ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"));
        bruno = banco.funcionario(QStringLiteral("BRUNO"), QStringLiteral("7891000158388"));
        area.resize(1000, 700);
        ASSERT_TRUE(Ativar(area));
    }
    frmHorCombinado* abrir() {
        auto* tela = new frmHorCombinado;
        tela->showIn(&area);
        Processar();
        return tela;
    }
    frm_consultarFuncionarios* consulta() const {
        for (auto* c : area.findChildren<frm_consultarFuncionarios*>()) {
            if (!c->isUnloaded())
                return c;
        }
        return nullptr;
    }
    QStringList lancar(frmHorCombinado* tela) {
        mensagens.calls.clear();
        tela->Command1->click();
        Processar();
        return mensagens.texts();
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    qint64 ana = 0, bruno = 0;
};

QString Linha(const QString& a, const QString& b, const QString& c, const QString& d, const QString& e) {
    return a.leftJustified(10) + ' ' + b.leftJustified(10) + ' ' + c.leftJustified(15) + ' ' +
           d.leftJustified(15) + ' ' + e.leftJustified(50);
}

} // namespace

TEST_F(HorCombinadoTeste, AbrirDuasVezesDeixaUmaTabelaESemMensagem) {
    abrir()->unload();
    Processar();
    frmHorCombinado* tela = abrir();
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Horário Combinado"));
    EXPECT_TRUE(mensagens.calls.isEmpty());
    EXPECT_EQ(
        banco.sql("Select count(*) as n from sqlite_master where name = 'HoraCombinada'")["n"].toInteger(),
        1);
    EXPECT_EQ(tela->TXTcombinado->count(), 2);
    EXPECT_EQ(tela->TXTcombinado->itemText(1), QStringLiteral("2"));
    EXPECT_EQ(tela->List1->count(), 0); // empty until an employee is chosen
}

TEST_F(HorCombinadoTeste, CartaoEConsultaBuscamALista) {
    banco.sql(
        "CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT (5), "
        "data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5))");
    banco.sql(
        QStringLiteral("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 1, "
                       "'%1','05/12/2026','04:00:00','meio dia','1' )")
            .arg(bruno));
    frmHorCombinado* tela = abrir();
    // Spaces removed for the lookup; the field keeps what was typed.
    DigitarESair(tela->txtcartao, QStringLiteral("78910 00158388"));
    EXPECT_EQ(tela->txtcartao->text(), QStringLiteral("78910 00158388"));
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text(), QString::number(bruno));
    EXPECT_EQ(tela->TXTNOME->text(), QStringLiteral("BRUNO"));

    DigitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("0"));
    EXPECT_TRUE(tela->TXTCODIGOFUNCIONARIO->text().isEmpty());
    frm_consultarFuncionarios* c = consulta();
    ASSERT_TRUE(c);
    QTest::keyClicks(c->txtconsultar, QStringLiteral("BR"));
    QTest::keyClick(c->txtconsultar, Qt::Key_Return);
    Processar();
    QTest::keyClick(c->DataGrid1, Qt::Key_Return);
    Processar();
    EXPECT_FALSE(consulta());
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text(), QString::number(bruno));
    ASSERT_TRUE(tela->TXTCODIGOFUNCIONARIO->hasFocus());
    banco.enviadas().clear();
    QTest::keyClick(tela->TXTCODIGOFUNCIONARIO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(
        banco.enviadas().last(),
        QStringLiteral("select codigo,combinado,data,horas,obs from HoraCombinada where funcionario='%1' ")
            .arg(bruno));
    EXPECT_EQ(tela->List1->count(), 2);
    EXPECT_EQ(tela->List1->item(0)->text(), Linha("CODIGO", "COMBINADO", "DATA", "HORA", "OBSERVACAO"));
    EXPECT_EQ(tela->List1->item(1)->text(), Linha("1", "TRABALHAR", "05/12/2026", "04:00:00", "meio dia"));
    EXPECT_TRUE(QFontInfo(tela->List1->font()).fixedPitch());

    // Not a number: the name stays, the list is looked for all the same.
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("x"));
    EXPECT_EQ(tela->TXTNOME->text(), QStringLiteral("BRUNO"));
    EXPECT_EQ(tela->List1->count(), 1);
}

TEST_F(HorCombinadoTeste, LancarConfereEGuardaMantendoOsCampos) {
    frmHorCombinado* tela = abrir();
    EXPECT_EQ(lancar(tela), QStringList{"Informar o Campo Combinado!"});
    tela->TXTcombinado->setEditText(QStringLiteral("1"));
    EXPECT_EQ(lancar(tela), QStringList{"Data invalida!"});
    DigitarESair(tela->txtData, QStringLiteral("05122026"));
    EXPECT_EQ(lancar(tela), QStringList{"Hora invalida!"});
    DigitarESair(tela->txtHoras, QStringLiteral("040000"));
    EXPECT_EQ(lancar(tela), QStringList{"Informar o Funcionário!"});
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("999"));
    EXPECT_EQ(lancar(tela), QStringList{"Informar o Funcionário!"});
    EXPECT_EQ(banco.sql("Select count(*) as n from HoraCombinada")["n"].toInteger(), 0);

    DigitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(ana));
    DigitarESair(tela->txtObser, QStringLiteral("D'Avila cobre"));
    banco.enviadas().clear();
    EXPECT_TRUE(lancar(tela).isEmpty());
    EXPECT_EQ(
        banco.enviadas().value(2),
        QStringLiteral("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 1, "
                       "'%1','05/12/2026','04:00:00','D''Avila cobre','1' )")
            .arg(ana));
    // The fields stay: another day needs only the date; any number is stored.
    EXPECT_EQ(tela->txtHoras->Text(), QStringLiteral("04:00:00"));
    DigitarESair(tela->txtData, QStringLiteral("06122026"));
    tela->TXTcombinado->setEditText(QStringLiteral("7"));
    EXPECT_TRUE(lancar(tela).isEmpty());
    ASSERT_EQ(tela->List1->count(), 3);
    EXPECT_EQ(tela->List1->item(1)->text(),
              Linha("1", "TRABALHAR", "05/12/2026", "04:00:00", "D'Avila cobre"));
    EXPECT_EQ(tela->List1->item(2)->text(), Linha("2", "FOLGA", "06/12/2026", "04:00:00", "D'Avila cobre"));
}
