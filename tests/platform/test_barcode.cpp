#include "BarCode.h"
#include "Clipboard.h"
#include "LeitorCodigos.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kCartao = QStringLiteral("7891000079195");

TEST(BarCodeTest, CardCodeFitsItsCellReadsBackAndRefusedTextsDrawNothing) {
    const BarCodePicture picture = BarCodePicture::ofText(kCartao);
    // The label cell, and the third column's cell on an A4 sheet (11 906 twips wide).
    EXPECT_LE(picture.size().width(), 3900);
    EXPECT_LE(picture.size().height(), 1000);
    EXPECT_LE(8200 + picture.size().width(), 11906);
    // A cheap scanner needs bars of 0.33 mm at least and ten blank modules on both sides.
    EXPECT_GE(BarCodePicture::kModule / 1440 * 25.4, 0.33);
    EXPECT_GE(picture.bars().first().start, 10);
    EXPECT_LE(picture.bars().last().end, picture.modules() - 10);
    EXPECT_EQ(LerCodigo(picture.toImage(2)).texto, kCartao);

    for (const QString& texto : {QString(), QString(81, QLatin1Char('1')), QStringLiteral("JOÃO")}) {
        const BarCodePicture vazia = BarCodePicture::ofText(texto);
        EXPECT_TRUE(vazia.isEmpty()) << texto.toStdString();
        EXPECT_EQ(vazia.size(), picture.size()) << "blank, of a card's size";
        EXPECT_TRUE(LerCodigo(vazia.toImage(2)).texto.isEmpty());
    }
}

TEST(BarCodeTest, SavedMetafileIsPlaceableAndReadsBackThroughLibwmf) {
    QTemporaryDir pasta;
    BarCode control;
    control.setDataToEncode(kCartao);
    const QString arquivo = pasta.filePath(QStringLiteral("SavedBarCode.wmf"));
    ASSERT_TRUE(control.SaveToFile(arquivo));
    QFile file(arquivo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray wmf = file.readAll();
    ASSERT_GT(wmf.size(), 22 + 18);
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData()), 0x9AC6CDD7u);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(wmf.constData() + i);
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 20), checksum);
    // The metafile's own size, in words, is the rest of the file.
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData() + 22 + 6) * 2, quint32(wmf.size() - 22));
    EXPECT_EQ(LerCodigo(DesenharWmf(arquivo)).texto, kCartao) << "drawn by libwmf";
    // The map mode first, then the window it maps: the first records after the header.
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 40 + 4), 0x0103);
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 48 + 4), 0x020B);
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 58 + 4), 0x020C);

    EXPECT_FALSE(control.SaveToFile(pasta.filePath(QStringLiteral("nao/existe/x.wmf"))));
}

TEST(BarCodeTest, ClipboardGetsMetafilePngAndSvg) {
    const BarCodePicture picture = BarCodePicture::ofText(kCartao);
    Clipboard::Clear();
    Clipboard::SetData(picture);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/x-wmf")), picture.toWmf());
    EXPECT_EQ(LerCodigo(QImage::fromData(data->data(QStringLiteral("image/png")), "PNG")).texto, kCartao);
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains(">" + kCartao.toLatin1() + "</text>"));
}

// An ended document with nothing on it sends nothing: no job, no file, and a file of many
// documents gets no blank page for it.
TEST(PrinterRuleTest, EmptyDocumentsSendNothing) {
    QTemporaryDir root;
    qputenv("VELTO_DRIVE_ROOT", root.path().toUtf8());
    MsgBoxRecorder recorder;
    {
        QtPrinter printer(QtPrinter::Destination::PdfFile);
        printer.print(QStringLiteral("antes"));
        printer.endDoc();
        ASSERT_FALSE(printer.lastDocumentPath().isEmpty());
        printer.print(QStringLiteral("   "));
        printer.newPage();
        printer.endDoc();
        EXPECT_TRUE(printer.lastDocumentPath().isEmpty()) << "the last document went nowhere";
        EXPECT_EQ(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).size(), 1);
    }
    const QString arquivo = root.filePath(QStringLiteral("um.pdf"));
    {
        QtPrinter printer(arquivo);
        printer.print(QStringLiteral("primeiro"));
        printer.endDoc();
        printer.endDoc();
        printer.newPage(); // a page left blank inside a document is kept
        printer.print(QStringLiteral("segundo"));
        printer.endDoc();
        EXPECT_TRUE(printer.closeFile());
    }
    EXPECT_EQ(PaginasPdf(arquivo, 20).size(), 3);

    RecordingPrinter recording;
    recording.print(QString());
    recording.endDoc();
    EXPECT_EQ(recording.documentsEnded(), 0);
    EXPECT_TRUE(recording.items().isEmpty());
    EXPECT_TRUE(recorder.calls.isEmpty());
}

} // namespace
