#include "BancoTeste.h"
#include "BarCode.h"
#include "Clipboard.h"
#include "LeitorCodigos.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kCartao = u"7891000079195"_s;

TEST(BarCodeTest, CodigoCabeNaCelulaLeSeDeVoltaETextoRecusadoNaoDesenhaNada) {
    const BarCodePicture figura = BarCodePicture::ofText(kCartao);
    // The label cell, and the third column's cell on an A4 sheet (11 906 twips wide).
    EXPECT_LE(figura.size().width(), 3900);
    EXPECT_LE(figura.size().height(), 1000);
    EXPECT_LE(8200 + figura.size().width(), 11906);
    // A cheap scanner needs bars of 0.33 mm at least and ten blank modules on both sides.
    EXPECT_GE(BarCodePicture::kModule / 1440 * 25.4, 0.33);
    EXPECT_GE(figura.bars().first().start, 10);
    EXPECT_LE(figura.bars().last().end, figura.modules() - 10);
    EXPECT_EQ(LerCodigo(figura.toImage(2)).texto, kCartao);
    for (const QString& texto : {QString(), QString(81, u'1'), u"JOÃO"_s}) {
        const BarCodePicture vazia = BarCodePicture::ofText(texto);
        EXPECT_TRUE(vazia.isEmpty()) << texto.toStdString();
        EXPECT_EQ(vazia.size(), figura.size()) << "blank, of a card's size";
        EXPECT_TRUE(LerCodigo(vazia.toImage(2)).texto.isEmpty());
    }

    // The clipboard gets the metafile, a PNG and an SVG of it.
    Clipboard::Clear();
    Clipboard::SetData(figura);
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(dados, nullptr);
    EXPECT_EQ(dados->data(u"image/x-wmf"_s), figura.toWmf());
    EXPECT_EQ(LerCodigo(QImage::fromData(dados->data(u"image/png"_s), "PNG")).texto, kCartao);
    EXPECT_TRUE(dados->data(u"image/svg+xml"_s).contains(">" + kCartao.toLatin1() + "</text>"));
}

TEST(BarCodeTest, MetafileGravadoEPosicionavelELidoPelaLibwmf) {
    QTemporaryDir pasta;
    BarCode controle;
    controle.setDataToEncode(kCartao);
    const QString arquivo = pasta.filePath(u"SavedBarCode.wmf"_s);
    ASSERT_TRUE(controle.SaveToFile(arquivo));
    QFile file(arquivo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray wmf = file.readAll();
    ASSERT_GT(wmf.size(), 22 + 18);
    const auto palavra = [&wmf](int posicao) {
        return qFromLittleEndian<quint16>(wmf.constData() + posicao);
    };
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData()), 0x9AC6CDD7u);
    quint16 soma = 0;
    for (int i = 0; i < 20; i += 2)
        soma ^= palavra(i);
    EXPECT_EQ(palavra(20), soma);
    // The metafile's own size, in words, is the rest of the file.
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData() + 22 + 6) * 2, quint32(wmf.size() - 22));
    EXPECT_EQ(LerCodigo(DesenharWmf(arquivo)).texto, kCartao) << "drawn by libwmf";
    // The map mode first, then the window it maps: the first records after the header.
    EXPECT_EQ(palavra(40 + 4), 0x0103);
    EXPECT_EQ(palavra(48 + 4), 0x020B);
    EXPECT_EQ(palavra(58 + 4), 0x020C);
    EXPECT_FALSE(controle.SaveToFile(pasta.filePath(u"nao/existe/x.wmf"_s)));
}

// An ended document with nothing on it sends nothing: no job, no file, and a file of many
// documents gets no blank page for it.
TEST(PrinterRuleTest, DocumentoVazioNaoEnviaNada) {
    QTemporaryDir raiz;
    qputenv("VELTO_DRIVE_ROOT", raiz.path().toUtf8());
    MsgBoxRecorder mensagens;
    {
        QtPrinter printer(QtPrinter::Destination::PdfFile);
        printer.print(u"antes"_s);
        printer.endDoc();
        ASSERT_FALSE(printer.lastDocumentPath().isEmpty());
        printer.print(u"   "_s);
        printer.newPage();
        printer.endDoc();
        EXPECT_TRUE(printer.lastDocumentPath().isEmpty()) << "the last document went nowhere";
        EXPECT_EQ(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).size(), 1);
    }
    const QString arquivo = raiz.filePath(u"um.pdf"_s);
    {
        QtPrinter printer(arquivo);
        printer.print(u"primeiro"_s);
        printer.endDoc();
        printer.endDoc();
        printer.newPage(); // a page left blank inside a document is kept
        printer.print(u"segundo"_s);
        printer.endDoc();
        EXPECT_TRUE(printer.closeFile());
    }
    EXPECT_EQ(PaginasPdf(arquivo, 20).size(), 3);
    RecordingPrinter gravada;
    gravada.print(QString());
    gravada.endDoc();
    EXPECT_EQ(gravada.documentsEnded(), 0);
    EXPECT_TRUE(gravada.items().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

} // namespace
