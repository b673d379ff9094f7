#include "BancoTeste.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "SenhaParaSair.h"
#include "TelaTeste.h"
#include "frmSenha.h"
#include "frmVelto.h"
#include "frm_senhaManutencao.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A screen that only says it was opened.
class TelaFalsa : public ChildScreen {
public:
    TelaFalsa(const QString& nome, QStringList& abertas) {
        setObjectName(nome);
        abertas << nome;
        resize(200, 100);
    }
};

class ShellTeste : public ::testing::Test {
protected:
    void SetUp() override {
        janela = std::make_unique<MDIVelto>();
        using T = MDIVelto::Tela;
        const std::pair<T, const char*> falsas[] = {
            {T::HorCombinado, "frmHorCombinado"},  {T::LancarDia, "frmLancarDia"},
            {T::Funcionarios, "FrmFuncionarios"},  {T::Relatorios, "frmRelatorios"},
            {T::ManutHorario, "frm_manutHorario"}, {T::TabelaHoras, "frmTabelaHoras"},
            {T::Feriados, "frmFeriados"}};
        for (auto [tela, nome] : falsas)
            janela->RegistrarTela(tela,
                                  [this, nome] { return new TelaFalsa(QString::fromLatin1(nome), abertas); });
        ASSERT_TRUE(Ativar(*janela));
        Processar();
    }
    bool menusVisiveis() const {
        return janela->mnc->menuAction()->isVisible() && janela->mnur->menuAction()->isVisible() &&
               janela->MNUREL->menuAction()->isVisible();
    }
    void sairDoTerminal() {
        auto* terminal = janela->area()->findChild<frmVelto*>();
        ASSERT_TRUE(terminal);
        QTest::keyClick(terminal->TxtFUNCIONARIO, Qt::Key_Escape);
        Processar();
    }
    frmSenha* prompt() const {
        for (frmSenha* s : janela->area()->findChildren<frmSenha*>()) {
            if (!s->isUnloaded())
                return s;
        }
        return nullptr;
    }
    void digitarSenha(const QString& senha) {
        frmSenha* p = prompt();
        ASSERT_TRUE(p);
        p->TxtEntradaSaida->setFocus();
        Processar();
        QTest::keyClicks(p->TxtEntradaSaida, senha);
        p->Command1->click();
        Processar();
    }

    BancoTeste banco{QStringLiteral("Segredo1")};
    MsgBoxRecorder mensagens;
    QStringList abertas;
    std::unique_ptr<MDIVelto> janela;
};

} // namespace

TEST_F(ShellTeste, MenusEModos) {
    EXPECT_FALSE(janela->mnc->menuAction()->isVisible());
    EXPECT_FALSE(janela->mnur->menuAction()->isVisible());
    EXPECT_FALSE(janela->MNUREL->menuAction()->isVisible());
    EXPECT_FALSE(janela->mnuF->isEnabled());
    EXPECT_FALSE(janela->mnuf1->isEnabled());
    EXPECT_FALSE(janela->mnutabHoras->isEnabled());
    EXPECT_TRUE(janela->area()->findChild<frmVelto*>());

    sairDoTerminal();
    EXPECT_TRUE(menusVisiveis());
    EXPECT_TRUE(janela->mnuF->isEnabled() && janela->mnuf1->isEnabled() && janela->mnutabHoras->isEnabled());
    EXPECT_EQ(janela->MNUREL->title(), QString(20, QLatin1Char(' ')) + QStringLiteral("Relógio Ponto") +
                                           QString(21, QLatin1Char(' ')));
    QStringList cadastros;
    for (QAction* a : janela->mnc->actions())
        cadastros << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(cadastros,
              QStringList({"Funcionarios", "Horários", "Feriados", "Horários Combinados",
                           "Manutenção de Horários", "Lançar Horários", "Senha Manutenção", "-", "Sair"}));
    EXPECT_EQ(janela->mnuf1->text(), QStringLiteral("Funcionarios"));
    EXPECT_EQ(janela->mnures->text(), QStringLiteral("Abrir Relógio Entradas e Saidas"));

    janela->mnures->trigger();
    Processar();
    EXPECT_FALSE(janela->mnc->menuAction()->isVisible());
    EXPECT_FALSE(janela->mnuF->isEnabled());
    auto* terminal = janela->area()->findChild<frmVelto*>();
    ASSERT_TRUE(terminal);
    EXPECT_EQ(janela->area()->activeSubWindow(), terminal->subWindow());

    // Closing the main window unloads the terminal, which gives the menus back.
    janela->close();
    Processar();
    EXPECT_TRUE(menusVisiveis());
}

