#include "BancoTeste.h"
#include "Clock.h"
#include "DatabaseError.h"
#include "DiscoCheio.h"
#include "MDIVelto.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "TelaTeste.h"
#include "frmVelto.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class TerminalTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::set(QDateTime(QDate(2026, 12, 5), QTime(8, 2, 10)));
        ana = banco.funcionario(QStringLiteral("ANA PAULA"), QStringLiteral("7891000079195"));
        bia = banco.funcionario(QStringLiteral("BEATRIZ"), QStringLiteral("7891000158388"));
        janela = std::make_unique<MDIVelto>();
        ASSERT_TRUE(Ativar(*janela));
        terminal = janela->area()->findChild<frmVelto*>();
        ASSERT_TRUE(terminal);
        Processar();
    }
    void TearDown() override {
        janela.reset();
        Clock::set({});
    }
    QLineEdit* cartao() { return terminal->TxtFUNCIONARIO; }
    // A scan once the card field is unlocked again.
    void passar(const QString& codigo) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
        ASSERT_TRUE(cartao()->hasFocus());
        Escanear(cartao(), codigo);
    }
    qint64 pontos(qint64 funcionario) {
        return banco
            .sql(QStringLiteral("Select count(*) as n from movimentacao where funcionario = %1")
                     .arg(funcionario))["n"]
            .toInteger();
    }
    QString ultimaMensagem() const {
        return mensagens.calls.isEmpty() ? QString() : mensagens.calls.last().text;
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    qint64 ana = 0, bia = 0;
    std::unique_ptr<MDIVelto> janela;
    frmVelto* terminal = nullptr;
};

} // namespace

TEST_F(TerminalTeste, EscaneioRegistraEntradaTravaEDestrava) {
    EXPECT_EQ(terminal->txtData->Text(), QStringLiteral("05/12/2026"));
    EXPECT_EQ(terminal->TXTHORA->text(), QStringLiteral("08:02:10"));
    ASSERT_TRUE(cartao()->hasFocus());
    EXPECT_EQ(cartao()->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));

    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ANA PAULA - (Registrada ENTRADA!)"));
    EXPECT_FALSE(cartao()->isEnabled());
    EXPECT_TRUE(cartao()->text().isEmpty());
    ASSERT_EQ(terminal->List1->count(), 1);
    EXPECT_EQ(terminal->List1->item(0)->text(), QStringLiteral("   %1 - ANA PAULA").arg(ana));
    EXPECT_EQ(terminal->lblEntradaSaida, QStringLiteral("E"));
    Recordset rs = banco.sql(QStringLiteral("Select * from movimentacao"));
    EXPECT_EQ(rs["data"].toString(), QStringLiteral("05/12/2026"));
    EXPECT_EQ(rs["hora"].toString(), QStringLiteral("08:02:10"));

    // A second scan while locked reaches nothing.
    QTest::keyClicks(cartao(), QStringLiteral("7891000158388"));
    EXPECT_TRUE(cartao()->text().isEmpty());

    QTest::qWait(2150);
    EXPECT_TRUE(cartao()->isEnabled());
    EXPECT_TRUE(cartao()->hasFocus());
    EXPECT_TRUE(mensagens.calls.isEmpty());

    // Eleven minutes later the same card is his exit and he leaves the list.
    Clock::advance(11 * 60 * 1000);
    QTest::qWait(120);
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ANA PAULA - (Registrada SAIDA!)"));
    EXPECT_EQ(terminal->List1->count(), 0);
}

