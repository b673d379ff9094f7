#include "BancoTeste.h"
#include "DatabaseError.h"
#include "Etiquetas.h"
#include "LeitorCodigos.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Pessoa {
    QString nome;
    QString registro;
};

// Employees whose codigo order is neither their name order nor their card order.
class EtiquetasTeste : public ::testing::Test {
protected:
    void cadastrar(int quantos) {
        for (int i = 0; i < quantos; ++i) {
            const int n = int(pessoas.size()) + 1;
            Pessoa p{QStringLiteral("FUNC %1").arg(200 - n, 3, 10, QLatin1Char('0')),
                     QString::number(7891000000000LL + (n * 7919) % 100000)};
            if (n == 1)
                p.nome = QStringLiteral("MARIA APARECIDA DOS SANTOS REI"); // 30 characters
            if (n == 2)
                p.nome = QStringLiteral("ANA");
            banco.funcionario(p.nome, p.registro);
            pessoas.append(p);
        }
    }

    BancoTeste banco;
    QList<Pessoa> pessoas;
    RecordingPrinter impressora;
    CamposTexto campos;
};

TEST_F(EtiquetasTeste, FolhaImpressaEmPdfLeCadaCodigoNaSuaCelulaEmOrdemDeCodigo) {
    cadastrar(28);
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(QStringLiteral("etiquetas.pdf"));
    {
        QtPrinter papel(pdf);
        EXPECT_EQ(A4_4ColunasEtiquetaCodBarW(campos, papel), 28);
        ASSERT_TRUE(papel.closeFile());
    }
    constexpr int dpi = 200;
    const QList<QImage> paginas = PaginasPdf(pdf, dpi);
    ASSERT_EQ(paginas.size(), 2);
    const double pontos = dpi / 1440.0;
    const double colunas[] = {300, 4200, 8200};
    // Every cell of both pages: the second holds one label, in its first cell.
    for (int k = 0; k < 54; ++k) {
        const int celula = k % 27;
        const QRect regiao(int(colunas[celula % 3] * pontos), int((400 + 1800 * (celula / 3)) * pontos),
                           int(3900 * pontos), int(1000 * pontos));
        const QString esperado = k < 28 ? pessoas.at(k).registro : QString();
        EXPECT_EQ(LerCodigoEm(paginas.at(k / 27), regiao), esperado) << "etiqueta " << k;
    }
    // The fields show the last employee printed.
    EXPECT_EQ(campos.codigo(), pessoas.last().registro);
    EXPECT_EQ(campos.nome(), pessoas.last().nome);
    EXPECT_TRUE(banco.enviadas().contains(QStringLiteral("Select * from FUNCIONARIOS  order by codigo")));
}

