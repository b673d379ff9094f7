#include "ChamadorConsulta.h"
#include "RecordsetModel.h"
#include "TelaTeste.h"
#include "frm_consultarFuncionarios.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTableView>
#include <QVBoxLayout>

namespace {

qint64 marcos, ana, maria, davila;

// A screen that calls the lookup, in its place of the order.
class Chamador : public ChildScreen, public ChamadorConsulta {
public:
    Chamador(Ordem ordem, Valor valor)
        : ChamadorConsulta(ordem, valor)
        , campo(new QLineEdit) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLineEdit); // first in the tab order
        layout->addWidget(campo);
    }
    QLineEdit* campoConsulta() const override { return campo; }
    QLineEdit* campo;
};

class ConsultaTeste : public TesteDeTela {
protected:
    ConsultaTeste()
        : TesteDeTela(u"consulta"_s, [](BancoTeste& b) {
            marcos = b.funcionario("MARCOS", "7891000079195");
            ana = b.funcionario("ANA", "7891000158388");
            maria = b.funcionario("MARIA", "7891000237571");
            davila = b.funcionario("D''AVILA", "7891000316764");
        }) {}
    Chamador* chamador(ChamadorConsulta::Ordem ordem,
                       ChamadorConsulta::Valor valor = ChamadorConsulta::Valor::Codigo) {
        auto* tela = new Chamador(ordem, valor);
        tela->showIn(&area);
        Processar();
        return tela;
    }
    frm_consultarFuncionarios* consultar(Chamador& quem) {
        auto* consulta = frm_consultarFuncionarios::Abrir(quem, quem);
        Processar();
        return consulta;
    }
    // The grid's rows, code and name.
    static QStringList grade(const frm_consultarFuncionarios& consulta) {
        QStringList texto;
        auto* modelo = static_cast<RecordsetModel*>(consulta.DataGrid1->model());
        for (int r = 0; r < modelo->rowCount(); ++r)
            texto << modelo->text(r, 0) + ' ' + modelo->text(r, 1);
        return texto;
    }
    static QString l(qint64 codigo, const char* nome) { return QString::number(codigo) + ' ' + nome; }
    static void escolher(frm_consultarFuncionarios* consulta) {
        consulta->DataGrid1->setFocus();
        Processar();
        QTest::keyClick(consulta->DataGrid1, Qt::Key_Return);
        Processar();
    }
};

} // namespace

TEST_F(ConsultaTeste, ListaTodosEBuscaPeloComecoDoNome) {
    frm_consultarFuncionarios* consulta = consultar(*chamador(ChamadorConsulta::Ordem::Relatorios));
    EXPECT_TRUE(banco.enviadas().contains(u"select CODIGO,NOME  from FUNCIONARIOS  ORDER BY NOME"_s));
    EXPECT_EQ(grade(*consulta),
              (QStringList{l(ana, "ANA"), l(davila, "D'AVILA"), l(marcos, "MARCOS"), l(maria, "MARIA")}));
    const auto* modelo = consulta->DataGrid1->model();
    const auto titulos = [&] {
        return modelo->headerData(0, Qt::Horizontal).toString() + ' ' +
               modelo->headerData(1, Qt::Horizontal).toString();
    };
    EXPECT_EQ(titulos(), u"Código NOME"_s);
    EXPECT_EQ(consulta->DataGrid1->columnWidth(0), 800 * consulta->logicalDpiX() / 1440);
    EXPECT_EQ(consulta->DataGrid1->columnWidth(1), 6000 * consulta->logicalDpiX() / 1440);
    ASSERT_TRUE(consulta->txtconsultar->hasFocus());
    // An apostrophe is searched for as typed, not a broken statement; a pasted text longer than
    // a name stops at 60 characters, a pattern the engine takes.
    const std::pair<QString, QStringList> buscas[] = {
        {u"MA"_s, {l(marcos, "MARCOS"), l(maria, "MARIA")}},
        {u"D'A"_s, {l(davila, "D'AVILA")}},
        {"%" + QString(50000, 'A'), {}},
        {QString(), {l(ana, "ANA"), l(davila, "D'AVILA"), l(marcos, "MARCOS"), l(maria, "MARIA")}}};
    for (const auto& [busca, esperadas] : buscas) {
        consulta->txtconsultar->clear();
        consulta->txtconsultar->insert(busca);
        EXPECT_EQ(grade(*consulta), esperadas) << busca.left(5).toStdString();
        EXPECT_EQ(titulos(), u"Código NOME"_s); // captions survive the new result set
    }
    EXPECT_TRUE(banco.enviadas().contains(
        u"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'MA%'   ORDER BY NOME"_s));
    EXPECT_TRUE(banco.enviadas().contains(
        u"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'D''A%'   ORDER BY NOME"_s));
    EXPECT_TRUE(banco.enviadas().contains(u"Select CODIGO,NOME from FUNCIONARIOS where NOME like '%"_s +
                                          QString(59, 'A') + u"%'   ORDER BY NOME"_s));
    // Enter in the search field goes to the grid, with the first row current.
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Return);
    Processar();
    EXPECT_TRUE(consulta->DataGrid1->hasFocus());
    EXPECT_EQ(consulta->DataGrid1->currentIndex().row(), 0);
}

