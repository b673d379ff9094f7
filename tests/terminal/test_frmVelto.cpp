#include "Clock.h"
#include "DatabaseError.h"
#include "DiscoCheio.h"
#include "Esquema.h"
#include "MDIVelto.h"
#include "MaskedEdit.h"
#include "Pendentes.h"
#include "RegistrarPonto.h"
#include "TelaTeste.h"
#include "VersaoEsquema.h"
#include "frmVelto.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kAna = u"7891000079195"_s, kBia = u"7891000158388"_s;
const QString kEntradaAna = u"ANA PAULA - (Registrada ENTRADA!)"_s;
const QString kPasseNovamente = u"ATENÇÃO >>> Passe novamente o Cartao!"_s;

QString NaoRegistrado(const QString& motivo) {
    return "PONTO NÃO REGISTRADO!\r\n\r\n" + motivo + "\r\nPasse o cartão novamente.";
}

void Montar(BancoTeste& banco) {
    banco.funcionario(u"ANA PAULA"_s, kAna);
    banco.funcionario(u"BEATRIZ"_s, kBia);
}

class TerminalTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::set(QDateTime(QDate(2026, 12, 5), QTime(8, 2, 10)));
        janela = std::make_unique<MDIVelto>();
        ASSERT_TRUE(Ativar(*janela));
        ASSERT_TRUE(terminal = janela->area()->findChild<frmVelto*>());
        Processar();
    }
    void TearDown() override {
        janela.reset();
        Clock::set({});
    }
    QLineEdit* cartao() { return terminal->TxtFUNCIONARIO; }
    // What the terminal shows: the name line, whether the card field takes a scan, the list.
    QString tela() {
        const QString campo = cartao()->isEnabled() ? u"livre"_s : u"travado"_s;
        return (QStringList{terminal->TXTNOME->text(), campo} + Itens(terminal->List1)).join(u" | ");
    }
    void passar(const QString& codigo) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
        Escanear(cartao(), codigo);
    }
    QString ultimaMensagem() const { return mensagens.texts().value(mensagens.calls.size() - 1); }
    void biaTrabalhando() {
        banco.ponto(2, u"04/12/2026"_s, u"22:00:00"_s, u"E"_s);
        terminal->VerFuncionariosTrabalhando();
    }

    BancoTeste banco{u"terminal"_s, Montar};
    MsgBoxRecorder mensagens;
    std::unique_ptr<MDIVelto> janela;
    frmVelto* terminal = nullptr;
};

// A server of the test's own, for drills that restart or freeze it (beside the shared one only).
struct ServidorProprio {
    ServidorProprio() {
        if (!BancoTeste::noServidor())
            return;
        pasta = QDir::temp().filePath(u"velto-pg-%1"_s.arg(QCoreApplication::applicationPid()));
        anterior = qgetenv("VELTO_TESTE_PG");
        // Durable, as an office's server: a crash keeps every commit it confirmed.
        qputenv("SERVIDOR_PG_DURAVEL", "1");
        EXPECT_EQ(QProcess::execute(QStringLiteral(SERVIDOR_PG), {u"iniciar"_s, pasta}), 0);
        qunsetenv("SERVIDOR_PG_DURAVEL");
        qputenv("VELTO_TESTE_PG", pasta.toUtf8());
    }
    ~ServidorProprio() {
        if (pasta.isEmpty())
            return;
        QProcess::execute(QStringLiteral(SERVIDOR_PG), {u"parar"_s, pasta});
        qputenv("VELTO_TESTE_PG", anterior);
    }
    // The postmaster and its children stopped or let go on.
    void sinal(int qual) const {
        QFile pid(QFileInfo(pasta).symLinkTarget() + u"/dados/postmaster.pid"_s);
        ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
        const QByteArray mestre = pid.readLine().trimmed();
        ASSERT_EQ(
            QProcess::execute(u"sh"_s, {u"-c"_s, u"kill -%1 %2 $(pgrep -P %2)"_s.arg(qual).arg(mestre)}), 0);
    }
    QString pasta;
    QByteArray anterior;
};

class ServidorDaPorta : public ServidorProprio, public TerminalTeste {};

ResultadoPonto Passar(const QString& cartao, const QString& hora, const QDate& dia = QDate(2026, 12, 5)) {
    return RegistrarPonto(cartao, dia, QTime::fromString(hora, u"hh:mm:ss"_s), dia.toString(u"dd/MM/yyyy"_s),
                          hora);
}

// The maintained counts of each employee answer as the literal statements count the rows.
void ConferirContagens(const QList<qint64>& funcionarios) {
    for (const qint64 numero : funcionarios) {
        for (const QString& tipo : {u"E"_s, u"S"_s}) {
            const qint64 mantida = ContarPontos(QString::number(numero), tipo);
            conexaoBanco->setRewritesEnabled(false);
            EXPECT_EQ(mantida, ContarPontos(QString::number(numero), tipo)) << numero << tipo.toStdString();
            conexaoBanco->setRewritesEnabled(true);
        }
    }
}

