#include "BancoTeste.h"
#include "DatabaseError.h"
#include "Etiquetas.h"
#include "LeitorCodigos.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The n-th employee (from 1): codigo order is neither name order nor card order.
QString Nome(int n) {
    return n == 1 ? u"MARIA APARECIDA DOS SANTOS REI"_s : n == 2 ? u"ANA"_s : u"FUNC %1"_s.arg(200 - n);
}
QString Registro(int n) {
    return QString::number(7891000000000LL + (n * 7919) % 100000);
}

class EtiquetasTeste : public ::testing::Test {
protected:
    BancoTeste banco{u"etiquetas"_s, [](BancoTeste& b) {
                         for (int n = 1; n <= 55; ++n)
                             b.funcionario(Nome(n), Registro(n));
                     }};
    RecordingPrinter impressora;
    CamposTexto campos;
};

TEST_F(EtiquetasTeste, EtiquetaUnicaEFolhasDeNoveLinhasDeTresColunasEmOrdemDeCodigo) {
    // One label: the card code without apostrophes; nothing for a card of nobody.
    campos.setNome(u"ANTES"_s);
    campos.setCodigo(u"999'99"_s);
    EXPECT_FALSE(UnicaEtiqueta(campos, impressora));
    EXPECT_TRUE(impressora.items().isEmpty());
    EXPECT_EQ(campos.codigo() + ' ' + campos.nome(), u"99999 ANTES"_s);

    campos.setCodigo(Registro(3).insert(3, u'\''));
    EXPECT_TRUE(UnicaEtiqueta(campos, impressora));
    EXPECT_TRUE(
        banco.enviadas().contains("Select * from FUNCIONARIOS  where registro= '" + Registro(3) + "' "));
    EXPECT_EQ(campos.codigo() + ' ' + campos.nome(), Registro(3) + ' ' + Nome(3));
    const auto unica = impressora.items();
    EXPECT_EQ(QStringList({unica.value(0).text, unica.value(1).text}),
              QStringList({Registro(3), Nome(3).leftJustified(25)}));
    EXPECT_EQ(QPointF(unica.value(1).x, unica.value(1).y), QPointF(500, 1400));

    impressora.clear();
    EXPECT_EQ(A4_4ColunasEtiquetaCodBarW(campos, impressora), 55);
    EXPECT_EQ(impressora.documentsEnded(), 1);
    EXPECT_EQ(impressora.items(PrintedItem::Kind::NewPage).size(), 2);
    EXPECT_TRUE(banco.enviadas().contains(u"Select * from FUNCIONARIOS  order by codigo"_s));

    impressora.clear();
    impressora.setFontSize(7.5);
    // A database error halfway through the sheet: the half sheet is dropped, not sent.
    int lidos = 0;
    conexaoBanco->setObserver([&lidos](const QString& sql) {
        if (sql.contains(QLatin1String("where codigo")) && ++lidos == 30)
            throw DatabaseError(u"Disco cheio"_s);
    });
    EXPECT_THROW(A4_4ColunasEtiquetaCodBarW(campos, impressora), DatabaseError);
    EXPECT_EQ(impressora.documentsEnded(), 0);
    EXPECT_EQ(impressora.items().last().kind, PrintedItem::Kind::Abort);
    conexaoBanco->setObserver({});

    banco.sql(u"delete from funcionarios where codigo > 28"_s);
    // Printed on paper and read back: every cell of both pages, the second holding one label.
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(u"etiquetas.pdf"_s);
    {
        QtPrinter papel(pdf);
        EXPECT_EQ(A4_4ColunasEtiquetaCodBarW(campos, papel), 28);
        ASSERT_TRUE(papel.closeFile());
    }
    const QList<QImage> paginas = PaginasPdf(pdf, 200);
    ASSERT_EQ(paginas.size(), 2);
    const double pontos = 200 / 1440.0, colunas[] = {300, 4200, 8200};
    for (int k = 0; k < 54; ++k) {
        const int celula = k % 27;
        const QRect regiao(int(colunas[celula % 3] * pontos), int((400 + 1800 * (celula / 3)) * pontos),
                           int(3900 * pontos), int(1000 * pontos));
        EXPECT_EQ(LerCodigoEm(paginas.at(k / 27), regiao), k < 28 ? Registro(k + 1) : QString()) << k;
    }
    EXPECT_EQ(campos.codigo() + ' ' + campos.nome(), Registro(28) + ' ' + Nome(28));

    // A full page starts no empty one.
    banco.sql(u"delete from funcionarios where codigo > 27"_s);
    impressora.clear();
    EXPECT_EQ(A4_4ColunasEtiquetaCodBarW(campos, impressora), 27);
    EXPECT_TRUE(impressora.items(PrintedItem::Kind::NewPage).isEmpty());
    // Names in a field of 25 characters, at 10 points, bold, under their cells' barcodes at 7.
    const QList<PrintedItem> nomes = impressora.items(PrintedItem::Kind::Text);
    EXPECT_EQ(QPointF(nomes.value(26).x, nomes.value(26).y), QPointF(8400, 15800));
    EXPECT_EQ(nomes.value(0).text + nomes.value(1).text,
              u"MARIA APARECIDA DOS SANTOANA"_s + QString(22, ' '));
    EXPECT_TRUE(nomes.value(0).fontSize == 10 && nomes.value(0).bold);
    EXPECT_EQ(impressora.items(PrintedItem::Kind::BarCode).at(1).fontSize, 7);
    // The printer has its own settings back for the next report.
    EXPECT_TRUE(impressora.fontSize() == 7.5 && !impressora.fontBold() &&
                impressora.origin() == Printer::Origin::PrintableArea);
}

} // namespace
