#include "MDIVelto.h"
#include "SenhaParaSair.h"
#include "TelaTeste.h"
#include "frmSenha.h"
#include "frmVelto.h"
#include "frm_senhaManutencao.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

class ShellTeste : public ::testing::Test {
protected:
    void SetUp() override {
        using T = MDIVelto::Tela;
        for (auto [tela, nome] : {std::pair{T::HorCombinado, "frmHorCombinado"},
                                  {T::LancarDia, "frmLancarDia"},
                                  {T::Funcionarios, "FrmFuncionarios"},
                                  {T::Relatorios, "frmRelatorios"},
                                  {T::ManutHorario, "frm_manutHorario"},
                                  {T::TabelaHoras, "frmTabelaHoras"},
                                  {T::Feriados, "frmFeriados"}})
            janela->RegistrarTela(tela, [this, nome] { // an empty screen that says it was opened
                auto* aberta = new ChildScreen;
                aberta->setObjectName(QString::fromLatin1(nome));
                abertas << aberta->objectName();
                return aberta;
            });
        ASSERT_TRUE(Ativar(*janela));
        Processar();
        ASSERT_FALSE(menus()); // the program starts at the terminal
        sairDoTerminal();
    }
    bool menus() const { return janela->mnc->menuAction()->isVisible(); }
    void sairDoTerminal() {
        QTest::keyClick(janela->area()->findChild<frmVelto*>()->TxtFUNCIONARIO, Qt::Key_Escape);
        Processar();
    }
    frmSenha* prompt() const { return TelaAberta<frmSenha>(*janela->area()); }
    // Asks for a screen from the menu (when given) and answers the prompt.
    void pedir(QAction* menu, const QString& senha) {
        if (menu)
            menu->trigger();
        Processar();
        ASSERT_TRUE(prompt());
        QTest::keyClicks(prompt()->TxtEntradaSaida, senha);
        prompt()->Command1->click();
        Processar();
    }

    BancoTeste banco{u"Segredo1"_s};
    MsgBoxRecorder mensagens;
    QStringList abertas;
    std::unique_ptr<MDIVelto> janela = std::make_unique<MDIVelto>();
};

} // namespace

TEST_F(ShellTeste, UmaSenhaAbreTodasAsTelasPedidasNaOrdemEscDescartaOsPedidos) {
    janela->mnuF->trigger();
    janela->mnuTFeriados->trigger();
    pedir(janela->mnuHorarios, u"segredo1"_s); // one prompt for the three
    ASSERT_EQ(mensagens.texts(), QStringList({"senha invalida!"}));
    pedir(nullptr, u"Segredo1"_s); // typed over the wrong one, selected
    EXPECT_EQ(abertas, QStringList({"frmLancarDia", "FrmFuncionarios", "frmFeriados"}));
    // An open screen comes forward instead of a second one.
    pedir(janela->mnuf1, u"Segredo1"_s);
    pedir(janela->mnuf1, u"Segredo1"_s);
    EXPECT_EQ(abertas.mid(3), QStringList({"frmRelatorios"}));

    janela->mnuMantHorarios->trigger();
    Processar();
    QTest::keyClick(prompt()->TxtEntradaSaida, Qt::Key_Escape);
    Processar();
    // An empty password admits an empty entry (and only the screen asked for since); a null one
    // admits nobody.
    banco.sql(u"update permissao set senha = '' where codigo = 1"_s);
    pedir(janela->mnutabHoras, QString());
    EXPECT_EQ(abertas.mid(4), QStringList({"frmTabelaHoras"}));
    banco.sql(u"update permissao set senha = NULL where codigo = 1"_s);
    pedir(janela->mnuHcomb, QString());
    EXPECT_EQ(mensagens.texts(), QStringList({"senha invalida!", "senha invalida!"}));
    QTest::keyClick(prompt()->TxtEntradaSaida, Qt::Key_Escape);
    Processar();
    // Without row 1 the prompt says nothing and stays.
    banco.sql(u"Delete from permissao"_s);
    pedir(janela->mnuHcomb, u"Segredo1"_s);
    EXPECT_TRUE(prompt());
    EXPECT_EQ(mensagens.calls.size(), 2);
}

