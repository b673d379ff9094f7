#include "../reports/DadosRelatorio.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "TelaTeste.h"
#include "frmFeriados.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>

namespace {

class FeriadosTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Feriado(banco, "NATAL", "25", "12", "");
        Feriado(banco, "CARNAVAL", "17", "02", "2026");
        area.resize(800, 600);
        ASSERT_TRUE(Ativar(area));
        tela = new frmFeriados;
        tela->showIn(&area);
        Processar();
    }
    QStringList campos() const {
        return {tela->txtcodigo->text(), tela->TxtFUNCIONARIO->text(), tela->txtdia->text(),
                tela->txtmes->text(), tela->txtano->text()};
    }
    QStringList tabela() {
        QStringList linhas;
        for (Recordset rs = banco.sql("select * from feriados order by codigo"); !rs.Eof(); rs.MoveNext())
            linhas << QStringList{rs["codigo"].toString(), rs["feriado"].toString(), rs["dia"].toString(),
                                  rs["mes"].toString(), rs["ano"].toString()}
                          .join(QLatin1Char('|'));
        return linhas;
    }
    void gravar() {
        tela->btGravar->click();
        Processar();
        EXPECT_TRUE(!tela || tela->isUnloaded());
        tela = TelaAberta<frmFeriados>(area);
        ASSERT_TRUE(tela);
        EXPECT_EQ(campos(), (QStringList{"", "", "", "", ""}));
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    QPointer<frmFeriados> tela;
};

} // namespace

TEST_F(FeriadosTeste, CarregaAtualizaEInsereSobCodigoDoBanco) {
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Feriados"));
    DigitarESair(tela->txtcodigo, "2");
    EXPECT_EQ(campos(), (QStringList{"2", "CARNAVAL", "17", "02", "2026"}));
    EXPECT_EQ(banco.enviadas().last(), QStringLiteral("sELECT * FROM feriados WHERE codigo = 2"));
    // Unknown or no number: the other fields empty, the code stays.
    DigitarESair(tela->txtcodigo, "9");
    EXPECT_EQ(campos(), (QStringList{"9", "", "", "", ""}));
    DigitarESair(tela->txtcodigo, "1");
    DigitarESair(tela->txtcodigo, "x'");
    EXPECT_EQ(campos(), (QStringList{"x", "", "", "", ""}));

    // An existing code: updated in place, an apostrophe stored as typed.
    DigitarESair(tela->txtcodigo, "1");
    DigitarESair(tela->TxtFUNCIONARIO, "NATAL D'OURO");
    banco.enviadas().clear();
    gravar();
    EXPECT_EQ(
        banco.enviadas().mid(0, 2),
        (QStringList{
            "sELECT * FROM feriados WHERE codigo = 1 ",
            "UPDATE feriados SET feriado='NATAL D''OURO',DIA='25', MES = '12', ANO = '' WHERE CODIGO = 1 "}));

    // An unknown code inserts under the database's next number; so does an empty one.
    DigitarESair(tela->txtcodigo, "77");
    DigitarESair(tela->TxtFUNCIONARIO, "SAO JOAO");
    DigitarESair(tela->txtdia, "24");
    DigitarESair(tela->txtmes, "06");
    banco.enviadas().clear();
    gravar();
    EXPECT_EQ(banco.enviadas().mid(0, 2),
              (QStringList{"sELECT * FROM feriados WHERE codigo = 77 ",
                           "INSERT INTO feriados(feriado,dia,mes,ano) VALUES( 'SAO JOAO','24' ,'06','')"}));
    DigitarESair(tela->TxtFUNCIONARIO, "PONTE");
    DigitarESair(tela->txtdia, "21");
    DigitarESair(tela->txtmes, "4");
    DigitarESair(tela->txtano, "2027");
    gravar();
    EXPECT_EQ(tabela(), (QStringList{"1|NATAL D'OURO|25|12|", "2|CARNAVAL|17|02|2026", "3|SAO JOAO|24|06|",
                                     "4|PONTE|21|4|2027"}));
    EXPECT_TRUE(mensagens.calls.isEmpty());
    DigitarESair(tela->txtcodigo, "1");
    EXPECT_EQ(campos(), (QStringList{"1", "NATAL D'OURO", "25", "12", ""}));
}

TEST(MainWindowCadastros, TelaNovaDepoisDeGravarContinuaSendoAUnicaAberta) {
    BancoTeste banco;
    MsgBoxRecorder mensagens;
    MDIVelto janela;
    janela.RegistrarTela(MDIVelto::Tela::Feriados, [] { return new frmFeriados; });
    ASSERT_TRUE(Ativar(janela));
    janela.AbrirTela(MDIVelto::Tela::Feriados);
    Processar();
    frmFeriados* primeira = TelaAberta<frmFeriados>(*janela.area());
    ASSERT_TRUE(primeira);
    primeira->btGravar->click();
    Processar();
    frmFeriados* nova = TelaAberta<frmFeriados>(*janela.area());
    ASSERT_TRUE(nova);
    EXPECT_NE(nova, primeira);
    janela.AbrirTela(MDIVelto::Tela::Feriados);
    Processar();
    int abertas = 0;
    for (frmFeriados* f : janela.area()->findChildren<frmFeriados*>())
        abertas += f->isUnloaded() ? 0 : 1;
    EXPECT_EQ(abertas, 1);
    EXPECT_EQ(janela.area()->activeSubWindow(), nova->subWindow());
}
