#include "BancoTeste.h"
#include "Esquema.h"
#include "RegistrarPonto.h"
#include "VersaoEsquema.h"

#include <QTemporaryDir>

#include <QThread>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kHoje(2026, 12, 5);

ResultadoPonto Passar(const QString& cartao, const QString& hora, const QDate& dia = kHoje) {
    return RegistrarPonto(cartao, dia, QTime::fromString(hora, QStringLiteral("hh:mm:ss")),
                          dia.toString(QStringLiteral("dd/MM/yyyy")), hora);
}

QString UltimoTipo(BancoTeste& banco) {
    return banco
        .sql(QStringLiteral(
            "Select top 1 EntradaSaida from movimentacao order by codigo desc"))["EntradaSaida"]
        .toString();
}

class RegistrarPontoTeste : public ::testing::Test {
protected:
    BancoTeste banco;
    qint64 ana = banco.funcionario(QStringLiteral("ANA PAULA"), QStringLiteral("7891000079195"));
};

} // namespace

TEST_F(RegistrarPontoTeste, PrimeiroPontoEEntradaComAsSeteInstrucoesNaOrdem) {
    banco.enviadas().clear();
    const ResultadoPonto r = Passar(QStringLiteral("7891000079195"), QStringLiteral("08:02:10"));
    ASSERT_EQ(r.tipo, ResultadoPonto::Tipo::Registrado);
    EXPECT_EQ(r.entradaSaida, QStringLiteral("E"));
    EXPECT_EQ(r.linhaNome, QStringLiteral("ANA PAULA - (Registrada ENTRADA!)"));
    const QString n = QString::number(ana);
    // No punch yet: the existence test finds nothing and the rule stops there.
    EXPECT_EQ(banco.enviadas(),
              QStringList({QStringLiteral("Select * from funcionarios where  registro  = '7891000079195'"),
                           "Select top 1 codigo from movimentacao where  funcionario  = " + n,
                           "Select count(EntradaSaida) as s from movimentacao where  funcionario  = " + n +
                               " and EntradaSaida = 'E' ",
                           "Select count(EntradaSaida) as s from movimentacao where  funcionario  = " + n +
                               " and EntradaSaida = 'S' ",
                           "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                           "values('05/12/2026','08:02:10', 'E', " +
                               n + ", 'M' )"}));
    Recordset rs = banco.sql(QStringLiteral("Select * from movimentacao"));
    EXPECT_EQ(rs["data"].toString(), QStringLiteral("05/12/2026"));
    EXPECT_EQ(rs["hora"].toString(), QStringLiteral("08:02:10"));
    EXPECT_EQ(rs["periodo"].toString(), QStringLiteral("M"));

    banco.enviadas().clear();
    const ResultadoPonto s = Passar(QStringLiteral("7891000079195"), QStringLiteral("12:00:00"));
    EXPECT_EQ(s.linhaNome, QStringLiteral("ANA PAULA - (Registrada SAIDA!)"));
    ASSERT_EQ(banco.enviadas().size(), 7);
    EXPECT_EQ(banco.enviadas().at(2), "Select max(codigo) as s from movimentacao where  funcionario  = " + n);
    EXPECT_TRUE(
        banco.enviadas().at(3).startsWith(QStringLiteral("Select data,hora,EntradaSaida from movimentacao "
                                                         "where  codigo  = ")));
}

TEST_F(RegistrarPontoTeste, DezMinutosContadosDoUltimoPontoDeHoje) {
    Passar(QStringLiteral("7891000079195"), QStringLiteral("08:00:00"));
    const ResultadoPonto cedo = Passar(QStringLiteral("7891000079195"), QStringLiteral("08:10:00"));
    ASSERT_EQ(cedo.tipo, ResultadoPonto::Tipo::CedoDemais);
    EXPECT_EQ(cedo.decorrido, QStringLiteral("00:10:00"));
    EXPECT_EQ(
        MensagemCedoDemais(cedo.decorrido),
        QStringLiteral(
            "Deverá Aguardar 10 minutos para dar Entrada ou Saida!\r\n\r\n\r\nTempo decorrido: 00:10:00"));
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 1);

    const ResultadoPonto saida = Passar(QStringLiteral("7891000079195"), QStringLiteral("08:10:01"));
    ASSERT_EQ(saida.tipo, ResultadoPonto::Tipo::Registrado);
    EXPECT_EQ(saida.entradaSaida, QStringLiteral("S"));

    // Whatever the kind of the last punch; and a clock set back gives a negative time, refused.
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("08:15:00")).tipo,
              ResultadoPonto::Tipo::CedoDemais);
    const ResultadoPonto atrasado = Passar(QStringLiteral("7891000079195"), QStringLiteral("08:05:00"));
    EXPECT_EQ(atrasado.tipo, ResultadoPonto::Tipo::CedoDemais);
    EXPECT_EQ(atrasado.decorrido, QStringLiteral("-00:05:01"));
}

