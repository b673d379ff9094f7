#include "BancoTeste.h"
#include "Esquema.h"
#include "RegistrarPonto.h"
#include "VersaoEsquema.h"

#include <QThread>
#include <gtest/gtest.h>
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

// The outcome of a swipe: what was registered and its period, the time elapsed when too soon,
// "?" for a card nobody has.
QString Resumo(const ResultadoPonto& r, BancoTeste& banco) {
    if (r.tipo == ResultadoPonto::Tipo::CedoDemais)
        return "cedo " + r.decorrido;
    if (r.tipo != ResultadoPonto::Tipo::Registrado)
        return u"?"_s;
    return r.entradaSaida + " " +
           banco.sql(u"Select periodo from movimentacao order by codigo desc"_s)["periodo"].toString();
}

void Montar(BancoTeste& banco) {
    banco.funcionario(u"ANA PAULA"_s, kAna);
}

class RegistrarPontoTeste : public ::testing::Test {
protected:
    BancoTeste banco{u"terminal"_s, Montar};
};

} // namespace

// Ten minutes counted from the last punch of today, whatever its kind (the last posted, by the
// highest codigo); a clock set back gives a negative time, refused. One more entry than exits
// over the whole history makes the exit. The period is the shown hour's.
TEST(RegistrarPonto, EntradaOuSaidaDezMinutosEPeriodo) {
    struct Passe {
        int dia;
        const char* hora;
        const char* resumo;
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
                   {0, "08:05:00", "cedo -00:05:01"}}},
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
            const QString resumo =
                Resumo(Passar(p.cartao, QLatin1String(p.hora), kHoje.addDays(p.dia)), caso);
            EXPECT_EQ(resumo, QLatin1String(p.resumo));
            pontos += resumo.size() == 3; // registered
            EXPECT_EQ(Pontos(caso), pontos);
        }
    }
}

TEST(TextoDecorrido, MensagensComSinalECausa) {
    EXPECT_EQ(
        QStringList({TextoDecorrido(0), TextoDecorrido(599), TextoDecorrido(-300), TextoDecorrido(86399)}),
        QStringList({"00:00:00", "00:09:59", "-00:05:00", "23:59:59"}));
    const auto texto = [](DatabaseError::Cause causa) {
        return MensagemPontoNaoRegistrado(DatabaseError(u"x\n(instrução: y)"_s, causa, u"disk I/O error"_s));
    };
    EXPECT_EQ(texto(DatabaseError::Cause::ReadOnly),
              u"PONTO NÃO REGISTRADO!\r\n\r\nSem permissão para gravar no "
              u"banco de dados.\r\nPasse o cartão novamente."_s);
    EXPECT_EQ(
        texto(DatabaseError::Cause::Other),
        u"PONTO NÃO REGISTRADO!\r\n\r\nErro no banco de dados: disk I/O error\r\nPasse o cartão novamente."_s);
}

// A file made by hand with the five tables (or by a version before the maintained counts): the
// program brings it up to date when it opens it, and the employee at work is recorded leaving.
TEST(ArquivoAntigo, AbertoEAtualizadoRegistraASaidaDeQuemEstaTrabalhando) {
    QTemporaryDir pasta;
    const QByteArray raizAnterior = qgetenv("VELTO_DRIVE_ROOT");
    qputenv("VELTO_DRIVE_ROOT", pasta.path().toUtf8());
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
    // Counts filled from the punches already there, as the literal statements count them.
    for (const char* tipo : {"E", "S"}) {
        for (const char* funcionario : {"1", "2"}) {
            const qint64 mantida = ContarPontos(QLatin1String(funcionario), QLatin1String(tipo));
            conexaoBanco->setRewritesEnabled(false);
            EXPECT_EQ(mantida, ContarPontos(QLatin1String(funcionario), QLatin1String(tipo)))
                << funcionario << tipo;
            conexaoBanco->setRewritesEnabled(true);
        }
    }
    EXPECT_EQ(Passar(kAna, u"17:00:00"_s).entradaSaida, u"S"_s);
    EXPECT_EQ(Passar(u"7891000158388"_s, u"17:00:00"_s).entradaSaida, u"S"_s);
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
            ::_exit(static_cast<int>(Passar(kAna, u"08:02:10"_s).tipo));
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
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ResultadoPonto::Tipo::CedoDemais));
    EXPECT_EQ(Pontos(banco), 1);
}
