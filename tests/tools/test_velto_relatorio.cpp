#include "BancoTeste.h"
#include "CartaoPonto.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Execucao {
    int status = -1;
    QString saida;
    QString erro;
};

Execucao Executar(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VELTO_RELATORIO), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QStringList Periodo() {
    return {QStringLiteral("--de"), QStringLiteral("01/03/2010"), QStringLiteral("--ate"),
            QStringLiteral("31/03/2010")};
}

class VeltoRelatorioTeste : public ::testing::Test {
protected:
    void SetUp() override {
        zeca = banco.funcionario(QStringLiteral("ZECA"), QStringLiteral("7891000079195"));
        ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000158388"));
        maria = banco.funcionario(QStringLiteral("MARIA"), QStringLiteral("7891000237571"));
        banco.ponto(ana, "02/03/2010", "08:00:00", "E");
        banco.ponto(ana, "02/03/2010", "12:00:00", "S");
    }

    // The list the report screen would show for the employee.
    QString ListaDaTela(qint64 codigo, const QString& nome) {
        ListaTexto lista;
        EntradaCartaoPonto e{"01/03/2010", "31/03/2010", QString::number(codigo), nome, false, {}};
        EXPECT_TRUE(CartaoPonto(e, {&lista, nullptr}));
        return lista.itens().join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

    BancoTeste banco;
    qint64 zeca = 0;
    qint64 ana = 0;
    qint64 maria = 0;
};

} // namespace

TEST_F(VeltoRelatorioTeste, CartaoDeUmFuncionarioPorCodigoOuPorCartao) {
    const QString esperado = ListaDaTela(ana, QStringLiteral("ANA"));
    ASSERT_TRUE(esperado.contains(QStringLiteral("08:00:00  12:00:00  04:00:00")));

    const Execucao porCodigo = Executar(
        QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QString::number(ana)} +
        Periodo());
    EXPECT_EQ(porCodigo.status, 0) << porCodigo.erro.toStdString();
    EXPECT_EQ(porCodigo.saida, esperado);
    EXPECT_TRUE(porCodigo.erro.isEmpty());

    // Blanks and apostrophes of a typed card are stripped, as on the screen.
    const Execucao porCartao = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--cartao"),
                                                    QStringLiteral(" 78910'00158388 ")} +
                                        Periodo());
    EXPECT_EQ(porCartao.status, 0);
    EXPECT_EQ(porCartao.saida, esperado);
}

TEST_F(VeltoRelatorioTeste, TodosEmOrdemDeNome) {
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--todos")} + Periodo());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, ListaDaTela(ana, QStringLiteral("ANA")) + ListaDaTela(maria, QStringLiteral("MARIA")) +
                           ListaDaTela(zeca, QStringLiteral("ZECA")));
}

TEST_F(VeltoRelatorioTeste, MensagensDeValidacaoEUso) {
    Execucao r =
        Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QStringLiteral("1"),
                             QStringLiteral("--de"), QStringLiteral("31/02/2010"), QStringLiteral("--ate"),
                             QStringLiteral("31/03/2010")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("Forneca uma data Valida!\n"));
    EXPECT_TRUE(r.saida.isEmpty());

    // An unknown card leaves the employee empty, as the screen does.
    r = Executar(
        QStringList{QStringLiteral("cartao"), QStringLiteral("--cartao"), QStringLiteral("0000000000000")} +
        Periodo());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("FORNECA UM FUNCIONARIO!\n"));
    EXPECT_TRUE(r.saida.isEmpty());

    r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QStringLiteral("1"),
                             QStringLiteral("--todos")} +
                 Periodo());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("Uso:")));
    r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--de"),
                             QStringLiteral("01/03/2010")});
    EXPECT_EQ(r.status, 2);
    r = Executar({QStringLiteral("jornada")});
    EXPECT_EQ(r.status, 2);
}

TEST_F(VeltoRelatorioTeste, PdfSemImpressoraNaoFingeSucesso) {
    const QString arquivo = banco.raiz() + QStringLiteral("/cartao.pdf");
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"),
                                            QString::number(ana), QStringLiteral("--pdf"), arquivo} +
                                Periodo());
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(r.erro.isEmpty());
    EXPECT_TRUE(r.saida.isEmpty());
    EXPECT_FALSE(QFile::exists(arquivo));
}

TEST(VeltoRelatorioSemBanco, ErroDoBancoVaiParaOErro) {
    QTemporaryDir vazio;
    const QByteArray antes = qgetenv("VELTO_DRIVE_ROOT");
    qputenv("VELTO_DRIVE_ROOT", vazio.path().toUtf8());
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--todos")} + Periodo());
    qputenv("VELTO_DRIVE_ROOT", antes);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("velto-relatorio: "))) << r.erro.toStdString();
}