TEST_F(RegistrarPontoTeste, UltimoPontoDeOntemNaoImpede) {
    banco.ponto(ana, QStringLiteral("04/12/2026"), QStringLiteral("23:58:00"), QStringLiteral("E"));
    const ResultadoPonto r = Passar(QStringLiteral("7891000079195"), QStringLiteral("00:01:00"));
    ASSERT_EQ(r.tipo, ResultadoPonto::Tipo::Registrado);
    // One more entry than exits over the whole history: this is the exit.
    EXPECT_EQ(r.entradaSaida, QStringLiteral("S"));
    EXPECT_EQ(banco.sql(QStringLiteral("Select periodo from movimentacao order by codigo desc"))["periodo"]
                  .toString(),
              QStringLiteral("M"));
}

TEST_F(RegistrarPontoTeste, MaisSaidasQueEntradasDaEntradaDeNovo) {
    banco.ponto(ana, QStringLiteral("01/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("S"));
    banco.ponto(ana, QStringLiteral("01/12/2026"), QStringLiteral("12:00:00"), QStringLiteral("S"));
    banco.ponto(ana, QStringLiteral("01/12/2026"), QStringLiteral("13:00:00"), QStringLiteral("E"));
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("09:00:00")).entradaSaida,
              QStringLiteral("E"));
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("10:00:00")).entradaSaida,
              QStringLiteral("E"));
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("11:00:00")).entradaSaida,
              QStringLiteral("S"));
}

TEST_F(RegistrarPontoTeste, PeriodoPelaHoraMostrada) {
    const struct {
        const char* hora;
        const char* periodo;
    } casos[] = {
        {"00:15:00", "M"}, {"12:30:00", "M"}, {"12:59:59", "M"}, {"13:00:00", "T"}, {"23:59:59", "T"}};
    QDate dia = kHoje;
    for (const auto& c : casos) {
        dia = dia.addDays(1);
        Passar(QStringLiteral("7891000079195"), QLatin1String(c.hora), dia);
        EXPECT_EQ(
            banco.sql(QStringLiteral("Select periodo from movimentacao order by codigo desc"))["periodo"]
                .toString(),
            QLatin1String(c.periodo))
            << c.hora;
    }
}

TEST_F(RegistrarPontoTeste, CartaoComEspacosEApostrofosENaoEncontrado) {
    banco.enviadas().clear();
    EXPECT_EQ(Passar(QStringLiteral(" 7891'000 079195'"), QStringLiteral("08:00:00")).tipo,
              ResultadoPonto::Tipo::Registrado);
    EXPECT_EQ(banco.enviadas().first(),
              QStringLiteral("Select * from funcionarios where  registro  = '7891000079195'"));

    EXPECT_EQ(Passar(QStringLiteral("0000000000000"), QStringLiteral("09:00:00")).tipo,
              ResultadoPonto::Tipo::CartaoNaoEncontrado);
    EXPECT_EQ(Passar(QString(), QStringLiteral("09:00:00")).tipo, ResultadoPonto::Tipo::CartaoNaoEncontrado);
    EXPECT_EQ(Passar(QStringLiteral("x' or '1'='1"), QStringLiteral("09:00:00")).tipo,
              ResultadoPonto::Tipo::CartaoNaoEncontrado);
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 1);
}

TEST_F(RegistrarPontoTeste, PontoLancadoDepoisEAReferencia) {
    // The terminal's punch at 11:00, then one posted by hand for 08:00: the hand-posted one,
    // with the highest codigo, is the reference, so a swipe at 08:05 is refused...
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("11:00:00"), QStringLiteral("E"));
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("S"),
                QStringLiteral("1"));
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("08:05:00")).tipo,
              ResultadoPonto::Tipo::CedoDemais);
    // ...and one at 11:05 is not, although it is five minutes after the terminal's punch.
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("11:05:00")).tipo,
              ResultadoPonto::Tipo::Registrado);
    EXPECT_EQ(UltimoTipo(banco), QStringLiteral("E"));
}