// The drills' terminal, in a process of its own. With VELTO_TERMINAL_FILHO ("day cards...": the
// day after 01/01/2026) it scans its cards itself, eleven minutes apart; otherwise each "instant
// card start" line read is one scan at that instant, typed when the steady clock reaches `start`
// (ns). It prints "PRONTO" once the screen is up, then each outcome as "R|employee|date|time|ms"
// or "M|ms|message" (the message's lines joined by \x1f).
int TerminalDosSimulados() {
    int argc = 1;
    char nome[] = "terminal";
    char* argv[] = {nome, nullptr};
    QApplication app(argc, argv);
    QStringList cartoes = qEnvironmentVariable("VELTO_TERMINAL_FILHO").split(u' ', Qt::SkipEmptyParts);
    if (!cartoes.isEmpty())
        Clock::set(QDateTime(QDate(2026, 1, 1).addDays(cartoes.takeFirst().toInt()), QTime(6, 0, 0)));
    QElapsedTimer passada;
    // Straight to the pipe, in one write: what was acknowledged is out before anything else.
    const auto escrever = [&](const QString& linha) {
        const QByteArray bytes = (linha + u'\n').toUtf8();
        if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) != bytes.size())
            std::_Exit(5);
    };
    SetMsgBoxResponder([&](const MsgBoxCall& m) {
        escrever(u"M|%1|%2"_s.arg(passada.elapsed()).arg(QString(m.text).replace(u"\r\n"_s, u"\x1f"_s)));
        return MsgBoxResult::Ok;
    });
    MDIVelto janela;
    if (!Ativar(janela))
        return 4;
    frmVelto* terminal = janela.area()->findChild<frmVelto*>();
    terminal->Timer2.setInterval(10); // the two-second lock only slows the drills down
    QObject::connect(terminal->TXTNOME, &QLineEdit::textChanged, [&](const QString& texto) {
        if (texto.contains(QLatin1String("Registrada")))
            escrever(u"R|%1|%2|%3|%4"_s
                         .arg(terminal->lblcodigo, terminal->txtData->Text(), terminal->TXTHORA->text())
                         .arg(passada.elapsed()));
    });
    escrever(u"PRONTO"_s);
    int proxima = 0;
    QByteArray linha;
    QTimer ordens;
    QObject::connect(&ordens, &QTimer::timeout, [&] {
        if (!terminal->TxtFUNCIONARIO->isEnabled() || !terminal->TxtFUNCIONARIO->hasFocus() ||
            terminal->RegistroEmAndamento())
            return;
        QString cartao;
        if (!cartoes.isEmpty()) {
            Clock::advance(11 * 60 * 1000);
            cartao = cartoes.at(proxima++ % cartoes.size());
        } else {
            pollfd entrada{STDIN_FILENO, POLLIN, 0};
            char c = 0;
            while (::poll(&entrada, 1, 0) > 0 && ::read(STDIN_FILENO, &c, 1) == 1 && c != '\n')
                linha += c;
            if (c != '\n')
                return;
            const QStringList partes = QString::fromUtf8(std::exchange(linha, {})).split(u' ');
            Clock::set(QDateTime::fromString(partes[0], Qt::ISODate));
            cartao = partes[1];
            // Both terminals scan at one moment of the machine's clock too.
            while (QDeadlineTimer::current().deadlineNSecs() < partes[2].toLongLong()) {
            }
        }
        passada.start();
        QTest::keyClicks(terminal->TxtFUNCIONARIO, cartao);
        QTest::keyClick(terminal->TxtFUNCIONARIO, Qt::Key_Return);
    });
    ordens.start(1);
    return app.exec();
}
[[maybe_unused]] const bool kTerminal = (qEnvironmentVariableIsSet("VELTO_TERMINAL_ORDENS") ||
                                         qEnvironmentVariableIsSet("VELTO_TERMINAL_FILHO")) &&
                                        (std::exit(TerminalDosSimulados()), true);

} // namespace

TEST_F(TerminalTeste, EscaneioRegistraEntradaTravaEDepoisSaida) {
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
    // A second scan while locked reaches nothing; eleven minutes later the same card is her exit.
    QTest::keyClicks(cartao(), kBia);
    EXPECT_TRUE(cartao()->text().isEmpty());
    Clock::advance(11 * 60 * 1000);
    banco.enviadas().clear();
    passar(kAna);
    EXPECT_EQ(tela(), u"ANA PAULA - (Registrada SAIDA!) | travado"_s);
    EXPECT_EQ(banco.enviadas().value(2),
              u"Select max(codigo) as s from movimentacao where  funcionario  = 1"_s);
    EXPECT_TRUE(banco.enviadas().value(3).startsWith(
        u"Select data,hora,EntradaSaida from movimentacao where  codigo  = "_s));
}

