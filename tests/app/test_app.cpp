#include "BancoTeste.h"
#include "ChildScreen.h"
#include "DatabaseError.h"
#include "InstanceLock.h"
#include "MsgBox.h"
#include "Processo.h"
#include "UmaCopia.h"
#include "VeltoApplication.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtCore/qtestsupport_core.h>
#include <cstdio>
#include <gtest/gtest.h>

TEST(Programa, ErroDoBancoNaoTratadoMostraAMensagemETerminaComFalha) {
    EXPECT_EXIT(
        {
            // The fatal message goes to stderr instead of a window, for the death test to read.
            SetMsgBoxResponder([](const MsgBoxCall& m) {
                std::fprintf(stderr, "[%s] %s\n", qPrintable(m.title), qPrintable(m.text));
                return MsgBoxResult::Ok;
            });
            QTimer::singleShot(0, qApp, [] { throw DatabaseError(u"no such table: funcionarios"_s); });
            qApp->exec();
            std::exit(0);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "\\[Velto\\] no such table: funcionarios");
}

TEST(Programa, SemErroOLacoSegueEmPortuguesComOIconeDoPrograma) {
    QTimer::singleShot(0, qApp, [] { qApp->exit(7); });
    EXPECT_EQ(qApp->exec(), 7);

    QLineEdit campo;
    QStringList textos;
    for (QAction* acao : campo.createStandardContextMenu()->actions()) // the menu is the field's child
        textos << acao->text().remove(u'&').section(u'\t', 0, 0);
    EXPECT_TRUE(textos.contains(u"Copiar"_s) && textos.contains(u"Colar"_s))
        << textos.join(u", "_s).toStdString();

    // Drawn from the program's SVG at any size: the resource and the SVG icon engine are there.
    EXPECT_EQ(QWidget().windowIcon().pixmap(QSize(128, 128)).size(), QSize(128, 128));
}

// In kiosk mode a database error closes the administrative screen it came from, after its
// message, and the program goes on.
TEST(Programa, NoQuiosqueErroDoBancoFechaSoATela) {
    static_cast<VeltoApplication*>(qApp)->setQuiosque(true);
    QStringList mensagens;
    SetMsgBoxResponder([&](const MsgBoxCall& m) { return mensagens << m.text, MsgBoxResult::Ok; });
    ChildScreen tela;
    tela.show();
    QTimer::singleShot(0, &tela, [] { throw DatabaseError(u"A conexão com o banco de dados caiu."_s); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tela.isVisible(); }, 2000));
    EXPECT_EQ(mensagens, QStringList{u"A conexão com o banco de dados caiu."_s});
}

TEST(Programa, UmaCopiaPorPcEBancoAteOProgramaMorrer) {
    BancoTeste banco;
    MsgBoxRecorder mensagens;
    const QString caminho = conexaoBanco->InstancePath();
    const QString trava = caminho + u".lock"_s;
    if (BancoTeste::noServidor()) {
        // Named by the server and the database, not by the address that reached them, in this PC's folder.
        const QByteArray endereco = qgetenv("VELTO_BANCO");
        const QString nome = QString::fromUtf8(endereco.mid(endereco.indexOf("dbname=") + 7));
        EXPECT_TRUE(caminho.startsWith(banco.raiz() + u"/C/PONTO/servidor-"_s) &&
                    caminho.endsWith('-' + nome))
            << caminho.toStdString();
        qputenv("VELTO_BANCO",
                "postgresql:///" + nome.toUtf8() + "?user=velto&host=" + qgetenv("VELTO_TESTE_PG"));
        AbrirConexao();
        EXPECT_EQ(conexaoBanco->InstancePath(), caminho);
        qputenv("VELTO_BANCO", endereco);
    }
    {
        InstanceLock primeira(caminho);
        ASSERT_TRUE(UmaCopiaPorBanco(primeira, u"C:\\PONTO\\ponto.mdb"_s));
        InstanceLock segunda(caminho);
        EXPECT_FALSE(UmaCopiaPorBanco(segunda, u"C:\\PONTO\\ponto.mdb"_s));
        EXPECT_TRUE(mensagens.texts().value(0).startsWith(
            u"O Velto já está aberto com o banco de dados C:\\PONTO"_s));
    }
    EXPECT_FALSE(QFile::exists(trava)) << "released at the end";

    // The program itself holds it while it runs; killed, it leaves a stale lock that the next start takes.
    QProcess velto;
    // The toolkit's own options still reach it.
    velto.start(QStringLiteral(VELTO), {u"-platform"_s, u"offscreen"_s});
    ASSERT_TRUE(velto.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(trava); }, 20000));
    InstanceLock outra(caminho);
    EXPECT_EQ(outra.tryLock(), InstanceLock::Result::HeldByAnother);
    // Another PC on the same server (its own drive root) runs beside it, with a lock of its own.
    QTemporaryDir outroPc;
    QProcess terminal;
    if (BancoTeste::noServidor()) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"VELTO_DRIVE_ROOT"_s, outroPc.path());
        terminal.setProcessEnvironment(ambiente);
        terminal.start(QStringLiteral(VELTO), {u"--quiosque"_s});
        const QString suaTrava = outroPc.path() + u"/C/PONTO/"_s + QFileInfo(trava).fileName();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(suaTrava); }, 20000));
        EXPECT_EQ(terminal.state(), QProcess::Running);
        terminal.kill();
        terminal.waitForFinished();
    }
    EXPECT_EQ(velto.state(), QProcess::Running);
    velto.kill();
    ASSERT_TRUE(velto.waitForFinished());
    EXPECT_TRUE(QFile::exists(trava));
    EXPECT_TRUE(UmaCopiaPorBanco(outra, {}));
    EXPECT_EQ(mensagens.calls.size(), 1);
}

TEST(Programa, AjudaVersaoEOpcaoErradaSemTela) {
    // Answered before the window system: with xcb and no display, Qt would abort.
    const QByteArray tela = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    const struct {
        QStringList args;
        int status;
        QString saida, erro;
    } casos[] = {
        {{u"-platform"_s, u"xcb"_s, u"--help"_s}, 0, u"\n  velto [--quiosque]"_s, {}},
        {{u"--version"_s, u"-platform"_s, u"xcb"_s}, 0, u"velto " VELTO_VERSION "\n"_s, {}},
        {{u"--nonsense"_s}, 2, {}, u"velto: opção desconhecida: --nonsense\nUse \"velto --help\""_s},
        {{u"--quiosque=sim"_s, u"-platform"_s, u"xcb"_s},
         2,
         {},
         u"velto: a opção --quiosque não leva valor"_s},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Execucao r = ExecutarProcesso(QStringLiteral(VELTO), c.args);
        EXPECT_EQ(r.status, c.status) << r.erro.toStdString();
        EXPECT_TRUE(c.saida.isEmpty() ? r.saida.isEmpty() : r.saida.contains(c.saida))
            << r.saida.toStdString();
        EXPECT_TRUE(c.erro.isEmpty() ? r.erro.isEmpty() : r.erro.startsWith(c.erro)) << r.erro.toStdString();
    }
    if (!tela.isNull())
        qputenv("DISPLAY", tela);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    VeltoApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