TEST_F(EtiquetasTeste, NovePorColunaTresColunasUmaPaginaPorVinteESeteSemPaginaVaziaNoFim) {
    impressora.setFontSize(7.5);
    for (auto [total, paginas] : {std::pair{27, 1}, std::pair{28, 2}, std::pair{55, 3}}) {
        cadastrar(total - int(pessoas.size()));
        impressora.clear();
        EXPECT_EQ(A4_4ColunasEtiquetaCodBarW(campos, impressora), total);
        EXPECT_EQ(impressora.documentsEnded(), 1) << "one print job";
        EXPECT_EQ(impressora.items(PrintedItem::Kind::NewPage).size(), paginas - 1) << total;
        EXPECT_EQ(impressora.items().last().kind, PrintedItem::Kind::EndDoc);
        EXPECT_EQ(impressora.items().at(impressora.items().size() - 2).page, paginas) << "no empty page";
        const QList<PrintedItem> barras = impressora.items(PrintedItem::Kind::BarCode);
        ASSERT_EQ(barras.size(), total);
        for (int k = 0; k < total; ++k)
            EXPECT_EQ(barras.at(k).text, pessoas.at(k).registro);
    }
    // The geometry of a page, in twips from the paper's corner.
    const QList<PrintedItem> barras = impressora.items(PrintedItem::Kind::BarCode);
    const QList<PrintedItem> nomes = impressora.items(PrintedItem::Kind::Text);
    ASSERT_EQ(nomes.size(), 55);
    EXPECT_EQ(QPointF(barras.at(0).x, barras.at(0).y), QPointF(300, 400));
    EXPECT_EQ(QPointF(nomes.at(0).x, nomes.at(0).y), QPointF(500, 1400));
    EXPECT_EQ(QPointF(barras.at(26).x, barras.at(26).y), QPointF(8200, 14800));
    EXPECT_EQ(QPointF(nomes.at(26).x, nomes.at(26).y), QPointF(8400, 15800));
    EXPECT_EQ(QPointF(barras.at(27).x, barras.at(27).y), QPointF(300, 400));
    EXPECT_EQ(barras.at(27).page, 2);
    // Names in a field of 25 characters, at 10 points; the rest of the job at 7, bold.
    EXPECT_EQ(nomes.at(0).text, QStringLiteral("MARIA APARECIDA DOS SANTO"));
    EXPECT_EQ(nomes.at(1).text, QStringLiteral("ANA") + QString(22, QLatin1Char(' ')));
    EXPECT_TRUE(nomes.at(0).fontSize == 10 && nomes.at(0).bold);
    EXPECT_EQ(barras.at(1).fontSize, 7);
    // The printer has its own settings back for the next report.
    EXPECT_EQ(impressora.fontSize(), 7.5);
    EXPECT_FALSE(impressora.fontBold());
    EXPECT_EQ(impressora.origin(), Printer::Origin::PrintableArea);

    // A database error halfway through the sheet: the half sheet is dropped, not sent.
    impressora.clear();
    int lidos = 0;
    conexaoBanco->setObserver([&lidos](const QString& sql) {
        if (sql.contains(QLatin1String("where codigo")) && ++lidos == 30)
            throw DatabaseError(QStringLiteral("Disco cheio"));
    });
    EXPECT_THROW(A4_4ColunasEtiquetaCodBarW(campos, impressora), DatabaseError);
    EXPECT_EQ(impressora.documentsEnded(), 0);
    EXPECT_EQ(impressora.items().last().kind, PrintedItem::Kind::Abort);
    EXPECT_EQ(impressora.fontSize(), 7.5);
}

TEST_F(EtiquetasTeste, EtiquetaUnicaTiraApostrofosENadaEnviaSemFuncionario) {
    cadastrar(2);
    banco.funcionario(QStringLiteral("JOSE"), QStringLiteral("1234567890123"));
    campos.setNome(QStringLiteral("ANTES"));
    campos.setCodigo(QStringLiteral("999'99"));
    EXPECT_FALSE(UnicaEtiqueta(campos, impressora));
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_EQ(impressora.documentsEnded(), 0);
    EXPECT_EQ(campos.codigo(), QStringLiteral("99999"));
    EXPECT_EQ(campos.nome(), QStringLiteral("ANTES"));

    campos.setCodigo(QStringLiteral("123'4567890123"));
    EXPECT_TRUE(UnicaEtiqueta(campos, impressora));
    EXPECT_TRUE(banco.enviadas().contains(
        QStringLiteral("Select * from FUNCIONARIOS  where registro= '1234567890123' ")));
    EXPECT_EQ(campos.codigo(), QStringLiteral("1234567890123"));
    EXPECT_EQ(campos.nome(), QStringLiteral("JOSE"));
    ASSERT_EQ(impressora.items().size(), 3);
    const PrintedItem& barras = impressora.items().at(0);
    EXPECT_EQ(barras.text, QStringLiteral("1234567890123"));
    EXPECT_EQ(QPointF(barras.x, barras.y), QPointF(300, 400));
    const PrintedItem& nome = impressora.items().at(1);
    EXPECT_EQ(nome.text, QStringLiteral("JOSE").leftJustified(25, QLatin1Char(' ')));
    EXPECT_EQ(QPointF(nome.x, nome.y), QPointF(500, 1400));
}

} // namespace