TEST_F(TerminalTeste, CartaoNaoEncontradoCedoDemaisFiltroDoCartaoEDataAMeiaNoite) {
    terminal->Timer2.setInterval(100);
    biaTrabalhando();
    banco.sql(u"Delete from movimentacao"_s);
    Escanear(cartao(), u"12 34'5"_s);
    EXPECT_EQ(tela(), kPasseNovamente + " | travado |    2 - BEATRIZ") << "the list is not rebuilt";

    banco.ponto(1, u"05/12/2026"_s, u"08:00:00"_s, u"E"_s);
    banco.enviadas().clear();
    passar(kAna);
    EXPECT_EQ(
        mensagens.texts(),
        QStringList{
            u"Deverá Aguardar 10 minutos para dar Entrada ou Saida!\r\n\r\n\r\nTempo decorrido: 00:02:10"_s});
    EXPECT_EQ(tela(), u" | travado |    1 - ANA PAULA"_s);
    EXPECT_TRUE(banco.enviadas().contains(u"Select * from funcionarios ORDER BY NOME ASC"_s));

    ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
    QTest::keyClicks(cartao(), u"78 91'0"_s);
    EXPECT_EQ(cartao()->text(), u"78910"_s);
    // Clicking elsewhere is a loss of focus like any other: the swipe runs and finds no card.
    terminal->TXTNOME->setFocus();
    Processar();
    QTest::keyClicks(terminal->TXTNOME, u"abc"_s);
    EXPECT_EQ(terminal->TXTNOME->text(), kPasseNovamente);
    // Code 12 is shown right-aligned in four places; a five-digit code whole.
    for (const int codigo : {12, 12345}) {
        banco.sql(u"INSERT INTO funcionarios(codigo, nome, registro) VALUES(%1, 'Z%1', '%1')"_s.arg(codigo));
        banco.ponto(codigo, u"01/12/2026"_s, u"08:00:00"_s, u"E"_s);
    }
    terminal->VerFuncionariosTrabalhando();
    EXPECT_EQ(tela(), kPasseNovamente + " | travado |    1 - ANA PAULA |   12 - Z12 | 12345 - Z12345");

    Clock::set(QDateTime(QDate(2026, 12, 6), QTime(0, 0, 0)));
    QTest::qWait(120);
    EXPECT_EQ(QStringList({terminal->txtData->Text(), terminal->TXTHORA->text()}),
              QStringList({"06/12/2026", "00:00:00"}));
    passar(kAna);
    EXPECT_EQ(banco.linhas(u"Select data, EntradaSaida from movimentacao where funcionario = 1"_s),
              QStringList({"05/12/2026|E", "06/12/2026|S"}));
}

TEST_F(TerminalTeste, QuiosqueCaixaFechaSozinhaEEscaneioNelaEhOProximoPasse) {
    janela->AtivarQuiosque();
    ASSERT_TRUE(Ativar(*janela)); // a new frame for the window, as the program shows it in kiosk mode
    terminal->subWindow()->showMinimized();
    Processar();
    EXPECT_FALSE(terminal->subWindow()->isMinimized()) << "scans must always reach the terminal";

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

    // Nobody at the terminal: the box stays a while, then goes away by itself.
    ASSERT_TRUE(Ativar(*janela)); // the offscreen platform does not give the activation back
    caixa.clear();
    QTimer::singleShot(
        4500, [&] { caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->text(); });
    passar(kAna);
    EXPECT_TRUE(caixa.startsWith(u"Deverá Aguardar 10 minutos"_s)) << caixa.toStdString();
}

