#include "BancoTeste.h"
#include "Esquema.h"
#include "RegistrarPonto.h"
#include "VersaoEsquema.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kHoje(2026, 12, 5);
const QString kAna = u"7891000079195"_s;

ResultadoPonto Passar(const QString& cartao, const QString& hora, const QDate& dia = kHoje) {
    return RegistrarPonto(cartao, dia, QTime::fromString(hora, u"hh:mm:ss"_s), dia.toString(u"dd/MM/yyyy"_s),
                          hora);
}

qint64 Pontos(BancoTeste& banco) {
    return banco.sql(u"Select count(*) as n from movimentacao"_s)["n"].toInteger();
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

void Montar(BancoTeste& banco) {
    banco.funcionario(u"ANA PAULA"_s, kAna);
}

} // namespace

// Ten minutes counted from the last punch of today, whatever its kind (the last posted, by the
// highest codigo); a clock set back gives a negative time, refused. One more entry than exits
// over the whole history makes the exit. The period is the shown hour's.
TEST(RegistrarPonto, EntradaOuSaidaDezMinutosEPeriodo) {
    struct Passe {
        int dia;
        const char* hora;
        const char* resumo; // what was registered and its period, "cedo" and the time, "?" for no card
        QString cartao = kAna;
    };
    const struct {
        QStringList antes;
        QList<Passe> passes;
    } casos[] = {{{},
                  {{0, "08:00:00", "E M"},
                   {0, "08:10:00", "cedo 00:10:00"},
                   {0, "08:10:01", "S M"},
                   {0, "08:15:00", "cedo 00:04:59"},
                   {0, "07:00:00", "cedo -01:10:01"}}},
                 {{"04/12/2026 23:58:00 E M"}, {{0, "00:01:00", "S M"}}},
                 {{"01/12/2026 08:00:00 S M", "01/12/2026 12:00:00 S M", "01/12/2026 13:00:00 E M"},
                  {{0, "09:00:00", "E M"}, {0, "10:00:00", "E M"}, {0, "11:00:00", "S M"}}},
                 {{},
                  {{1, "00:15:00", "E M"},
                   {2, "12:30:00", "S M"},
                   {3, "12:59:59", "E M"},
                   {4, "13:00:00", "S T"},
                   {5, "23:59:59", "E T"}}},
                 {{},
                  {{0, "08:00:00", "E M", u" 7891'000 079195'"_s},
                   {0, "09:00:00", "?", u"0000000000000"_s},
                   {0, "09:00:00", "?", QString()},
                   {0, "09:00:00", "?", u"x' or '1'='1"_s}}},
                 {{"05/12/2026 11:00:00 E M", "05/12/2026 08:00:00 S 1"},
                  {{0, "08:05:00", "cedo 00:05:00"}, {0, "11:05:00", "E M"}}}};
    for (const auto& c : casos) {
        BancoTeste caso(u"terminal"_s, Montar);
        for (const QString& ponto : c.antes) {
            const QStringList p = ponto.split(u' ');
            caso.ponto(1, p[0], p[1], p[2], p[3]);
        }
        qint64 pontos = c.antes.size();
        for (const Passe& p : c.passes) {
            SCOPED_TRACE(c.antes.join(u',').toStdString() + " " + p.hora);
            const ResultadoPonto r = Passar(p.cartao, QLatin1String(p.hora), kHoje.addDays(p.dia));
            QString resumo = u"?"_s;
            if (r.tipo == ResultadoPonto::Tipo::CedoDemais)
                resumo = "cedo " + r.decorrido;
            else if (r.tipo == ResultadoPonto::Tipo::Registrado)
                resumo = r.entradaSaida + " " +
                         caso.sql(u"Select periodo from movimentacao order by codigo desc"_s)["periodo"]
                             .toString();
            EXPECT_EQ(resumo, QLatin1String(p.resumo));
            pontos += resumo.size() == 3; // registered
            EXPECT_EQ(Pontos(caso), pontos);
        }
    }
    EXPECT_EQ(MensagemPontoNaoRegistrado(DatabaseError(u"x"_s, DatabaseError::Cause::ReadOnly, u"y"_s)),
              u"PONTO NÃO REGISTRADO!\r\n\r\nSem permissão para gravar no "
              u"banco de dados.\r\nPasse o cartão novamente."_s);
}