TEST_F(ShellTeste, TrocaDeSenhaESemALinhaDaSenha) {
    pedir(janela->mnuSenha, u"Segredo1"_s);
    auto* troca = janela->area()->findChild<frm_senhaManutencao*>();
    ASSERT_TRUE(troca);
    // Enter moves on as Tab from field to field, and presses the button.
    troca->TxtEntradaSaida->setText(u"errada"_s);
    troca->TxtEntradaSaida->setFocus();
    for (int i = 0; i < 4; ++i) {
        Processar();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    Processar();

    troca->TxtEntradaSaida->setText(u"Segredo1"_s);
    troca->txtNovaSenha->setText(u"nova'1"_s);
    troca->txtConfirmar->setText(u"nova'2"_s);
    troca->Command1->click();
    EXPECT_EQ(mensagens.texts(), QStringList({"Senha Atual Invalida!",
                                              "Nova Senha Não confere - Digite Novamente a Senha Nova!"}));
    troca->txtConfirmar->setText(u"nova'1"_s);
    banco.enviadas().clear();
    troca->Command1->click();
    Processar();
    EXPECT_EQ(banco.enviadas().last(), u"update  permissao set senha = 'nova''1'   where  codigo  =1"_s);
    // The new password opens the screen again; without row 1 it closes and changes nothing.
    pedir(janela->mnuSenha, u"nova'1"_s);
    ASSERT_TRUE(troca = TelaAberta<frm_senhaManutencao>(*janela->area()));
    banco.sql(u"Delete from permissao"_s);
    banco.enviadas().clear();
    troca->txtNovaSenha->setText(u"outra"_s);
    troca->txtConfirmar->setText(u"outra"_s);
    troca->Command1->click();
    Processar();
    EXPECT_EQ(banco.enviadas(), QStringList({"Select * from permissao where  codigo  =1"}));
    EXPECT_EQ(mensagens.calls.size(), 2) << "no message confirms a change";
}

TEST_F(ShellTeste, MenusEQuiosqueQueEscondeAsTelasNoModoTerminalESoSaiComASenha) {
    EXPECT_EQ(janela->MNUREL->title(), QString(20, ' ') + u"Relógio Ponto"_s + QString(21, ' '));
    QStringList cadastros;
    for (QAction* a : janela->mnc->actions())
        cadastros << (a->isSeparator() ? u"-"_s : a->text());
    EXPECT_EQ(cadastros,
              QStringList({"Funcionarios", "Horários", "Feriados", "Horários Combinados",
                           "Manutenção de Horários", "Lançar Horários", "Senha Manutenção", "-", "Sair"}));

    pedir(janela->mnuF, u"Segredo1"_s);
    janela->AtivarQuiosque();
    janela->mnures->trigger();
    Processar();
    EXPECT_FALSE(menus());
    EXPECT_FALSE(janela->area()->findChild<ChildScreen*>(u"FrmFuncionarios"_s)->subWindow()->isVisible())
        << "nobody at the terminal sees it";
    sairDoTerminal(); // it comes back with the menus
    janela->mnures->trigger();
    Processar();
    // A wrong password, then Cancelar: the program stays; "Sair" with the right one ends it.
    const auto responder = [](const QString& senha, bool sair) {
        QTimer::singleShot(0, [=] {
            auto* prompt = qobject_cast<SenhaParaSair*>(QApplication::activeModalWidget());
            ASSERT_TRUE(prompt);
            QTest::keyClicks(prompt->TxtEntradaSaida, senha);
            QTest::keyClick(prompt->TxtEntradaSaida, Qt::Key_Return);
            if (!sair)
                prompt->Command2->click();
        });
    };
    responder(u"segredo1"_s, false);
    EXPECT_FALSE(janela->close());
    EXPECT_EQ(mensagens.texts(), QStringList({"senha invalida!"}));
    responder(u"Segredo1"_s, true);
    janela->mnuSair->trigger();
    EXPECT_FALSE(janela->isVisible());
    EXPECT_TRUE(menus()) << "the terminal gives the menus back as it unloads";
}