TEST_F(ShellTeste, UmaSenhaCorretaAbreTodasAsTelasPedidasNaOrdem) {
    sairDoTerminal();
    janela->mnuF->trigger();
    janela->mnuTFeriados->trigger();
    janela->mnuHorarios->trigger();
    Processar();
    EXPECT_TRUE(janela->kfuncionario && janela->kFeriados && janela->kManutencHorbb);
    EXPECT_EQ(janela->area()->findChildren<frmSenha*>().size(), 1) << "one prompt for all requests";

    digitarSenha(QStringLiteral("segredo1"));
    ASSERT_EQ(mensagens.texts(), QStringList({QStringLiteral("senha invalida!")}));
    EXPECT_EQ(mensagens.calls.first().title, QStringLiteral("Velto"));
    EXPECT_EQ(mensagens.calls.first().icon, MsgBoxIcon::None);
    ASSERT_TRUE(prompt());
    EXPECT_TRUE(prompt()->TxtEntradaSaida->hasFocus());
    EXPECT_EQ(prompt()->TxtEntradaSaida->selectedText(), QStringLiteral("segredo1"));
    EXPECT_TRUE(abertas.isEmpty());

    prompt()->TxtEntradaSaida->clear();
    digitarSenha(QStringLiteral("Segredo1"));
    EXPECT_EQ(abertas, QStringList({"frmLancarDia", "FrmFuncionarios", "frmFeriados"}));
    EXPECT_FALSE(prompt());
    EXPECT_FALSE(janela->kfuncionario || janela->kFeriados || janela->kManutencHorbb);
}

TEST_F(ShellTeste, EscNoPromptLimpaOsPedidos) {
    sairDoTerminal();
    janela->mnuHorarios->trigger();
    Processar();
    ASSERT_TRUE(prompt());
    QTest::keyClick(prompt()->TxtEntradaSaida, Qt::Key_Escape);
    Processar();
    EXPECT_FALSE(prompt());
    EXPECT_FALSE(janela->kManutencHorbb);

    janela->mnuTFeriados->trigger();
    Processar();
    digitarSenha(QStringLiteral("Segredo1"));
    EXPECT_EQ(abertas, QStringList({"frmFeriados"}));

    // Without row 1 of permissao the prompt says nothing and stays.
    banco.sql(QStringLiteral("Delete from permissao"));
    janela->mnuF->trigger();
    Processar();
    digitarSenha(QStringLiteral("Segredo1"));
    EXPECT_TRUE(prompt());
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(ShellTeste, TrocaDeSenha) {
    sairDoTerminal();
    janela->mnuSenha->trigger();
    Processar();
    digitarSenha(QStringLiteral("Segredo1"));
    auto* troca = janela->area()->findChild<frm_senhaManutencao*>();
    ASSERT_TRUE(troca);
    EXPECT_EQ(troca->windowTitle(), QStringLiteral("Senha Manutenção"));

    // Enter moves on as Tab from field to field.
    troca->TxtEntradaSaida->setFocus();
    Processar();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        Processar();
    }
    EXPECT_TRUE(troca->Command1->hasFocus());
    // Enter on the button presses it.
    troca->TxtEntradaSaida->setText(QStringLiteral("errada"));
    QTest::keyClick(troca->Command1, Qt::Key_Return);
    Processar();
    ASSERT_EQ(mensagens.calls.size(), 1);

    troca->TxtEntradaSaida->setText(QStringLiteral("Segredo1"));
    troca->txtNovaSenha->setText(QStringLiteral("nova'1"));
    troca->txtConfirmar->setText(QStringLiteral("nova'2"));
    troca->Command1->click();
    EXPECT_EQ(mensagens.texts(),
              QStringList({QStringLiteral("Senha Atual Invalida!"),
                           QStringLiteral("Nova Senha Não confere - Digite Novamente a Senha Nova!")}));
    EXPECT_FALSE(troca->isUnloaded());

    troca->txtConfirmar->setText(QStringLiteral("nova'1"));
    banco.enviadas().clear();
    troca->Command1->click();
    Processar();
    EXPECT_EQ(mensagens.calls.size(), 2) << "no message confirms the change";
    EXPECT_EQ(banco.enviadas().last(),
              QStringLiteral("update  permissao set senha = 'nova''1'   where  codigo  =1"));
    EXPECT_EQ(banco.sql(QStringLiteral("Select senha from permissao"))["senha"].toString(),
              QStringLiteral("nova'1"));
    EXPECT_FALSE(janela->area()->findChild<frm_senhaManutencao*>() &&
                 !janela->area()->findChild<frm_senhaManutencao*>()->isUnloaded());
}

