#include "BancoTeste.h"
#include "LeitorCodigos.h"
#include "Processo.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

Execucao Executar(const QStringList& args) {
    return ExecutarProcesso(QStringLiteral(VELTO_RELATORIO), args);
}

} // namespace

TEST(EtiquetasComando, FolhaDeTodosEtiquetaDeUmCartaoECartaoDeNinguem) {
    BancoTeste banco(u"etiquetas"_s, [](BancoTeste& b) {
        const char* cartoes[] = {"7891000079195", "7891000158388", "7891000237571", "7891000316627"};
        for (const char* cartao : cartoes)
            b.funcionario(u"FUNCIONARIO"_s, QString::fromLatin1(cartao));
    });
    QTemporaryDir pasta;
    const QString folha = pasta.filePath(u"folha.pdf"_s), uma = pasta.filePath(u"uma.pdf"_s),
                  nada = pasta.filePath(u"nada.pdf"_s);
    EsperarExecucao(Executar({"etiquetas", "--pdf", folha}), 0, {});
    const QList<QImage> paginas = PaginasPdf(folha, 150);
    ASSERT_EQ(paginas.size(), 1);
    const double p = 150 / 1440.0;
    const std::pair<QPoint, const char*> celulas[] = {{{300, 400}, "7891000079195"},
                                                      {{4200, 400}, "7891000158388"},
                                                      {{8200, 400}, "7891000237571"},
                                                      {{300, 2200}, "7891000316627"}};
    for (const auto& [canto, codigo] : celulas)
        EXPECT_EQ(LerCodigoEm(paginas.first(),
                              QRect(int(canto.x() * p), int(canto.y() * p), int(3900 * p), int(1000 * p))),
                  QLatin1String(codigo));

    EsperarExecucao(Executar({"etiquetas", "--cartao", "7891000'158388", "--pdf", uma}), 0, {});
    const QList<QImage> unica = PaginasPdf(uma, 150);
    ASSERT_EQ(unica.size(), 1);
    EXPECT_EQ(LerCodigoEm(unica.first(), QRect(0, 0, int(4200 * p), int(1400 * p))), u"7891000158388"_s);

    EsperarExecucao(Executar({"etiquetas", "--cartao", "000", "--pdf", nada}), 1, {},
                    u"velto-relatorio: Funcionário não encontrado: nenhum funcionário tem o cartão 000\n"_s);
    EXPECT_FALSE(QFile::exists(nada));
    EXPECT_EQ(Executar({"etiquetas"}).status, 2);
    banco.sql(u"Delete from funcionarios"_s);
    EsperarExecucao(Executar({"etiquetas", "--pdf", nada}), 0, {},
                    u"velto-relatorio: nenhum funcionário cadastrado\n"_s);
    EXPECT_FALSE(QFile::exists(nada));
}