TEST(TextoDecorrido, Sinal) {
    EXPECT_EQ(TextoDecorrido(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(TextoDecorrido(599), QStringLiteral("00:09:59"));
    EXPECT_EQ(TextoDecorrido(-300), QStringLiteral("-00:05:00"));
    EXPECT_EQ(TextoDecorrido(86399), QStringLiteral("23:59:59"));
}

// A file made by hand with the five tables (or by a version before the maintained counts): the
// program brings it up to date when it opens it, and the employee at work is recorded leaving.
TEST(ArquivoAntigo, AbertoEAtualizadoRegistraASaidaDeQuemEstaTrabalhando) {
    QTemporaryDir pasta;
    const QByteArray raizAnterior = qgetenv("VELTO_DRIVE_ROOT");
    qputenv("VELTO_DRIVE_ROOT", pasta.path().toUtf8());
    {
        auto antigo = Connection::Create(kStringConexao);
        CriarEsquema(*antigo, QStringLiteral("x"));
        antigo->Execute(
            QStringLiteral("INSERT INTO funcionarios(nome, registro) VALUES('ANA', '7891000079195')"));
        antigo->Execute(
            QStringLiteral("INSERT INTO funcionarios(nome, registro) VALUES('BETO', '7891000158388')"));
        for (const char* tipo : {"E", "S", "E"})
            antigo->Execute(
                QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                               "values('04/12/2026','08:00:00', '%1', 1, 'M' )")
                    .arg(QLatin1String(tipo)));
        antigo->Execute(QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                                       "values('04/12/2026','08:00:00', 'e', 2, 'M' )"));
        EXPECT_EQ(VersaoEsquema(*antigo), 0);
    }
    AbrirConexao();
    EXPECT_EQ(VersaoEsquema(*conexaoBanco), VersaoAtualEsquema());
    // Counts filled from the punches already there, as the literal statements count them.
    for (const char* tipo : {"E", "S"}) {
        for (const char* funcionario : {"1", "2"}) {
            const QString contagem =
                QStringLiteral("Select count(EntradaSaida) as s from movimentacao where  "
                               "funcionario  = %1 and EntradaSaida = '%2' ")
                    .arg(QLatin1String(funcionario), QLatin1String(tipo));
            const qint64 mantida = conexaoBanco->Execute(contagem)["s"].toInteger();
            conexaoBanco->setRewritesEnabled(false);
            EXPECT_EQ(mantida, conexaoBanco->Execute(contagem)["s"].toInteger()) << funcionario << tipo;
            conexaoBanco->setRewritesEnabled(true);
        }
    }
    const ResultadoPonto r = Passar(QStringLiteral("7891000079195"), QStringLiteral("17:00:00"));
    ASSERT_EQ(r.tipo, ResultadoPonto::Tipo::Registrado);
    EXPECT_EQ(r.entradaSaida, QStringLiteral("S"));
    EXPECT_EQ(Passar(QStringLiteral("7891000158388"), QStringLiteral("17:00:00")).entradaSaida,
              QStringLiteral("S"));

    // Opened again, a current file is left as it is.
    AbrirConexao();
    EXPECT_EQ(VersaoEsquema(*conexaoBanco), VersaoAtualEsquema());
    conexaoBanco.reset();
    qputenv("VELTO_DRIVE_ROOT", raizAnterior);
}

TEST_F(RegistrarPontoTeste, DoisProgramasComOMesmoCartaoNoMesmoInstanteRegistramUmaVez) {
    // The other program swipes the same card while this one stands between its counts and its
    // insert: it must wait for this swipe to end, and then find it.
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
            if (::read(sinal[0], &c, 1) != 1)
                ::_exit(10);
            ::_exit(
                static_cast<int>(Passar(QStringLiteral("7891000079195"), QStringLiteral("08:02:10")).tipo));
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
    EXPECT_EQ(Passar(QStringLiteral("7891000079195"), QStringLiteral("08:02:10")).tipo,
              ResultadoPonto::Tipo::Registrado);
    ::close(sinal[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(outro, &status, 0), outro);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ResultadoPonto::Tipo::CedoDemais));
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 1);
}

TEST(MensagemPontoNaoRegistrado, MotivoPorCausa) {
    const auto texto = [](DatabaseError::Cause causa) {
        return MensagemPontoNaoRegistrado(
            DatabaseError(QStringLiteral("x\n(instrução: y)"), causa, QStringLiteral("disk I/O error")));
    };
    EXPECT_EQ(texto(DatabaseError::Cause::ReadOnly),
              QStringLiteral("PONTO NÃO REGISTRADO!\r\n\r\nSem permissão para gravar no banco de "
                             "dados.\r\nPasse o cartão novamente."));
    EXPECT_EQ(texto(DatabaseError::Cause::Other),
              QStringLiteral("PONTO NÃO REGISTRADO!\r\n\r\nErro no banco de dados: disk I/O "
                             "error\r\nPasse o cartão novamente."));
}