TEST_F(TerminalTeste, BancoOcupadoEsperaComORelogioAndandoEDepoisAvisa) {
    const auto outro = Connection::Open(kStringConexao);
    auto trava = std::make_unique<Connection::WriteTransaction>(*outro);
    outro->LockRow(u"funcionarios"_s, 1);
    QString horaNaEspera;
    QTimer::singleShot(1000, [] { Clock::advance(1000); });
    QTimer::singleShot(1500, [&] { horaNaEspera = terminal->TXTHORA->text(); });
    Escanear(cartao(), kAna);
    EXPECT_EQ(horaNaEspera, u"08:02:11"_s);
    EXPECT_EQ(mensagens.texts(), QStringList{NaoRegistrado(u"Banco de dados ocupado por outro programa."_s)});
    EXPECT_EQ(mensagens.calls.value(0).title, u"sis-velto"_s);
    EXPECT_EQ(tela(), u" | travado"_s);
    trava.reset();

    // A lock given back during the wait only delays the scan.
    ASSERT_TRUE(QTest::qWaitFor([this] { return cartao()->isEnabled(); }, 3000));
    trava = std::make_unique<Connection::WriteTransaction>(*outro);
    outro->LockRow(u"funcionarios"_s, 1);
    QTimer::singleShot(700, [&trava] { trava.reset(); });
    Escanear(cartao(), kAna);
    EXPECT_EQ(tela(), kEntradaAna + " | travado |    1 - ANA PAULA");
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
    // Replaced (by a file made first, not reusing the inode): refused once, then the new file.
    ASSERT_TRUE(QFile::copy(copia, arquivo + u".nova"_s) && QFile::remove(arquivo));
    ASSERT_TRUE(QFile::rename(arquivo + u".nova"_s, arquivo));
    passar(kBia);
    EXPECT_EQ(ultimaMensagem(), naoEncontrado);
    passar(kBia);
    EXPECT_EQ(terminal->TXTNOME->text(), u"BEATRIZ - (Registrada ENTRADA!)"_s);
    // Its one row; the replaced file holds ANA's as well.
    EXPECT_EQ(banco.linhas(u"Select funcionario from movimentacao"_s), QStringList{"2"});
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
    QEventLoop laco; // the program running
    QTimer::singleShot(0, janela->mnures, &QAction::trigger);
    QTimer::singleShot(50, &laco, &QEventLoop::quit);
    laco.exec();
    ASSERT_TRUE(terminal = janela->area()->findChild<frmVelto*>());
    ASSERT_TRUE(Ativar(*janela));
    passar(kAna);
    EXPECT_EQ(ultimaMensagem(), NaoRegistrado(u"Arquivo do banco de dados não encontrado."_s));
}

// Another program's punch shows in the list within two seconds, also after the server restarted
// while the terminal was idle; the terminal registers again without a restart.
TEST_F(ServidorDaPorta, PontoDeOutroProgramaNaListaAntesEDepoisDeReiniciarOServidor) {
    const auto outro = Connection::Open(kStringConexao);
    outro->Execute(
        u"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('05/12/2026',"
        u"'08:00:00', 'E', 2, 'M' )"_s);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Itens(terminal->List1) == QStringList{u"   2 - BEATRIZ"_s}; }, 2000));
    if (pasta.isEmpty())
        return; // the file: no server to restart
    ASSERT_EQ(QProcess::execute(QStringLiteral(SERVIDOR_PG), {u"reiniciar"_s, pasta}), 0);
    // An idle terminal connects again by itself and follows the others' changes again.
    Connection::Open(kStringConexao)->Execute(u"Delete from movimentacao where funcionario = 2"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Itens(terminal->List1).isEmpty(); }, 2000));
    passar(kAna);
    EXPECT_EQ(terminal->TXTNOME->text(), kEntradaAna) << ultimaMensagem().toStdString();
    EXPECT_EQ(banco.linhas(u"Select funcionario, entradaSaida from movimentacao"_s), QStringList{u"1|E"_s});
}

