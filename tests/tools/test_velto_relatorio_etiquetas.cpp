#include "BancoTeste.h"
#include "LeitorCodigos.h"
#include "Processo.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Execucao Executar(const QStringList& args) {
    return ExecutarProcesso(QStringLiteral(VELTO_RELATORIO), args);
}

class EtiquetasComandoTeste : public ::testing::Test {
protected:
    void SetUp() override {
        banco.funcionario(QStringLiteral("ZECA"), QStringLiteral("7891000079195"));
        banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000158388"));
        banco.funcionario(QStringLiteral("MARIA"), QStringLiteral("7891000237571"));
        banco.funcionario(QStringLiteral("JOAO"), QStringLiteral("7891000316627"));
    }
    QString arquivo(const char* nome) const { return pasta.filePath(QString::fromLatin1(nome)); }

    BancoTeste banco;
    QTemporaryDir pasta;
};

TEST_F(EtiquetasComandoTeste, FolhaDeTodosEEtiquetaDeUmCartaoEmPdf) {
    const Execucao folha =
        Executar({QStringLiteral("etiquetas"), QStringLiteral("--pdf"), arquivo("folha.pdf")});
    EXPECT_EQ(folha.status, 0);
    EXPECT_TRUE(folha.erro.isEmpty()) << folha.erro.toStdString();
    EXPECT_TRUE(folha.saida.isEmpty());
    const QList<QImage> paginas = PaginasPdf(arquivo("folha.pdf"), 150);
    ASSERT_EQ(paginas.size(), 1);
    const double p = 150 / 1440.0;
    const QStringList esperados = {QStringLiteral("7891000079195"), QStringLiteral("7891000158388"),
                                   QStringLiteral("7891000237571"), QStringLiteral("7891000316627")};
    const QList<QPoint> celulas = {{300, 400}, {4200, 400}, {8200, 400}, {300, 2200}};
    for (int k = 0; k < 4; ++k) {
        const QRect regiao(int(celulas[k].x() * p), int(celulas[k].y() * p), int(3900 * p), int(1000 * p));
        EXPECT_EQ(LerCodigoEm(paginas.first(), regiao), esperados[k]);
    }

    const Execucao uma =
        Executar({QStringLiteral("etiquetas"), QStringLiteral("--cartao"), QStringLiteral("7891000'158388"),
                  QStringLiteral("--pdf"), arquivo("uma.pdf")});
    EXPECT_EQ(uma.status, 0);
    EXPECT_TRUE(uma.erro.isEmpty()) << uma.erro.toStdString();
    const QList<QImage> unica = PaginasPdf(arquivo("uma.pdf"), 150);
    ASSERT_EQ(unica.size(), 1);
    EXPECT_EQ(LerCodigoEm(unica.first(), QRect(0, 0, int(4200 * p), int(1400 * p))),
              QStringLiteral("7891000158388"));
}

TEST_F(EtiquetasComandoTeste, CartaoDeNinguemEErroSemArquivo) {
    const Execucao r = Executar({QStringLiteral("etiquetas"), QStringLiteral("--cartao"),
                                 QStringLiteral("000"), QStringLiteral("--pdf"), arquivo("nada.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.erro,
        QStringLiteral("velto-relatorio: Funcionário não encontrado: nenhum funcionário tem o cartão 000\n"));
    EXPECT_FALSE(QFile::exists(arquivo("nada.pdf")));
    EXPECT_EQ(Executar({QStringLiteral("etiquetas")}).status, 2);

    banco.sql(QStringLiteral("Delete from funcionarios"));
    const Execucao vazio =
        Executar({QStringLiteral("etiquetas"), QStringLiteral("--pdf"), arquivo("vazio.pdf")});
    EXPECT_EQ(vazio.status, 0);
    EXPECT_EQ(vazio.erro, QStringLiteral("velto-relatorio: nenhum funcionário cadastrado\n"));
    EXPECT_FALSE(QFile::exists(arquivo("vazio.pdf")));
}

} // namespace
