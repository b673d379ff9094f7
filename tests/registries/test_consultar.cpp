#include "BancoTeste.h"
#include "ChamadorConsulta.h"
#include "MsgBox.h"
#include "RecordsetModel.h"
#include "TelaTeste.h"
#include "frm_consultarFuncionarios.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTableView>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A screen that calls the lookup, until the real callers of each kind exist.
class Chamador : public ChildScreen, public ChamadorConsulta {
public:
    Chamador(Ordem ordem, Valor valor)
        : ChamadorConsulta(ordem, valor)
        , campo(new QLineEdit(this))
        , outro(new QLineEdit(this)) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(campo);
        layout->addWidget(outro);
        resize(200, 100);
    }
    QLineEdit* campoConsulta() const override { return campo; }

    QLineEdit* campo;
    QLineEdit* outro;
};

class ConsultaTeste : public ::testing::Test {
protected:
    void SetUp() override {
        marcos = banco.funcionario(QStringLiteral("MARCOS"), QStringLiteral("7891000079195"));
        ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000158388"));
        maria = banco.funcionario(QStringLiteral("MARIA"), QStringLiteral("7891000237571"));
        davila = banco.funcionario(QStringLiteral("D''AVILA"), QStringLiteral("7891000316764"));
        area.resize(1000, 700);
        ASSERT_TRUE(Ativar(area));
    }

    Chamador* chamador(ChamadorConsulta::Ordem ordem,
                       ChamadorConsulta::Valor valor = ChamadorConsulta::Valor::Codigo) {
        auto* tela = new Chamador(ordem, valor);
        tela->showIn(&area);
        Processar();
        return tela;
    }
    frm_consultarFuncionarios* abrir(Chamador& quem) {
        auto* consulta = frm_consultarFuncionarios::Abrir(quem, quem);
        Processar();
        return consulta;
    }
    static QStringList linhas(const frm_consultarFuncionarios& consulta) {
        QStringList texto;
        auto* modelo = static_cast<RecordsetModel*>(consulta.DataGrid1->model());
        for (int r = 0; r < modelo->rowCount(); ++r)
            texto << modelo->text(r, 0) + QLatin1Char(' ') + modelo->text(r, 1);
        return texto;
    }
    QString l(qint64 codigo, const char* nome) { return QString::number(codigo) + ' ' + QLatin1String(nome); }
    void escolher(frm_consultarFuncionarios* consulta) {
        consulta->DataGrid1->setFocus();
        Processar();
        QTest::keyClick(consulta->DataGrid1, Qt::Key_Return);
        Processar();
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    qint64 marcos = 0, ana = 0, maria = 0, davila = 0;
};

} // namespace

TEST_F(ConsultaTeste, ListaTodosEBuscaPeloComecoDoNome) {
    Chamador* relatorios = chamador(ChamadorConsulta::Ordem::Relatorios);
    banco.enviadas().clear();
    frm_consultarFuncionarios* consulta = abrir(*relatorios);
    EXPECT_EQ(consulta->windowTitle(), QStringLiteral("Consultar Funcionarios"));
    EXPECT_TRUE(
        banco.enviadas().contains(QStringLiteral("select CODIGO,NOME  from FUNCIONARIOS  ORDER BY NOME")));
    EXPECT_EQ(linhas(*consulta),
              (QStringList{l(ana, "ANA"), l(davila, "D'AVILA"), l(marcos, "MARCOS"), l(maria, "MARIA")}));
    const auto* modelo = consulta->DataGrid1->model();
    EXPECT_EQ(modelo->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));
    EXPECT_EQ(modelo->headerData(1, Qt::Horizontal).toString(), QStringLiteral("NOME"));
    EXPECT_EQ(consulta->DataGrid1->columnWidth(0), 800 * consulta->logicalDpiX() / 1440);
    EXPECT_EQ(consulta->DataGrid1->columnWidth(1), 6000 * consulta->logicalDpiX() / 1440);
    ASSERT_TRUE(consulta->txtconsultar->hasFocus());

    QTest::keyClicks(consulta->txtconsultar, QStringLiteral("MA"));
    EXPECT_EQ(banco.enviadas().last(),
              QStringLiteral("Select CODIGO,NOME from FUNCIONARIOS where NOME like 'MA%'   ORDER BY NOME"));
    EXPECT_EQ(linhas(*consulta), (QStringList{l(marcos, "MARCOS"), l(maria, "MARIA")}));
    // Captions survive the new result set.
    EXPECT_EQ(modelo->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));

    // An apostrophe is searched for as typed, not a broken statement.
    consulta->txtconsultar->clear();
    QTest::keyClicks(consulta->txtconsultar, QStringLiteral("D'A"));
    EXPECT_EQ(banco.enviadas().last(),
              QStringLiteral("Select CODIGO,NOME from FUNCIONARIOS where NOME like 'D''A%'   ORDER BY NOME"));
    EXPECT_EQ(linhas(*consulta), QStringList{l(davila, "D'AVILA")});

    // A pasted text longer than a name stops at 60 characters, a pattern the engine takes.
    consulta->txtconsultar->clear();
    consulta->txtconsultar->insert("%" + QString(50000, QLatin1Char('A')));
    EXPECT_EQ(consulta->txtconsultar->text().size(), 60);
    EXPECT_TRUE(linhas(*consulta).isEmpty());

    consulta->txtconsultar->clear();
    EXPECT_EQ(linhas(*consulta).size(), 4);

    // Enter in the search field goes to the grid, with the first row current.
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Return);
    Processar();
    EXPECT_TRUE(consulta->DataGrid1->hasFocus());
    EXPECT_EQ(consulta->DataGrid1->currentIndex().row(), 0);
}

