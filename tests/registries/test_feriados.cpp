#include "../reports/DadosRelatorio.h"
#include "MDIVelto.h"
#include "TelaTeste.h"
#include "frmFeriados.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>

namespace {

class FeriadosTeste : public TesteDeTela {
protected:
    FeriadosTeste()
        : TesteDeTela(u"feriados"_s, [](BancoTeste& b) {
            Feriado(b, "NATAL", "25", "12", "");
            Feriado(b, "CARNAVAL", "17", "02", "2026");
        }) {}
    void SetUp() override {
        TesteDeTela::SetUp();
        tela = abrir<frmFeriados>();
    }
    QString campos() const {
        return QStringList{tela->txtcodigo->text(), tela->TxtFUNCIONARIO->text(), tela->txtdia->text(),
                           tela->txtmes->text(), tela->txtano->text()}
            .join('|');
    }
    // Types the fields given, saves, and takes the fresh, empty screen; the statements sent.
    QStringList gravar(const QStringList& textos) {
        QLineEdit* ordem[] = {tela->txtcodigo, tela->TxtFUNCIONARIO, tela->txtdia, tela->txtmes,
                              tela->txtano};
        for (int i = 0; i < textos.size(); ++i)
            if (!textos[i].isNull())
                DigitarESair(ordem[i], textos[i]);
        banco.enviadas().clear();
        tela->btGravar->click();
        Processar();
        EXPECT_TRUE(!tela || tela->isUnloaded());
        tela = aberta<frmFeriados>();
        EXPECT_EQ(campos(), u"||||"_s);
        return banco.enviadas().mid(0, 2);
    }

    QPointer<frmFeriados> tela;
};

} // namespace

TEST_F(FeriadosTeste, CarregaAtualizaEInsereSobCodigoDoBanco) {
    DigitarESair(tela->txtcodigo, "2");
    EXPECT_EQ(campos(), u"2|CARNAVAL|17|02|2026"_s);
    EXPECT_EQ(banco.enviadas().last(), u"sELECT * FROM feriados WHERE codigo = 2"_s);
    // Unknown or no number: the other fields empty, the code stays.
    DigitarESair(tela->txtcodigo, "9");
    EXPECT_EQ(campos(), u"9||||"_s);
    DigitarESair(tela->txtcodigo, "1");
    DigitarESair(tela->txtcodigo, "x'");
    EXPECT_EQ(campos(), u"x||||"_s);
    // An existing code: updated in place, an apostrophe stored as typed.
    EXPECT_EQ(gravar({"1", "NATAL D'OURO"}),
              (QStringList{"sELECT * FROM feriados WHERE codigo = 1 ",
                           "UPDATE feriados SET feriado='NATAL D''OURO',DIA='25', MES = '12', ANO = '' WHERE "
                           "CODIGO = 1 "}));
    // An unknown code inserts under the database's next number; so does an empty one.
    EXPECT_EQ(gravar({"77", "SAO JOAO", "24", "06"}),
              (QStringList{"sELECT * FROM feriados WHERE codigo = 77 ",
                           "INSERT INTO feriados(feriado,dia,mes,ano) VALUES( 'SAO JOAO','24' ,'06','')"}));
    gravar({QString(), "PONTE", "21", "4", "2027"});
    EXPECT_EQ(linhas("select codigo, feriado, dia, mes, ano from feriados order by codigo"),
              (QStringList{"1|NATAL D'OURO|25|12|", "2|CARNAVAL|17|02|2026", "3|SAO JOAO|24|06|",
                           "4|PONTE|21|4|2027"}));
    EXPECT_TRUE(mensagens.calls.isEmpty());
    DigitarESair(tela->txtcodigo, "1");
    EXPECT_EQ(campos(), u"1|NATAL D'OURO|25|12|"_s);
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
    ASSERT_TRUE(nova && nova != primeira);
    janela.AbrirTela(MDIVelto::Tela::Feriados);
    Processar();
    const auto telas = janela.area()->findChildren<frmFeriados*>();
    EXPECT_EQ(std::count_if(telas.begin(), telas.end(), [](frmFeriados* f) { return !f->isUnloaded(); }), 1);
    EXPECT_EQ(janela.area()->activeSubWindow(), nova->subWindow());
}
