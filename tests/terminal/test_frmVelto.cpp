#include "Clock.h"
#include "DatabaseError.h"
#include "DiscoCheio.h"
#include "MDIVelto.h"
#include "MaskedEdit.h"
#include "TelaTeste.h"
#include "frmVelto.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>

namespace {

const QString kAna = u"7891000079195"_s, kBia = u"7891000158388"_s;
const QString kEntradaAna = u"ANA PAULA - (Registrada ENTRADA!)"_s;
const QString kPasseNovamente = u"ATENÇÃO >>> Passe novamente o Cartao!"_s;

QString NaoRegistrado(const QString& motivo) {
    return "PONTO NÃO REGISTRADO!\r\n\r\n" + motivo + "\r\nPasse o cartão novamente.";
}

// ANA PAULA (1) and BEATRIZ (2), nobody at work; the main window with its terminal at 08:02:10.
class TerminalTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::set(QDateTime(QDate(2026, 12, 5), QTime(8, 2, 10)));
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
    // What the terminal shows: the name line, whether the card field takes a scan, the list.
    QString tela() {
        QStringList t = {terminal->TXTNOME->text(), cartao()->isEnabled() ? u"livre"_s : u"travado"_s};
        for (int i = 0; i < terminal->List1->count(); ++i)
            t << terminal->List1->item(i)->text();
        return t.join(u" | ");
    }
    // A scan once the card field is unlocked again.
    void passar(const QString& codigo) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
        ASSERT_TRUE(cartao()->hasFocus());
        Escanear(cartao(), codigo);
    }
    qint64 pontos(const QString& onde = u"1=1"_s) {
        return banco.sql("Select count(*) as n from movimentacao where " + onde)["n"].toInteger();
    }
    QString ultimaMensagem() const {
        return mensagens.calls.isEmpty() ? QString() : mensagens.calls.last().text;
    }
    // BEATRIZ at work since last night, in the list.
    void biaTrabalhando() {
        banco.ponto(2, u"04/12/2026"_s, u"22:00:00"_s, u"E"_s);
        terminal->VerFuncionariosTrabalhando();
    }
    // The one message shown, with its icon, OK alone and the terminal's title.
    void esperarMensagem(const QString& texto, MsgBoxIcon icone) {
        ASSERT_EQ(mensagens.texts(), QStringList{texto});
        const MsgBoxCall& m = mensagens.calls.first();
        EXPECT_TRUE(m.icon == icone && m.buttons == MsgBoxButtons::OkOnly && m.title == u"sis-velto"_s);
    }

    BancoTeste banco{u"terminal"_s, [](BancoTeste& b) {
                         b.funcionario(u"ANA PAULA"_s, kAna);
                         b.funcionario(u"BEATRIZ"_s, kBia);
                     }};
    MsgBoxRecorder mensagens;
    std::unique_ptr<MDIVelto> janela;
    frmVelto* terminal = nullptr;
};

} // namespace

