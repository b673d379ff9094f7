#include "Clock.h"
#include "CopiaBanco.h"
#include "CopiasAutomaticas.h"
#include "MDIVelto.h"
#include "SenhaParaSair.h"
#include "TelaTeste.h"
#include "frmSenha.h"
#include "frmVelto.h"
#include "frm_senhaManutencao.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
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

namespace {

// The daily copies of a running program, into a folder of velto.conf, with the clock frozen.
class CopiasTeste : public ShellTeste {
protected:
    void SetUp() override {
        ShellTeste::SetUp();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        usarPasta(banco.raiz() + u"/copias"_s);
        ASSERT_TRUE(QDir().mkpath(pasta));
        Clock::set(QDateTime(QDate(2026, 11, 29), QTime(8, 0)));
    }
    void TearDown() override {
        Clock::set({});
        qunsetenv("XDG_CONFIG_HOME");
    }
    void usarPasta(const QString& nova) {
        pasta = nova;
        QDir().mkpath(config.path() + u"/velto"_s);
        QFile conf(config.path() + u"/velto/velto.conf"_s);
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("# um disco USB\ncopias = " + pasta.toUtf8() + "\n");
    }
    // Runs the check at that instant; the error of the copy it made, or "none" when it made none.
    QString as(const QDateTime& instante) {
        Clock::set(instante);
        QSignalSpy fim(&copias, &CopiasAutomaticas::concluida);
        copias.Conferir();
        if (!copias.emAndamento())
            return u"none"_s;
        EXPECT_TRUE(fim.wait(60000));
        return fim.value(0).value(0).toString();
    }
    QStringList arquivos() const { return QDir(pasta).entryList(QDir::Files, QDir::Name); }
    // The message boxes the maintenance password brings.
    QStringList aposSenha() {
        mensagens.calls.clear();
        pedir(janela->mnuF, u"Segredo1"_s);
        return mensagens.texts();
    }

    QTemporaryDir config;
    QString pasta;
    bool registrando = false;
    CopiasAutomaticas copias{[this] {
        return registrando;
    }};
};

QDateTime Dia(int mes, int dia, QTime hora = QTime(0, 5)) {
    return QDateTime(QDate(2026, mes, dia), hora);
}

} // namespace

TEST_F(CopiasTeste, PrimeiraAoAbrirDepoisDas0005Guarda30DiariasEAUltimaDeCadaMes) {
    janela->setAvisosAposSenha([this] { return copias.AvisoDeManutencao(); });
    QStringList semeadas = {u"ponto-2025-10-31.mdb"_s, u"ponto-2026-09-29.mdb"_s, u"ponto-2026-09-30.mdb"_s,
                            u"ponto-2026-10-30.mdb"_s, u"ponto-2026-10-31.mdb"_s, u"ponto-velho.mdb"_s,
                            u"ponto-2026-02-30.mdb"_s};
    for (int d = 1; d <= 28; ++d)
        semeadas << u"ponto-2026-11-%1.mdb"_s.arg(d, 2, 10, QChar(u'0'));
    for (const QString& nome : semeadas)
        QFile(pasta + u'/' + nome).open(QIODevice::WriteOnly);
    QSignalSpy fim(&copias, &CopiasAutomaticas::concluida);
    copias.Iniciar();
    ASSERT_TRUE(copias.emAndamento() && fim.wait(60000));
    EXPECT_EQ(fim.value(0).value(0).toString(), QString());
    const qint64 pontos = banco.contar(u"movimentacao"_s);
    EXPECT_EQ(Connection::OpenFile(StringConexaoDe(pasta + u"/ponto-2026-11-29.mdb"_s))
                  ->Execute(u"Select count(*) as n from movimentacao"_s)["n"]
                  .toInteger(),
              pontos);
    // The same day, or the next before 00:05 or while a scan is under way: no copy.
    EXPECT_EQ(as(Dia(11, 29, QTime(23, 59))), u"none"_s);
    EXPECT_EQ(as(Dia(11, 30, QTime(0, 4))), u"none"_s);
    registrando = true;
    EXPECT_EQ(as(Dia(11, 30)), u"none"_s);
    registrando = false;
    QStringList antes = arquivos();
    EXPECT_EQ(as(Dia(11, 30, QTime(0, 6))), QString());
    const QStringList depois = arquivos();
    EXPECT_EQ(depois.size(), 34) << depois.join(u' ').toStdString();
    for (const QString& foi :
         {u"ponto-2025-10-31.mdb"_s, u"ponto-2026-09-29.mdb"_s, u"ponto-2026-10-30.mdb"_s})
        EXPECT_FALSE(depois.contains(foi)) << foi.toStdString();
    for (const QString& ficou :
         {u"ponto-2026-09-30.mdb"_s, u"ponto-2026-10-31.mdb"_s, u"ponto-2026-11-01.mdb"_s,
          u"ponto-2026-11-30.mdb"_s, u"ponto-velho.mdb"_s, u"ponto-2026-02-30.mdb"_s})
        EXPECT_TRUE(depois.contains(ficou)) << ficou.toStdString();
    EXPECT_TRUE(antes.contains(u"ponto-2026-10-31.mdb"_s) && !antes.contains(u"ponto-2026-10-30.mdb"_s));
    // A folder on the database's disk is told once per run (a server's database is on no disk here).
    const QStringList avisos = aposSenha();
    if (BancoTeste::noServidor())
        EXPECT_TRUE(avisos.isEmpty()) << avisos.join(u'\n').toStdString();
    else
        EXPECT_TRUE(avisos.size() == 1 && avisos[0].contains(u"no mesmo disco do banco de dados"_s))
            << avisos.join(u'\n').toStdString();
    EXPECT_TRUE(aposSenha().isEmpty());
}