TEST_F(TerminalTeste, CartaoNaoEncontradoNaoMexeNaLista) {
    banco.ponto(bia, QStringLiteral("04/12/2026"), QStringLiteral("22:00:00"), QStringLiteral("E"));
    terminal->VerFuncionariosTrabalhando();
    ASSERT_EQ(terminal->List1->count(), 1);
    banco.sql(QStringLiteral("Delete from movimentacao where funcionario = %1").arg(bia));

    Escanear(cartao(), QStringLiteral("12 34'5"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ATENÇÃO >>> Passe novamente o Cartao!"));
    EXPECT_FALSE(cartao()->isEnabled());
    EXPECT_EQ(terminal->List1->count(), 1) << "the list is not rebuilt";
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 0);
    QTest::qWait(2150);
    EXPECT_TRUE(cartao()->hasFocus());
}

TEST_F(TerminalTeste, CedoDemaisMostraAMensagemEtrava) {
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    banco.enviadas().clear();
    Escanear(cartao(), QStringLiteral("7891000079195"));
    ASSERT_EQ(mensagens.calls.size(), 1);
    const MsgBoxCall& m = mensagens.calls.first();
    EXPECT_EQ(m.text, QStringLiteral("Deverá Aguardar 10 minutos para dar Entrada ou Saida!\r\n\r\n\r\n"
                                     "Tempo decorrido: 00:02:10"));
    EXPECT_EQ(m.icon, MsgBoxIcon::Information);
    EXPECT_EQ(m.buttons, MsgBoxButtons::OkOnly);
    EXPECT_EQ(m.title, QStringLiteral("sis-velto"));
    EXPECT_FALSE(cartao()->isEnabled());
    EXPECT_TRUE(terminal->TXTNOME->text().isEmpty());
    // The list was rebuilt: the list's first statement follows the swipe's.
    EXPECT_TRUE(banco.enviadas().contains(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC")));
    EXPECT_EQ(terminal->List1->count(), 1);
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 1);
}

TEST_F(TerminalTeste, CamposSoDeExibicaoEFiltroDoCartao) {
    QTest::keyClicks(cartao(), QStringLiteral("78 91'0"));
    EXPECT_EQ(cartao()->text(), QStringLiteral("78910"));
    EXPECT_EQ(cartao()->echoMode(), QLineEdit::Password);
    // Clicking elsewhere is a loss of focus like any other: the swipe runs and finds no card.
    terminal->TXTNOME->setFocus();
    Processar();
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ATENÇÃO >>> Passe novamente o Cartao!"));
    QTest::keyClicks(terminal->TXTNOME, QStringLiteral("abc"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ATENÇÃO >>> Passe novamente o Cartao!"));
    // Code 12 is shown right-aligned in four places; a five-digit code whole.
    for (int i = 0; i < 10; ++i)
        banco.funcionario(QStringLiteral("X%1").arg(i), QStringLiteral("9%1").arg(i));
    banco.sql(QStringLiteral("INSERT INTO funcionarios(codigo, nome, registro) VALUES(12345, 'ZECA', '55')"));
    banco.ponto(12, QStringLiteral("01/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    banco.ponto(12345, QStringLiteral("01/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    terminal->VerFuncionariosTrabalhando();
    ASSERT_EQ(terminal->List1->count(), 2);
    EXPECT_EQ(terminal->List1->item(0)->text(), QStringLiteral("  12 - X9"));
    EXPECT_EQ(terminal->List1->item(1)->text(), QStringLiteral("12345 - ZECA"));
}

TEST_F(TerminalTeste, DataMudaNaMeiaNoite) {
    Clock::set(QDateTime(QDate(2026, 12, 5), QTime(23, 59, 59)));
    QTest::qWait(120);
    EXPECT_EQ(terminal->txtData->Text(), QStringLiteral("05/12/2026"));
    Clock::advance(1000);
    QTest::qWait(120);
    EXPECT_EQ(terminal->txtData->Text(), QStringLiteral("06/12/2026"));
    EXPECT_EQ(terminal->TXTHORA->text(), QStringLiteral("00:00:00"));
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_EQ(banco.sql(QStringLiteral("Select data from movimentacao"))["data"].toString(),
              QStringLiteral("06/12/2026"));
}

TEST_F(TerminalTeste, QuiosqueCaixaFechaSozinhaEEscaneioNelaEhOProximoPasse) {
    janela->AtivarQuiosque();
    ASSERT_TRUE(Ativar(*janela)); // a new frame for the window, as the program shows it in kiosk mode
    Processar();
    ASSERT_TRUE(terminal->quiosque());
    ASSERT_TRUE(cartao()->hasFocus());
    QMdiSubWindow* janelaTerminal = terminal->subWindow();
    janelaTerminal->showMinimized();
    Processar();
    EXPECT_FALSE(janelaTerminal->isMinimized()) << "scans must always reach the terminal";
    EXPECT_TRUE(janelaTerminal->windowFlags() & Qt::FramelessWindowHint) << "no title bar to move it by";

    SetMsgBoxResponder({}); // the real boxes, as at the terminal
    const auto pontos = [&] {
        return banco.sql(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger();
    };
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    QString caixa;
    QTimer::singleShot(100, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caixa = box->text();
        QTest::keyClicks(box, QStringLiteral("7891000158388"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_TRUE(caixa.startsWith(QStringLiteral("Deverá Aguardar 10 minutos"))) << caixa.toStdString();
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("BEATRIZ - (Registrada ENTRADA!)"))
        << "the card scanned into the box was the next swipe";
    EXPECT_EQ(pontos(), 2);
    EXPECT_FALSE(cartao()->isEnabled());

    // Nobody at the terminal: the box goes away by itself after five seconds.
    ASSERT_TRUE(Ativar(*janela)); // the offscreen platform does not give the activation back
    QTest::qWait(2150);
    ASSERT_TRUE(cartao()->hasFocus());
    bool abertaAos4s = false;
    QTimer::singleShot(4500, [&] { abertaAos4s = QApplication::activeModalWidget() != nullptr; });
    QElapsedTimer tempo;
    tempo.start();
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_TRUE(abertaAos4s);
    EXPECT_GE(tempo.elapsed(), 4900);
    EXPECT_FALSE(QApplication::activeModalWidget());
    EXPECT_EQ(pontos(), 2);
}

namespace {

QString NaoRegistrado(const QString& motivo) {
    return "PONTO NÃO REGISTRADO!\r\n\r\n" + motivo + "\r\nPasse o cartão novamente.";
}

} // namespace

TEST_F(TerminalTeste, BancoOcupadoEsperaComORelogioAndandoEDepoisAvisa) {
    const auto outro = Connection::Open(kStringConexao);
    auto trava = std::make_unique<Connection::WriteTransaction>(*outro);
    QString horaNaEspera;
    bool travadoNaEspera = false;
    QTimer::singleShot(1000, [] { Clock::advance(1000); });
    QTimer::singleShot(1500, [&] {
        horaNaEspera = terminal->TXTHORA->text();
        travadoNaEspera = !cartao()->isEnabled();
    });
    QElapsedTimer espera;
    espera.start();
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_GE(espera.elapsed(), frmVelto::kEsperaBanco);
    EXPECT_LT(espera.elapsed(), frmVelto::kEsperaBanco + 3000);
    EXPECT_EQ(horaNaEspera, QStringLiteral("08:02:11"));
    EXPECT_TRUE(travadoNaEspera);
    ASSERT_EQ(mensagens.calls.size(), 1);
    const MsgBoxCall& m = mensagens.calls.first();
    EXPECT_EQ(m.text, NaoRegistrado(QStringLiteral("Banco de dados ocupado por outro programa.")));
    EXPECT_EQ(m.icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgBoxButtons::OkOnly);
    EXPECT_EQ(m.title, QStringLiteral("sis-velto"));
    EXPECT_TRUE(cartao()->text().isEmpty());
    EXPECT_FALSE(cartao()->isEnabled());
    EXPECT_TRUE(terminal->TXTNOME->text().isEmpty());
    trava.reset();
    EXPECT_EQ(pontos(ana), 0);

    // A lock given back during the wait only delays the scan.
    ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
    trava = std::make_unique<Connection::WriteTransaction>(*outro);
    QTimer::singleShot(700, [&trava] { trava.reset(); });
    espera.restart();
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_GE(espera.elapsed(), 700);
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ANA PAULA - (Registrada ENTRADA!)"));
    EXPECT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(pontos(ana), 1);
}

TEST_F(TerminalTeste, DiscoCheioAvisaMantemALista) {
    terminal->Timer2.setInterval(100);
    banco.ponto(bia, QStringLiteral("04/12/2026"), QStringLiteral("22:00:00"), QStringLiteral("E"));
    terminal->VerFuncionariosTrabalhando();
    {
        const DiscoCheio cheio;
        Escanear(cartao(), QStringLiteral("7891000079195"));
    }
    EXPECT_EQ(ultimaMensagem(), NaoRegistrado(QStringLiteral("Disco cheio.")));
    EXPECT_EQ(terminal->List1->count(), 1);
    EXPECT_EQ(pontos(ana), 0);
    passar(QStringLiteral("7891000079195"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ANA PAULA - (Registrada ENTRADA!)"));
    EXPECT_EQ(terminal->List1->count(), 2);
}

TEST_F(TerminalTeste, ArquivoApagadoOuTrocadoNaoRecebePontos) {
    terminal->Timer2.setInterval(100);
    const QString arquivo = banco.caminhoArquivo();
    const QString copia = arquivo + QStringLiteral(".copia");
    conexaoBanco->ExecuteNative(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    ASSERT_TRUE(QFile::copy(arquivo, copia));
    ASSERT_TRUE(QFile::remove(arquivo));
    const QString naoEncontrado = NaoRegistrado(QStringLiteral("Arquivo do banco de dados não encontrado."));
    passar(QStringLiteral("7891000079195"));
    EXPECT_EQ(ultimaMensagem(), naoEncontrado);
    passar(QStringLiteral("7891000079195"));
    EXPECT_EQ(mensagens.texts(), QStringList({naoEncontrado, naoEncontrado}));
    EXPECT_FALSE(QFile::exists(arquivo)) << "opening never creates the file";

    // Back at its path, the file takes the next scan.
    ASSERT_TRUE(QFile::copy(copia, arquivo));
    passar(QStringLiteral("7891000079195"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("ANA PAULA - (Registrada ENTRADA!)"));
    EXPECT_EQ(pontos(ana), 1);

    // Replaced by another file: that scan is refused, the next goes into the new file.
    ASSERT_TRUE(QFile::copy(copia, arquivo + QStringLiteral(".nova")));
    ASSERT_TRUE(QFile::remove(arquivo));
    ASSERT_TRUE(QFile::rename(arquivo + QStringLiteral(".nova"), arquivo));
    passar(QStringLiteral("7891000158388"));
    EXPECT_EQ(ultimaMensagem(), naoEncontrado);
    passar(QStringLiteral("7891000158388"));
    EXPECT_EQ(terminal->TXTNOME->text(), QStringLiteral("BEATRIZ - (Registrada ENTRADA!)"));
    const auto novo = Connection::Open(kStringConexao);
    EXPECT_EQ(novo->Execute(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 1);
    EXPECT_EQ(
        novo->Execute(QStringLiteral("Select funcionario from movimentacao"))["funcionario"].toInteger(),
        bia);
}

TEST_F(TerminalTeste, ErroAoMontarAListaOuAoPassarNaoTerminaOPrograma) {
    banco.ponto(bia, QStringLiteral("04/12/2026"), QStringLiteral("22:00:00"), QStringLiteral("E"));
    terminal->VerFuncionariosTrabalhando();
    banco.sql(QStringLiteral("ALTER TABLE funcionarios RENAME TO outros"));
    terminal->VerFuncionariosTrabalhando();
    EXPECT_EQ(terminal->List1->count(), 1) << "a failed rebuild leaves the list as it was";
    Escanear(cartao(), QStringLiteral("7891000079195"));
    EXPECT_EQ(ultimaMensagem(),
              NaoRegistrado(QStringLiteral("Erro no banco de dados: no such table: funcionarios")));
    banco.sql(QStringLiteral("ALTER TABLE outros RENAME TO funcionarios"));

    // Opened again while the program runs, with its file gone, the terminal stays up.
    QTest::keyClick(terminal, Qt::Key_Escape);
    Processar();
    ASSERT_TRUE(QFile::remove(banco.caminhoArquivo()));
    QEventLoop laco;
    QTimer::singleShot(0, [&] {
        janela->mnures->trigger();
        laco.quit();
    });
    laco.exec();
    Processar();
    terminal = janela->area()->findChild<frmVelto*>();
    ASSERT_TRUE(terminal);
    ASSERT_TRUE(Ativar(*janela));
    passar(QStringLiteral("7891000079195"));
    EXPECT_EQ(ultimaMensagem(), NaoRegistrado(QStringLiteral("Arquivo do banco de dados não encontrado.")));
}

TEST(TerminalInicio, ArquivoVazioRecusadoAoAbrirOPrograma) {
    BancoTeste banco;
    conexaoBanco.reset();
    QFile arquivo(banco.caminhoArquivo());
    ASSERT_TRUE(arquivo.resize(0));
    try {
        MDIVelto janela;
        ADD_FAILURE() << "the terminal opened an empty file";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("0 bytes"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("C:\\PONTO\\ponto.mdb")));
    }
    EXPECT_EQ(arquivo.size(), 0);
}