TEST_F(ConsultaTeste, PrimeiroChamadorNaOrdemRecebeEscNaoEntregaDepois) {
    // Opened in the other order than the lookup serves them.
    Chamador* registro = chamador(ChamadorConsulta::Ordem::Funcionarios, ChamadorConsulta::Valor::Registro);
    Chamador* combinado = chamador(ChamadorConsulta::Ordem::HorCombinado);
    registro->chamouConsulta = true;
    QPointer<frm_consultarFuncionarios> consulta = consultar(*combinado);
    QTest::keyClicks(consulta->txtconsultar, u"MAR"_s);
    consulta->DataGrid1->setCurrentIndex(consulta->DataGrid1->model()->index(1, 0)); // MARIA, after MARCOS
    escolher(consulta);
    EXPECT_EQ(combinado->campo->text(), QString::number(maria));
    EXPECT_TRUE(combinado->campo->hasFocus());
    EXPECT_EQ(area.activeSubWindow(), combinado->subWindow());
    EXPECT_TRUE(registro->campo->text().isEmpty());
    EXPECT_FALSE(combinado->chamouConsulta || registro->chamouConsulta);
    EXPECT_TRUE(!consulta || consulta->isUnloaded());
    // The employee registry receives the card code.
    escolher(consultar(*registro)); // ANA, the first row
    EXPECT_EQ(registro->campo->text(), u"7891000158388"_s);
    EXPECT_TRUE(registro->campo->hasFocus());
    EXPECT_EQ(combinado->campo->text(), QString::number(maria));
    // Nobody waiting: Enter does nothing.
    Chamador* relatorios = chamador(ChamadorConsulta::Ordem::Relatorios);
    consulta = consultar(*relatorios);
    relatorios->chamouConsulta = false;
    escolher(consulta);
    ASSERT_TRUE(consulta && !consulta->isUnloaded());
    EXPECT_TRUE(consulta->DataGrid1->hasFocus());
    EXPECT_TRUE(relatorios->campo->text().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());
    // Closed by Esc, it delivers nothing later: another lookup serves nobody of these.
    combinado->chamouConsulta = relatorios->chamouConsulta = true;
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Escape);
    Processar();
    EXPECT_TRUE(!consulta || consulta->isUnloaded());
    EXPECT_FALSE(relatorios->chamouConsulta || combinado->chamouConsulta);
    auto* outra = abrir<frm_consultarFuncionarios>();
    escolher(outra);
    EXPECT_FALSE(outra->isUnloaded());
    EXPECT_EQ(relatorios->campo->text() + combinado->campo->text(), QString::number(maria));
}

TEST_F(ConsultaTeste, FuncionarioExcluidoNesseMeioTempo) {
    Chamador* relatorios = chamador(ChamadorConsulta::Ordem::Relatorios);
    QPointer<frm_consultarFuncionarios> consulta = consultar(*relatorios);
    banco.sql("delete from funcionarios where codigo = " + QString::number(ana));
    banco.enviadas().clear();
    escolher(consulta); // ANA, still listed
    EXPECT_EQ(banco.enviadas().first(), "Select * from FUNCIONARIOS where CODIGO = " + QString::number(ana));
    ASSERT_EQ(mensagens.texts(), QStringList{"Selecione um nome válido"});
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkOnly);
    EXPECT_EQ(mensagens.calls[0].title, u"Velto"_s);
    ASSERT_TRUE(consulta);
    EXPECT_TRUE(consulta->txtconsultar->text().isEmpty());
    EXPECT_EQ(grade(*consulta), (QStringList{l(davila, "D'AVILA"), l(marcos, "MARCOS"), l(maria, "MARIA")}));
    EXPECT_TRUE(relatorios->chamouConsulta);
    EXPECT_TRUE(relatorios->campo->text().isEmpty());
    // Typed, then deleted: the field empties and lists everyone.
    QTest::keyClicks(consulta->txtconsultar, u"MARC"_s);
    banco.sql("delete from funcionarios where codigo = " + QString::number(marcos));
    escolher(consulta);
    EXPECT_EQ(mensagens.calls.size(), 2);
    EXPECT_TRUE(consulta->txtconsultar->text().isEmpty());
    EXPECT_EQ(grade(*consulta), (QStringList{l(davila, "D'AVILA"), l(maria, "MARIA")}));
}