// Two terminals, one clock: 40 scans on one alone, then 480 instants at which both scan (half of
// them the same card). Every scan has one outcome, the registered ones are exactly the rows, and
// each employee's rows alternate E and S, never two of a day ten minutes or less apart. On a
// server, two PCs: it is restarted at instant 200 and frozen for 15 s at 300 while both scan; no
// scan waits more than ten seconds, each refused one is in its PC's pendentes.csv, and both
// terminals register again.
TEST(VariosTerminais, MilPassadasEmDoisTerminaisUmaDecisaoPorCartao) {
    ServidorProprio servidor;
    BancoTeste banco;
    QStringList cartoes;
    for (int i = 1; i <= 20; ++i) {
        cartoes << u"7892000%1"_s.arg(i, 6, 10, QLatin1Char('0'));
        banco.funcionario(u"F%1"_s.arg(i), cartoes.last());
    }
    conexaoBanco.reset();
    const unsigned semente = std::random_device{}();
    SCOPED_TRACE("semente " + std::to_string(semente));
    std::mt19937 sorte(semente);
    QProcess terminais[2];
    const QString raiz = qEnvironmentVariable("VELTO_DRIVE_ROOT");
    const auto pc = [&](int t) {
        return servidor.pasta.isEmpty() ? raiz : raiz + u"/pc"_s + QString::number(t);
    };
    for (int t = 0; t < 2; ++t) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"VELTO_TERMINAL_ORDENS"_s, u"1"_s);
        ambiente.insert(u"VELTO_DRIVE_ROOT"_s, pc(t));
        terminais[t].setProcessEnvironment(ambiente);
        terminais[t].start(QCoreApplication::applicationFilePath(), {});
    }
    QStringList registrados, recusados[2];
    QList<int> sozinho, juntos;
    int ultimoRegistro[2] = {-1, -1}, foraAte = -1, maisDemorada = 0;
    QDateTime instante(QDate(2026, 3, 2), QTime(6, 0, 0));
    const auto resposta = [&](int t, const QString& cartao, int passo) {
        QString linha;
        do {
            while (!terminais[t].canReadLine() && terminais[t].waitForReadyRead(30000)) {
            }
            linha = QString::fromUtf8(terminais[t].readLine()).trimmed();
        } while (linha == u"PRONTO"_s);
        const QStringList campos = linha.split(u'|');
        const bool registrado = campos.value(0) == u"R"_s;
        const QString mensagem = QString(campos.value(2)).replace(u"\x1f"_s, u"\r\n"_s);
        const bool recusado = mensagem == NaoRegistrado(u"Servidor do banco de dados fora do alcance."_s);
        if (registrado) {
            registrados << campos.mid(1, 3).join(u'|');
            ultimoRegistro[t] = passo;
        } else if (recusado) {
            recusados[t] << QStringList{cartao, instante.toString(u"dd/MM/yyyy|hh:mm:ss"_s)}.join(u'|');
        }
        EXPECT_TRUE(registrado || mensagem.startsWith(u"Deverá Aguardar"_s) || (recusado && passo <= foraAte))
            << passo << ' ' << campos.join(u'|').toStdString();
        const int ms = campos.value(registrado ? 4 : 1).toInt();
        maisDemorada = std::max(maisDemorada, ms);
        return ms;
    };
    QProcess reinicio;
    QElapsedTimer congelado;
    for (int passo = 0; passo < 520 && !HasFailure(); ++passo) {
        if (reinicio.state() != QProcess::NotRunning || congelado.isValid())
            foraAte = passo + 2; // the scans sent meanwhile, and the next ones, may find it away
        if (congelado.isValid() && congelado.elapsed() >= 15000) {
            servidor.sinal(SIGCONT);
            congelado.invalidate();
        }
        instante = instante.addSecs(std::uniform_int_distribution(0, 240)(sorte));
        const QString a = cartoes[std::uniform_int_distribution(0, 19)(sorte)];
        const QString cartao[2] = {a, std::bernoulli_distribution(0.5)(sorte)
                                          ? a
                                          : cartoes[std::uniform_int_distribution(0, 19)(sorte)]};
        const int quantos = passo < 40 ? 1 : 2;
        // Out to both at once (QProcess keeps what it writes until asked), to be typed at one moment.
        const qint64 marco = QDeadlineTimer::current().deadlineNSecs() + 30000000;
        for (int t = 0; t < quantos; ++t) {
            terminais[t].write(
                u"%1 %2 %3\n"_s.arg(instante.toString(Qt::ISODate), cartao[t]).arg(marco).toUtf8());
            terminais[t].waitForBytesWritten(1000);
        }
        if (!servidor.pasta.isEmpty() && passo == 200) {
            reinicio.start(QStringLiteral(SERVIDOR_PG), {u"reiniciar"_s, servidor.pasta});
            foraAte = passo + 2;
        }
        if (!servidor.pasta.isEmpty() && passo == 300) {
            ASSERT_TRUE(reinicio.waitForFinished(30000));
            servidor.sinal(SIGSTOP);
            congelado.start();
            foraAte = passo + 2;
        }
        for (int t = 0; t < quantos; ++t) {
            const int ms = resposta(t, cartao[t], passo);
            if (passo > foraAte + 5)
                (quantos == 1 ? sozinho : juntos) << ms;
        }
    }
    for (QProcess& t : terminais) {
        t.kill();
        t.waitForFinished(10000);
    }
    reinicio.waitForFinished(30000);
    if (congelado.isValid())
        servidor.sinal(SIGCONT);
    AbrirConexao();
    QStringList gravados = banco.linhas(u"Select funcionario, data, hora from movimentacao"_s);
    QStringList guardados[2]; // the refused scans as each PC kept them
    for (int t = 0; t < 2; ++t) {
        qputenv("VELTO_DRIVE_ROOT", pc(t).toUtf8());
        for (const Pendente& p : LerPendentes())
            guardados[t] << QStringList{p.cartao, p.data, p.hora}.join(u'|');
        EXPECT_EQ(guardados[t], recusados[t]) << "terminal " << t;
        EXPECT_GT(ultimoRegistro[t], foraAte) << "terminal " << t << " registers again";
    }
    qputenv("VELTO_DRIVE_ROOT", raiz.toUtf8());
    // A scan refused while its commit went unconfirmed may be stored: never one acknowledged and lost.
    QStringList talvez;
    for (const QString& r : recusados[0] + recusados[1])
        talvez << QString::number(cartoes.indexOf(r.section(u'|', 0, 0)) + 1) + u'|' + r.section(u'|', 1);
    for (const QString& linha : std::as_const(gravados)) {
        EXPECT_TRUE(registrados.contains(linha) || talvez.contains(linha)) << linha.toStdString();
    }
    for (const QString& linha : std::as_const(registrados))
        EXPECT_TRUE(gravados.contains(linha)) << "acknowledged scan lost: " << linha.toStdString();
    EXPECT_EQ(gravados.removeDuplicates(), 0);
    QHash<QString, QStringList> ultimo; // employee: type, date, time of his last row
    for (const QString& linha :
         banco.linhas(u"Select funcionario, entradaSaida, data, hora from movimentacao order by codigo"_s)) {
        const QStringList c = linha.split(u'|');
        const QStringList antes = ultimo.value(c[0]);
        EXPECT_EQ(c[1], antes.isEmpty() || antes[0] == u"S"_s ? u"E"_s : u"S"_s) << linha.toStdString();
        if (!antes.isEmpty() && antes[1] == c[2]) {
            EXPECT_GT(QTime::fromString(antes[2]).secsTo(QTime::fromString(c[3])), 600)
                << linha.toStdString();
        }
        ultimo[c[0]] = c.mid(1);
    }
    std::sort(sozinho.begin(), sozinho.end());
    std::sort(juntos.begin(), juntos.end());
    const int mediana = sozinho.value(sozinho.size() / 2);
    std::printf("dois terminais: %d passadas, %lld registradas, %lld gravadas, %lld recusadas; mediana "
                "sozinho %d ms, juntos: mediana %d ms, p95 %d ms, maior %d ms; a mais demorada %d ms\n",
                40 + 2 * 480, qint64(registrados.size()), qint64(gravados.size()),
                qint64(recusados[0].size() + recusados[1].size()), mediana, juntos.value(juntos.size() / 2),
                juntos.value(juntos.size() * 95 / 100), juntos.value(juntos.size() - 1), maisDemorada);
    EXPECT_LE(maisDemorada, 10000) << "no scan waits more than ten seconds";
    // Two terminals on a server do not wait for each other: the usual swipe stays within twice a
    // lone one's (the slowest ones, printed above, depend on what else the machine runs). On one
    // file, the engine lets one writer in at a time.
    if (!servidor.pasta.isEmpty()) {
        EXPECT_LE(juntos.value(juntos.size() / 2), 2 * mediana + 2);
    }
}