// A file made by hand with the five tables (or by a version before the maintained counts): the
// program brings it up to date when it opens it, and the employee at work is recorded leaving.
TEST(ArquivoAntigo, AbertoEAtualizadoRegistraASaidaDeQuemEstaTrabalhando) {
    BancoTeste banco;
    conexaoBanco.reset();
    ASSERT_TRUE(QFile::remove(banco.caminhoArquivo()));
    {
        auto antigo = Connection::Create(kStringConexao);
        CriarEsquema(*antigo, u"x"_s);
        antigo->Execute(u"INSERT INTO funcionarios(nome, registro) VALUES('ANA', '7891000079195')"_s);
        antigo->Execute(u"INSERT INTO funcionarios(nome, registro) VALUES('BETO', '7891000158388')"_s);
        for (const char* ponto : {"'E', 1", "'S', 1", "'E', 1", "'e', 2"})
            antigo->Execute(u"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                            u"values('04/12/2026','08:00:00', %1, 'M' )"_s.arg(QLatin1String(ponto)));
        EXPECT_EQ(VersaoEsquema(*antigo), 0);
    }
    AbrirConexao();
    EXPECT_EQ(VersaoEsquema(*conexaoBanco), VersaoAtualEsquema());
    ConferirContagens({1, 2});
    EXPECT_EQ(Passar(kAna, u"17:00:00"_s).entradaSaida, u"S"_s);
    EXPECT_EQ(Passar(u"7891000158388"_s, u"17:00:00"_s).entradaSaida, u"S"_s);
    AbrirConexao(); // a current file is left as it is
    EXPECT_EQ(VersaoEsquema(*conexaoBanco), VersaoAtualEsquema());
}

// The other program swipes the same card while this one stands between its counts and its
// insert: it must wait for this swipe to end, and then find it.
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
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ResultadoPonto::Tipo::CedoDemais));
    EXPECT_EQ(Pontos(banco), 1);
}

// The real terminal in a child process, killed with SIGKILL at a random moment: while it opens
// the file now and then, otherwise after scanning for up to a second and a half. Every scan it
// acknowledged ("card;date;time") must be in the file, once.
TEST(SimuladoDeQueda, NenhumPontoReconhecidoSePerdeComKill9) {
    constexpr int kCiclos = 40;
    BancoTeste banco;
    QStringList cartoes;
    QHash<QString, qint64> numeros;
    for (int i = 0; i < 6; ++i) {
        cartoes << u"7891000%1"_s.arg(i, 6, 10, QLatin1Char('0'));
        numeros[cartoes.last()] = banco.funcionario(u"FUNCIONARIO %1"_s.arg(i), cartoes.last());
    }
    conexaoBanco.reset();
    const unsigned semente = std::random_device{}();
    std::mt19937 sorte(semente);
    QStringList reconhecidos;
    for (int ciclo = 0; ciclo < kCiclos && !HasFailure(); ++ciclo) {
        QProcess filho;
        filho.start(QStringLiteral(TERMINAL_FILHO), QStringList{QString::number(ciclo)} + cartoes);
        EXPECT_TRUE(filho.waitForStarted(10000));
        QByteArray saida;
        if (!std::bernoulli_distribution(0.15)(sorte)) {
            while (!saida.contains("PRONTO\n") && filho.waitForReadyRead(30000))
                saida += filho.readAllStandardOutput();
            EXPECT_TRUE(saida.contains("PRONTO\n")) << filho.readAllStandardError().toStdString();
        }
        QThread::msleep(std::uniform_int_distribution(0, 1500)(sorte));
        ::kill(pid_t(filho.processId()), SIGKILL);
        EXPECT_TRUE(filho.waitForFinished(10000));
        EXPECT_EQ(filho.exitStatus(), QProcess::CrashExit)
            << "the terminal ended by itself: " << filho.readAllStandardError().toStdString();
        reconhecidos +=
            QString::fromUtf8(saida + filho.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        reconhecidos.removeAll(u"PRONTO"_s);
    }

    AbrirConexao(); // after the last kill: the engine recovers what its journal holds
    EXPECT_TRUE(conexaoBanco->IntegrityCheck().isEmpty());
    EXPECT_TRUE(banco
                    .sql(u"Select funcionario from movimentacao group by funcionario, data, hora having "
                         u"count(*) > 1"_s)
                    .Eof())
        << "no scan is written twice";
    int presentes = 0;
    for (const QString& linha : std::as_const(reconhecidos)) {
        const QStringList campo = linha.split(u';');
        ASSERT_EQ(campo.size(), 3) << linha.toStdString();
        const QString data = QDate::fromString(campo[1], u"dd/MM/yyyy"_s).toString(u"MM-dd-yyyy"_s);
        presentes += !banco
                          .sql(u"Select codigo from movimentacao where funcionario = %1 and data = #%2# and "
                               u"hora = #%3#"_s.arg(numeros.value(campo[0]))
                                   .arg(data, campo[2]))
                          .Eof();
    }
    ConferirContagens(numeros.values()); // each punch went with its counts, never half of it
    std::printf("simulado de queda: %d ciclos, %d reconhecidos, %d presentes (semente %u)\n", kCiclos,
                int(reconhecidos.size()), presentes, semente);
    EXPECT_EQ(presentes, reconhecidos.size()) << "acknowledged scans were lost";
    EXPECT_GE(reconhecidos.size(), kCiclos) << "too few scans for the drill to mean anything";
}