TEST_F(ShellTeste, UmaTelaAbertaVoltaAFrenteEmVezDeDuplicar) {
    sairDoTerminal();
    for (int vez = 0; vez < 2; ++vez) {
        janela->mnuf1->trigger();
        Processar();
        digitarSenha(QStringLiteral("Segredo1"));
    }
    EXPECT_EQ(abertas, QStringList({"frmRelatorios"}));
    EXPECT_EQ(janela->area()->activeSubWindow()->widget()->objectName(), QStringLiteral("frmRelatorios"));
}

TEST_F(ShellTeste, SenhaVaziaOuNulaELinhaAusente) {
    sairDoTerminal();
    // An empty password admits an empty entry...
    banco.sql(QStringLiteral("update  permissao set senha = ''   where  codigo  =1"));
    janela->mnuTFeriados->trigger();
    Processar();
    digitarSenha(QString());
    EXPECT_EQ(abertas, QStringList({"frmFeriados"}));
    // ...a null one admits nobody.
    banco.sql(QStringLiteral("update  permissao set senha = NULL   where  codigo  =1"));
    janela->mnuTFeriados->trigger();
    Processar();
    digitarSenha(QString());
    EXPECT_EQ(mensagens.texts(), QStringList({QStringLiteral("senha invalida!")}));
    QTest::keyClick(prompt()->TxtEntradaSaida, Qt::Key_Escape);
    Processar();

    // Without row 1 the change screen closes and changes nothing.
    banco.sql(QStringLiteral("update  permissao set senha = 'Segredo1'   where  codigo  =1"));
    janela->mnuSenha->trigger();
    Processar();
    digitarSenha(QStringLiteral("Segredo1"));
    QPointer<frm_senhaManutencao> troca = janela->area()->findChild<frm_senhaManutencao*>();
    ASSERT_TRUE(troca);
    banco.sql(QStringLiteral("Delete from permissao"));
    banco.enviadas().clear();
    troca->txtNovaSenha->setText(QStringLiteral("outra"));
    troca->txtConfirmar->setText(QStringLiteral("outra"));
    troca->Command1->click();
    Processar();
    EXPECT_EQ(banco.enviadas(), QStringList({QStringLiteral("Select * from permissao where  codigo  =1")}));
    EXPECT_TRUE(troca.isNull() || troca->isUnloaded());
    EXPECT_EQ(mensagens.calls.size(), 1);
}

TEST_F(ShellTeste, QuiosqueSoSaiComASenhaEEscondeAsTelasNoModoTerminal) {
    sairDoTerminal();
    janela->mnuF->trigger();
    Processar();
    digitarSenha(QStringLiteral("Segredo1"));
    auto* funcionarios = janela->area()->findChild<ChildScreen*>(QStringLiteral("FrmFuncionarios"));
    ASSERT_TRUE(funcionarios);
    janela->AtivarQuiosque();
    janela->mnures->trigger();
    Processar();
    EXPECT_FALSE(funcionarios->subWindow()->isVisible()) << "nobody at the terminal sees it";
    sairDoTerminal();
    EXPECT_TRUE(funcionarios->subWindow()->isVisible()) << "it comes back with the menus";
    janela->mnures->trigger();
    Processar();

    // A wrong password, then Cancelar: the program stays.
    QString mostrado;
    QTimer::singleShot(0, [&] {
        auto* senha = qobject_cast<SenhaParaSair*>(QApplication::activeModalWidget());
        ASSERT_TRUE(senha);
        QTest::keyClicks(senha->TxtEntradaSaida, QStringLiteral("segredo1"));
        mostrado = senha->TxtEntradaSaida->displayText();
        senha->Command1->click();
        senha->Command2->click();
    });
    EXPECT_FALSE(janela->close());
    EXPECT_EQ(mostrado, QStringLiteral("********"));
    EXPECT_EQ(mensagens.texts(), QStringList({QStringLiteral("senha invalida!")}));
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(janela->area()->findChild<frmVelto*>());

    // "Sair" with the right password ends it.
    QTimer::singleShot(0, [&] {
        auto* senha = qobject_cast<SenhaParaSair*>(QApplication::activeModalWidget());
        ASSERT_TRUE(senha);
        QTest::keyClicks(senha->TxtEntradaSaida, QStringLiteral("Segredo1"));
        QTest::keyClick(senha->TxtEntradaSaida, Qt::Key_Return);
    });
    janela->mnuSair->trigger();
    EXPECT_FALSE(janela->isVisible());
}