TEST(TerminalInicio, ArquivoVazioRecusadoAoAbrirOPrograma) {
    BancoTeste banco;
    conexaoBanco.reset();
    ASSERT_TRUE(QFile::resize(banco.caminhoArquivo(), 0));
    EXPECT_THROW(MDIVelto{}, DatabaseError); // its message is the driver's
}

// A server out of reach at start ends the program, but a kiosk's terminal stays up and
// connects once it can.
TEST(TerminalInicio, ServidorForaDoAlcanceSoOQuiosqueEsperaEConectaDepois) {
    BancoTeste banco;
    conexaoBanco.reset();
    const QByteArray configurado = qgetenv("VELTO_BANCO");
    qputenv("VELTO_BANCO", "host=/nao/existe dbname=ponto");
    try {
        MDIVelto janela;
        ADD_FAILURE() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::Cause::Unreachable);
        EXPECT_TRUE(e.message().startsWith(
            u"Não foi possível conectar ao banco de dados ponto no servidor /nao/existe."_s))
            << e.message().toStdString();
    }
    frmVelto terminal(true);
    EXPECT_EQ(terminal.TXTNOME->text(), u"Servidor do banco de dados fora do alcance."_s);
    qputenv("VELTO_BANCO", configurado);
    terminal.Reconectar.setInterval(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return terminal.TXTNOME->text().isEmpty() && conexaoBanco; }, 3000));
}