TEST_F(CopiasTeste, FalhaAvisadaAposASenhaETentadaNoDiaSeguinteEPontoDuranteACopia) {
    janela->setAvisosAposSenha([this] { return copias.AvisoDeManutencao(); });
    const QString usb = pasta + u"/usb"_s;
    usarPasta(usb);
    QSignalSpy fim(&copias, &CopiasAutomaticas::concluida);
    copias.Iniciar();
    ASSERT_TRUE(fim.wait(60000));
    EXPECT_EQ(as(Dia(11, 29, QTime(9, 0))), u"none"_s) << "tried again the next day, not every minute";
    const QStringList avisos = aposSenha();
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith(u"A cópia automática do banco de dados falhou"_s) &&
                avisos[0].contains(u"29/11/2026 08:00: a pasta %1 não existe"_s.arg(usb)))
        << avisos[0].toStdString();
    EXPECT_TRUE(aposSenha().isEmpty()) << "told once";
    // The next day's copy, slow on purpose: a scan meanwhile is registered as usual.
    ASSERT_TRUE(QDir().mkpath(usb));
    banco.funcionario(u"ANA PAULA"_s, u"7891000079195"_s);
    janela->EntrarModoTerminal();
    Processar();
    auto* terminal = TelaAberta<frmVelto>(*janela->area());
    ASSERT_TRUE(terminal);
    copias.setPausa(3000);
    Clock::set(Dia(11, 30, QTime(8, 0)));
    copias.Conferir();
    ASSERT_TRUE(copias.emAndamento());
    Escanear(terminal->TxtFUNCIONARIO, u"7891000079195"_s);
    EXPECT_EQ(terminal->TXTNOME->text(), u"ANA PAULA - (Registrada ENTRADA!)"_s);
    EXPECT_TRUE(copias.emAndamento()) << "the scan did not wait for the copy";
    EXPECT_EQ(banco.linhas(u"Select hora from movimentacao where data = #11-30-2026#"_s),
              QStringList({"08:00:00"}));
    ASSERT_TRUE(fim.wait(60000));
    EXPECT_EQ(fim.value(1).value(0).toString(), QString());
    EXPECT_EQ(arquivos(), QStringList({"ponto-2026-11-30.mdb"}));
}