TEST_F(TerminalTeste, EscaneioRegistraEntradaTravaDestravaEDepoisSaida) {
    EXPECT_EQ(QStringList({terminal->txtData->Text(), terminal->TXTHORA->text()}),
              QStringList({"05/12/2026", "08:02:10"}));
    ASSERT_TRUE(cartao()->hasFocus());
    EXPECT_EQ(cartao()->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
    banco.enviadas().clear();
    Escanear(cartao(), kAna);
    EXPECT_EQ(tela(), kEntradaAna + " | travado |    1 - ANA PAULA");
    // No punch yet: the existence test finds nothing and the ten-minute rule stops there.
    const QString contagem = u"Select count(EntradaSaida) as s from movimentacao where  funcionario  = 1 and "
                             u"EntradaSaida = "_s;
    EXPECT_EQ(banco.enviadas().mid(0, 5),
              QStringList({"Select * from funcionarios where  registro  = '7891000079195'",
                           "Select top 1 codigo from movimentacao where  funcionario  = 1", contagem + "'E' ",
                           contagem + "'S' ",
                           "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                           "values('05/12/2026','08:02:10', 'E', 1, 'M' )"}));
    EXPECT_TRUE(cartao()->text().isEmpty());
    EXPECT_EQ(pontos(u"data = #12-05-2026# and hora = #08:02:10#"_s), 1);
    // A second scan while locked reaches nothing.
    QTest::keyClicks(cartao(), kBia);
    EXPECT_TRUE(cartao()->text().isEmpty());
    QTest::qWait(2150);
    EXPECT_TRUE(cartao()->isEnabled() && cartao()->hasFocus());
    EXPECT_TRUE(mensagens.calls.isEmpty());
    // Eleven minutes later the same card is her exit and she leaves the list.
    Clock::advance(11 * 60 * 1000);
    QTest::qWait(120);
    banco.enviadas().clear();
    Escanear(cartao(), kAna);
    EXPECT_EQ(tela(), u"ANA PAULA - (Registrada SAIDA!) | travado"_s);
    EXPECT_EQ(banco.enviadas().value(2),
              u"Select max(codigo) as s from movimentacao where  funcionario  = 1"_s);
    EXPECT_TRUE(banco.enviadas().value(3).startsWith(
        u"Select data,hora,EntradaSaida from movimentacao where  codigo  = "_s));
}

TEST_F(TerminalTeste, CartaoNaoEncontradoECedoDemais) {
    biaTrabalhando();
    banco.sql(u"Delete from movimentacao"_s);
    Escanear(cartao(), u"12 34'5"_s);
    EXPECT_EQ(tela(), kPasseNovamente + " | travado |    2 - BEATRIZ") << "the list is not rebuilt";
    EXPECT_EQ(pontos(), 0);

    banco.ponto(1, u"05/12/2026"_s, u"08:00:00"_s, u"E"_s);
    banco.enviadas().clear();
    passar(kAna);
    esperarMensagem(
        u"Deverá Aguardar 10 minutos para dar Entrada ou Saida!\r\n\r\n\r\nTempo decorrido: 00:02:10"_s,
        MsgBoxIcon::Information);
    // The list was rebuilt.
    EXPECT_EQ(tela(), u" | travado |    1 - ANA PAULA"_s);
    EXPECT_TRUE(banco.enviadas().contains(u"Select * from funcionarios ORDER BY NOME ASC"_s));
    EXPECT_EQ(pontos(), 1);
}

TEST_F(TerminalTeste, CamposSoDeExibicaoFiltroDoCartaoEDataAMeiaNoite) {
    QTest::keyClicks(cartao(), u"78 91'0"_s);
    EXPECT_EQ(cartao()->text(), u"78910"_s);
    EXPECT_EQ(cartao()->echoMode(), QLineEdit::Password);
    // Clicking elsewhere is a loss of focus like any other: the swipe runs and finds no card.
    terminal->TXTNOME->setFocus();
    Processar();
    QTest::keyClicks(terminal->TXTNOME, u"abc"_s);
    EXPECT_EQ(terminal->TXTNOME->text(), kPasseNovamente);
    // Code 12 is shown right-aligned in four places; a five-digit code whole.
    for (int i = 0; i < 10; ++i)
        banco.funcionario(u"X%1"_s.arg(i), u"9%1"_s.arg(i));
    banco.sql(u"INSERT INTO funcionarios(codigo, nome, registro) VALUES(12345, 'ZECA', '55')"_s);
    banco.ponto(12, u"01/12/2026"_s, u"08:00:00"_s, u"E"_s);
    banco.ponto(12345, u"01/12/2026"_s, u"08:00:00"_s, u"E"_s);
    terminal->VerFuncionariosTrabalhando();
    EXPECT_EQ(tela(), kPasseNovamente + " | travado |   12 - X9 | 12345 - ZECA");

    Clock::set(QDateTime(QDate(2026, 12, 5), QTime(23, 59, 59)));
    QTest::qWait(120);
    Clock::advance(1000);
    QTest::qWait(120);
    EXPECT_EQ(QStringList({terminal->txtData->Text(), terminal->TXTHORA->text()}),
              QStringList({"06/12/2026", "00:00:00"}));
    terminal->Timer2.setInterval(100); // the lock of the swipe that found no card
    passar(kAna);
    EXPECT_EQ(pontos(u"funcionario = 1 and data = #12-06-2026#"_s), 1);
}

TEST_F(TerminalTeste, QuiosqueCaixaFechaSozinhaEEscaneioNelaEhOProximoPasse) {
    janela->AtivarQuiosque();
    ASSERT_TRUE(Ativar(*janela)); // a new frame for the window, as the program shows it in kiosk mode
    Processar();
    ASSERT_TRUE(cartao()->hasFocus());
    QMdiSubWindow* janelaTerminal = terminal->subWindow();
    janelaTerminal->showMinimized();
    Processar();
    EXPECT_FALSE(janelaTerminal->isMinimized()) << "scans must always reach the terminal";
    EXPECT_TRUE(janelaTerminal->windowFlags() & Qt::FramelessWindowHint) << "no title bar to move it by";

    SetMsgBoxResponder({}); // the real boxes, as at the terminal
    banco.ponto(1, u"05/12/2026"_s, u"08:00:00"_s, u"E"_s);
    QString caixa;
    QTimer::singleShot(100, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caixa = box->text();
        QTest::keyClicks(box, kBia);
        QTest::keyClick(box, Qt::Key_Return);
    });
    Escanear(cartao(), kAna);
    EXPECT_TRUE(caixa.startsWith(u"Deverá Aguardar 10 minutos"_s)) << caixa.toStdString();
    EXPECT_EQ(terminal->TXTNOME->text(), u"BEATRIZ - (Registrada ENTRADA!)"_s)
        << "the card scanned into the box was the next swipe";
    EXPECT_EQ(pontos(), 2);

    // Nobody at the terminal: the box goes away by itself after five seconds.
    ASSERT_TRUE(Ativar(*janela)); // the offscreen platform does not give the activation back
    QTest::qWait(2150);
    ASSERT_TRUE(cartao()->hasFocus());
    bool abertaAos4s = false;
    QTimer::singleShot(4500, [&] { abertaAos4s = QApplication::activeModalWidget() != nullptr; });
    QElapsedTimer tempo;
    tempo.start();
    Escanear(cartao(), kAna);
    EXPECT_TRUE(abertaAos4s);
    EXPECT_GE(tempo.elapsed(), 4900);
    EXPECT_FALSE(QApplication::activeModalWidget());
    EXPECT_EQ(pontos(), 2);
}

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
    Escanear(cartao(), kAna);
    EXPECT_GE(espera.elapsed(), frmVelto::kEsperaBanco);
    EXPECT_LT(espera.elapsed(), frmVelto::kEsperaBanco + 3000);
    EXPECT_EQ(horaNaEspera, u"08:02:11"_s);
    EXPECT_TRUE(travadoNaEspera);
    esperarMensagem(NaoRegistrado(u"Banco de dados ocupado por outro programa."_s), MsgBoxIcon::Exclamation);
    EXPECT_EQ(tela(), u" | travado"_s);
    EXPECT_TRUE(cartao()->text().isEmpty());
    trava.reset();
    EXPECT_EQ(pontos(), 0);

    // A lock given back during the wait only delays the scan.
    ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
    trava = std::make_unique<Connection::WriteTransaction>(*outro);
    QTimer::singleShot(700, [&trava] { trava.reset(); });
    espera.restart();
    Escanear(cartao(), kAna);
    EXPECT_GE(espera.elapsed(), 700);
    EXPECT_EQ(tela(), kEntradaAna + " | travado |    1 - ANA PAULA");
    EXPECT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(pontos(), 1);
}

TEST_F(TerminalTeste, DiscoCheioArquivoApagadoOuTrocadoNaoRecebemPontos) {
    terminal->Timer2.setInterval(100);
    biaTrabalhando();
    {
        const DiscoCheio cheio;
        Escanear(cartao(), kAna);
    }
    EXPECT_EQ(ultimaMensagem(), NaoRegistrado(u"Disco cheio."_s));
    EXPECT_EQ(tela(), u" | travado |    2 - BEATRIZ"_s);
    EXPECT_EQ(pontos(), 1);
    passar(kAna);
    EXPECT_EQ(tela(), kEntradaAna + " | travado |    1 - ANA PAULA |    2 - BEATRIZ");

    const QString arquivo = banco.caminhoArquivo(), copia = arquivo + u".copia"_s;
    banco.sql(u"Delete from movimentacao"_s);
    conexaoBanco->ExecuteNative(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    ASSERT_TRUE(QFile::copy(arquivo, copia));
    ASSERT_TRUE(QFile::remove(arquivo));
    const QString naoEncontrado = NaoRegistrado(u"Arquivo do banco de dados não encontrado."_s);
    mensagens.calls.clear();
    passar(kAna);
    passar(kAna);
    EXPECT_EQ(mensagens.texts(), QStringList({naoEncontrado, naoEncontrado}));
    EXPECT_FALSE(QFile::exists(arquivo)) << "opening never creates the file";
    // Back at its path, the file takes the next scan.
    ASSERT_TRUE(QFile::copy(copia, arquivo));
    passar(kAna);
    EXPECT_EQ(terminal->TXTNOME->text(), kEntradaAna);
    EXPECT_EQ(pontos(), 1);
    // Replaced by another file: that scan is refused, the next goes into the new file.
    ASSERT_TRUE(QFile::copy(copia, arquivo + u".nova"_s));
    ASSERT_TRUE(QFile::remove(arquivo));
    ASSERT_TRUE(QFile::rename(arquivo + u".nova"_s, arquivo));
    passar(kBia);
    EXPECT_EQ(ultimaMensagem(), naoEncontrado);
    passar(kBia);
    EXPECT_EQ(terminal->TXTNOME->text(), u"BEATRIZ - (Registrada ENTRADA!)"_s);
    const Recordset novo =
        Connection::Open(kStringConexao)
            ->Execute(
                u"Select count(*) as n, max(funcionario) as f from movimentacao"_s); // the file at the path
    EXPECT_EQ(novo["n"].toString() + ' ' + novo["f"].toString(), u"1 2"_s);
}

TEST_F(TerminalTeste, ErroAoMontarAListaOuAoPassarNaoTerminaOPrograma) {
    biaTrabalhando();
    banco.sql(u"ALTER TABLE funcionarios RENAME TO outros"_s);
    terminal->VerFuncionariosTrabalhando();
    EXPECT_EQ(terminal->List1->count(), 1) << "a failed rebuild leaves the list as it was";
    Escanear(cartao(), kAna);
    EXPECT_EQ(ultimaMensagem(), NaoRegistrado(u"Erro no banco de dados: no such table: funcionarios"_s));
    banco.sql(u"ALTER TABLE outros RENAME TO funcionarios"_s);

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
    passar(kAna);
    EXPECT_EQ(ultimaMensagem(), NaoRegistrado(u"Arquivo do banco de dados não encontrado."_s));
}

TEST(TerminalInicio, ArquivoVazioRecusadoAoAbrirOPrograma) {
    BancoTeste banco;
    conexaoBanco.reset();
    ASSERT_TRUE(QFile::resize(banco.caminhoArquivo(), 0));
    EXPECT_THROW(MDIVelto{}, DatabaseError); // its message is the driver's
}