// Ten minutes from today's last posted punch (a clock set back is refused too); one more entry
// than exits over the whole history makes the exit; the period is the shown hour's.
TEST(RegistrarPonto, EntradaOuSaidaDezMinutosEPeriodo) {
    // Each pass: the day of December and the time, then what was registered and its period, or
    // "cedo" and the time elapsed.
    const struct {
        QStringList antes, passes;
    } casos[] = {
        {{},
         {"5 08:00:00 E M", "5 08:10:00 cedo 00:10:00", "5 08:10:01 S M", "5 08:15:00 cedo 00:04:59",
          "5 07:00:00 cedo -01:10:01"}},
        {{"04/12/2026 23:58:00 E M"}, {"5 00:01:00 S M"}},
        {{"01/12/2026 08:00:00 S M", "01/12/2026 12:00:00 S M", "01/12/2026 13:00:00 E M"},
         {"5 09:00:00 E M", "5 10:00:00 E M", "5 11:00:00 S M"}},
        {{}, {"6 00:15:00 E M", "7 12:30:00 S M", "8 12:59:59 E M", "9 13:00:00 S T", "10 23:59:59 E T"}},
        {{"05/12/2026 11:00:00 E M", "05/12/2026 08:00:00 S 1"},
         {"5 08:05:00 cedo 00:05:00", "5 11:05:00 E M"}}};
    for (const auto& c : casos) {
        BancoTeste caso(u"terminal"_s, Montar);
        for (const QString& ponto : c.antes) {
            const QStringList p = ponto.split(u' ');
            caso.ponto(1, p[0], p[1], p[2], p[3]);
        }
        qint64 pontos = c.antes.size();
        for (const QString& passe : c.passes) {
            SCOPED_TRACE((c.antes.join(u',') + " " + passe).toStdString());
            const QStringList p = passe.split(u' ');
            const ResultadoPonto r = Passar(kAna, p[1], QDate(2026, 12, p[0].toInt()));
            QString resumo = u"?"_s;
            if (r.tipo == ResultadoPonto::Tipo::CedoDemais)
                resumo = "cedo " + r.decorrido;
            else if (r.tipo == ResultadoPonto::Tipo::Registrado)
                resumo = r.entradaSaida + " " +
                         caso.sql(u"Select periodo from movimentacao order by codigo desc"_s)["periodo"]
                             .toString();
            EXPECT_EQ(resumo, p.mid(2).join(u' '));
            pontos += resumo.size() == 3; // registered
            EXPECT_EQ(caso.contar(u"movimentacao"_s), pontos);
        }
    }
    // The card's spaces and apostrophes drop; no card, nobody's or a quote registers nothing.
    BancoTeste cartoes(u"terminal"_s, Montar);
    EXPECT_EQ(Passar(u" 7891'000 079195'"_s, u"08:00:00"_s).entradaSaida, u"E"_s);
    for (const QString& cartao : {u"0000000000000"_s, QString(), u"x' or '1'='1"_s})
        EXPECT_EQ(Passar(cartao, u"09:00:00"_s).tipo, ResultadoPonto::Tipo::CartaoNaoEncontrado);
    EXPECT_EQ(cartoes.contar(u"movimentacao"_s), 1);
    EXPECT_EQ(MensagemPontoNaoRegistrado(DatabaseError(u"x"_s, DatabaseError::Cause::ReadOnly, u"y"_s)),
              u"PONTO NÃO REGISTRADO!\r\n\r\nSem permissão para gravar no "
              u"banco de dados.\r\nPasse o cartão novamente."_s);
}

// A file with the five tables alone is brought up to date on opening; who was at work leaves.
TEST(ArquivoAntigo, AbertoEAtualizadoRegistraASaidaDeQuemEstaTrabalhando) {
    BancoTeste banco;
    conexaoBanco.reset();
    ASSERT_TRUE(QFile::remove(banco.caminhoArquivo()));
    {
        auto antigo = Connection::Create(kStringConexao);
        CriarEsquema(*antigo, u"x"_s);
        antigo->ExecuteNative(u"INSERT INTO funcionarios(nome, registro) VALUES('ANA', '7891000079195'), "
                              u"('BETO', '7891000158388')"_s);
        for (const char* ponto : {"'E', 1", "'S', 1", "'E', 1", "'e', 2"})
            antigo->Execute(u"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                            u"values('04/12/2026','08:00:00', %1, 'M' )"_s.arg(QLatin1String(ponto)));
    }
    AbrirConexao();
    EXPECT_EQ(VersaoEsquema(*conexaoBanco), VersaoAtualEsquema());
    ConferirContagens({1, 2});
    EXPECT_EQ(Passar(kAna, u"17:00:00"_s).entradaSaida, u"S"_s);
    EXPECT_EQ(Passar(u"7891000158388"_s, u"17:00:00"_s).entradaSaida, u"S"_s);
}

// Another program's swipe of the card while this one is between counts and insert waits, then finds it.
TEST(RegistrarPonto, DoisProgramasComOMesmoCartaoNoMesmoInstanteRegistramUmaVez) {
    BancoTeste banco(u"terminal"_s, Montar);
    int sinal[2];
    ASSERT_EQ(::pipe(sinal), 0);
    const pid_t outro = ::fork();
    ASSERT_GE(outro, 0);
    if (outro == 0) {
        ::close(sinal[1]);
        (void)conexaoBanco.release(); // the parent's, not this process's to close
        try {
            AbrirConexao();
            char c;
            ::_exit(::read(sinal[0], &c, 1) != 1 ? 10 : static_cast<int>(Passar(kAna, u"08:02:10"_s).tipo));
        } catch (...) {
            ::_exit(11);
        }
    }
    ::close(sinal[0]);
    conexaoBanco->setObserver([&sinal](const QString& sql) {
        if (sql.startsWith(QLatin1String("Select count(EntradaSaida)")) &&
            sql.contains(QLatin1String("'S'"))) {
            EXPECT_EQ(::write(sinal[1], "x", 1), 1);
            QThread::msleep(500);
        }
    });
    EXPECT_EQ(Passar(kAna, u"08:02:10"_s).tipo, ResultadoPonto::Tipo::Registrado);
    ::close(sinal[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(outro, &status, 0), outro);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ResultadoPonto::Tipo::CedoDemais));
    EXPECT_EQ(banco.contar(u"movimentacao"_s), 1);
}