TEST_F(ConsultaTeste, PrimeiroChamadorNaOrdemRecebeEFechaLimpaOsOutros) {
    // Opened in the other order than the lookup serves them.
    Chamador* registro = chamador(ChamadorConsulta::Ordem::Funcionarios, ChamadorConsulta::Valor::Registro);
    Chamador* combinado = chamador(ChamadorConsulta::Ordem::HorCombinado);
    registro->chamouConsulta = true;
    QPointer<frm_consultarFuncionarios> consulta = abrir(*combinado);
    QTest::keyClicks(consulta->txtconsultar, QStringLiteral("MAR"));
    consulta->DataGrid1->setCurrentIndex(consulta->DataGrid1->model()->index(1, 0)); // MARIA, after MARCOS
    escolher(consulta);

    EXPECT_EQ(combinado->campo->text(), QString::number(maria));
    EXPECT_TRUE(combinado->campo->hasFocus());
    EXPECT_EQ(area.activeSubWindow(), combinado->subWindow());
    EXPECT_TRUE(registro->campo->text().isEmpty());
    EXPECT_FALSE(combinado->chamouConsulta);
    EXPECT_FALSE(registro->chamouConsulta);
    EXPECT_TRUE(!consulta || consulta->isUnloaded());
    EXPECT_TRUE(mensagens.calls.isEmpty());

    // The employee registry receives the card code.
    consulta = abrir(*registro);
    escolher(consulta); // ANA, the first row
    EXPECT_EQ(registro->campo->text(), QStringLiteral("7891000158388"));
    EXPECT_TRUE(registro->campo->hasFocus());
    EXPECT_EQ(combinado->campo->text(), QString::number(maria));
}

TEST_F(ConsultaTeste, SemChamadorEsperandoEnterNaoFazNada) {
    Chamador* relatorios = chamador(ChamadorConsulta::Ordem::Relatorios);
    QPointer<frm_consultarFuncionarios> consulta = abrir(*relatorios);
    relatorios->chamouConsulta = false;
    escolher(consulta);
    ASSERT_TRUE(consulta);
    EXPECT_FALSE(consulta->isUnloaded());
    EXPECT_TRUE(consulta->DataGrid1->hasFocus());
    EXPECT_TRUE(relatorios->campo->text().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(ConsultaTeste, FechadaPorEscNaoEntregaDepois) {
    Chamador* relatorios = chamador(ChamadorConsulta::Ordem::Relatorios);
    Chamador* combinado = chamador(ChamadorConsulta::Ordem::HorCombinado);
    combinado->chamouConsulta = true;
    QPointer<frm_consultarFuncionarios> consulta = abrir(*relatorios);
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Escape);
    Processar();
    EXPECT_TRUE(!consulta || consulta->isUnloaded());
    EXPECT_FALSE(relatorios->chamouConsulta);
    EXPECT_FALSE(combinado->chamouConsulta);

    // A lookup opened by someone else later serves nobody of those two.
    auto* outra = new frm_consultarFuncionarios;
    outra->showIn(&area);
    Processar();
    escolher(outra);
    EXPECT_FALSE(outra->isUnloaded());
    EXPECT_TRUE(relatorios->campo->text().isEmpty());
    EXPECT_TRUE(combinado->campo->text().isEmpty());
}

TEST_F(ConsultaTeste, FuncionarioExcluidoNesseMeioTempo) {
    Chamador* relatorios = chamador(ChamadorConsulta::Ordem::Relatorios);
    QPointer<frm_consultarFuncionarios> consulta = abrir(*relatorios);
    banco.sql(QStringLiteral("delete from funcionarios where codigo = ") + QString::number(ana));
    banco.enviadas().clear();
    escolher(consulta); // ANA, still listed
    EXPECT_EQ(banco.enviadas().first(),
              QStringLiteral("Select * from FUNCIONARIOS where CODIGO = ") + QString::number(ana));
    ASSERT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(mensagens.calls[0].text, QStringLiteral("Selecione um nome válido"));
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkOnly);
    EXPECT_EQ(mensagens.calls[0].title, QStringLiteral("Velto"));
    ASSERT_TRUE(consulta);
    EXPECT_TRUE(consulta->txtconsultar->text().isEmpty());
    EXPECT_EQ(linhas(*consulta), (QStringList{l(davila, "D'AVILA"), l(marcos, "MARCOS"), l(maria, "MARIA")}));
    EXPECT_TRUE(relatorios->chamouConsulta);
    EXPECT_TRUE(relatorios->campo->text().isEmpty());

    // Typed, then deleted: the field empties and lists everyone.
    QTest::keyClicks(consulta->txtconsultar, QStringLiteral("MARC"));
    banco.sql(QStringLiteral("delete from funcionarios where codigo = ") + QString::number(marcos));
    escolher(consulta);
    EXPECT_EQ(mensagens.calls.size(), 2);
    EXPECT_TRUE(consulta->txtconsultar->text().isEmpty());
    EXPECT_EQ(linhas(*consulta), (QStringList{l(davila, "D'AVILA"), l(maria, "MARIA")}));
}