// The real terminal in a child process (on a server two of them, three cards each: a file has one
// program), killed with SIGKILL while opening the database or up to 1.5 s into its scans: every
// scan acknowledged is stored, once.
TEST(SimuladoDeQueda, NenhumPontoReconhecidoSePerdeComKill9) {
    constexpr int kCiclos = 40;
    BancoTeste banco;
    QStringList cartoes;
    for (int i = 1; i <= 6; ++i) {
        cartoes << u"7891000%1"_s.arg(i, 6, 10, QLatin1Char('0'));
        banco.funcionario(u"FUNCIONARIO %1"_s.arg(i), cartoes.last()); // codigo i
    }
    conexaoBanco.reset();
    const unsigned semente = std::random_device{}();
    SCOPED_TRACE("semente " + std::to_string(semente));
    std::mt19937 sorte(semente);
    QStringList reconhecidos;
    for (int ciclo = 0; ciclo < kCiclos && !HasFailure(); ++ciclo) {
        const int terminais = BancoTeste::noServidor() ? 2 : 1;
        QProcess filhos[2];
        QByteArray saidas[2];
        for (int t = 0; t < terminais; ++t) {
            qputenv("VELTO_TERMINAL_FILHO",
                    (QString::number(ciclo) + ' ' + cartoes.mid(6 / terminais * t, 6 / terminais).join(' '))
                        .toUtf8());
            filhos[t].start(QCoreApplication::applicationFilePath(), {});
            EXPECT_TRUE(filhos[t].waitForStarted(10000));
        }
        qunsetenv("VELTO_TERMINAL_FILHO");
        if (!std::bernoulli_distribution(0.15)(sorte)) {
            for (int t = 0; t < terminais; ++t) {
                while (!saidas[t].contains("PRONTO\n") && filhos[t].waitForReadyRead(30000))
                    saidas[t] += filhos[t].readAllStandardOutput();
                EXPECT_TRUE(saidas[t].contains("PRONTO\n")) << filhos[t].readAllStandardError().toStdString();
            }
        }
        QThread::msleep(std::uniform_int_distribution(0, 1500)(sorte));
        for (QProcess& filho : filhos) {
            if (filho.processId() > 0) // 0 would be this whole process group
                ::kill(pid_t(filho.processId()), SIGKILL);
        }
        for (int t = 0; t < terminais; ++t) {
            EXPECT_TRUE(filhos[t].waitForFinished(10000));
            EXPECT_EQ(filhos[t].exitStatus(), QProcess::CrashExit)
                << "the terminal ended by itself: " << filhos[t].readAllStandardError().toStdString();
            for (const QString& linha : QString::fromUtf8(saidas[t] + filhos[t].readAllStandardOutput())
                                            .split(u'\n', Qt::SkipEmptyParts)) {
                EXPECT_TRUE(linha == u"PRONTO"_s || linha.startsWith(u"R|"_s)) << linha.toStdString();
                if (linha.startsWith(u"R|"_s)) // every scan registers: a message is a fault
                    reconhecidos << linha.section(u'|', 1, 3);
            }
        }
    }

    AbrirConexao(); // after the last kill: the engine recovers what its journal holds
    EXPECT_TRUE(conexaoBanco->IntegrityCheck().isEmpty());
    QStringList gravados = banco.linhas(u"Select funcionario, data, hora from movimentacao"_s);
    std::printf("queda: %d ciclos, %lld reconhecidos, %lld gravados\n", kCiclos, qint64(reconhecidos.size()),
                qint64(gravados.size()));
    EXPECT_EQ(gravados.removeDuplicates(), 0) << "no scan is written twice";
    for (const QString& linha : std::as_const(reconhecidos))
        EXPECT_TRUE(gravados.contains(linha)) << "acknowledged scan lost: " << linha.toStdString();
    ConferirContagens({1, 2, 3, 4, 5, 6}); // each punch went with its counts, never half of it
    EXPECT_GE(reconhecidos.size(), kCiclos) << "too few scans for the drill to mean anything";
}
