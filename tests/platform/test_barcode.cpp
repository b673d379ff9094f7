#include "BarCode.h"
#include "BarCodePicture.h"
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
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kCartao = QStringLiteral("7891000079195");

int PaginasDoPdf(const QString& arquivo) {
    return int(PaginasPdf(arquivo, 20).size());
}

TEST(BarCodeTest, CardCodeFitsItsCellAndReadsBack) {
    const BarCodePicture picture = BarCodePicture::ofText(kCartao);
    ASSERT_FALSE(picture.isEmpty());
    EXPECT_EQ(picture.text(), kCartao);
    // The label cell, and the third column's cell on an A4 sheet (11 906 twips wide).
    EXPECT_LE(picture.size().width(), 3900);
    EXPECT_LE(picture.size().height(), 1000);
    EXPECT_LE(8200 + picture.size().width(), 11906);
    // A cheap scanner needs bars of 0.33 mm at least and ten blank modules on both sides.
    EXPECT_GE(BarCodePicture::kModule / 1440 * 25.4, 0.33);
    EXPECT_GE(picture.bars().first().start, 10);
    EXPECT_LE(picture.bars().last().end, picture.modules() - 10);
    EXPECT_TRUE(picture.showsText());

    EXPECT_EQ(LerCodigo(picture.toImage(2)).texto, kCartao);
    // Any text of Code 128's set reads back too.
    EXPECT_EQ(LerCodigo(BarCodePicture::ofText(QStringLiteral("Velto-42")).toImage(3)).texto,
              QStringLiteral("Velto-42"));
}

TEST(BarCodeTest, TextsTheWriterRefusesDrawAnEmptyPicture) {
    for (const QString& texto : {QString(), QString(81, QLatin1Char('1')), QStringLiteral("JOÃO")}) {
        const BarCodePicture picture = BarCodePicture::ofText(texto);
        EXPECT_TRUE(picture.isEmpty()) << texto.toStdString();
        EXPECT_FALSE(picture.showsText());
        EXPECT_EQ(picture.size(), BarCodePicture::ofText(kCartao).size()) << "blank, of a card's size";
        EXPECT_TRUE(LerCodigo(picture.toImage(2)).texto.isEmpty());
    }
}

TEST(BarCodeTest, ControlRedrawsOnEveryChange) {
    BarCode control;
    int redraws = 0;
    QObject::connect(&control, &BarCode::redrawn, &control, [&redraws] { ++redraws; });
    control.setDataToEncode(QStringLiteral("12"));
    control.setDataToEncode(QStringLiteral("123"));
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(control.Picture().text(), QStringLiteral("123"));
    control.setDataToEncode(QStringLiteral("ÇÇ"));
    EXPECT_EQ(control.DataToEncode(), QStringLiteral("ÇÇ"));
    EXPECT_TRUE(control.Picture().isEmpty());
    control.resize(control.sizeHint());
    control.setDataToEncode(kCartao);
    EXPECT_EQ(LerCodigo(control.grab().toImage()).texto, kCartao) << "as shown on the screen";
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
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 14), 1440) << "units are twips";
    // The metafile's own size, in words, is the rest of the file.
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData() + 22 + 6) * 2, quint32(wmf.size() - 22));

    const QImage drawn = DesenharWmf(arquivo);
    ASSERT_FALSE(drawn.isNull()) << "wmf2gd opens it";
    EXPECT_EQ(LerCodigo(drawn).texto, kCartao);
    QProcess svg;
    svg.start(QStringLiteral("wmf2svg"), {arquivo});
    ASSERT_TRUE(svg.waitForFinished(60000));
    EXPECT_EQ(svg.exitCode(), 0);
    EXPECT_TRUE(svg.readAllStandardOutput().contains("<text")) << "the text is a text record";
    EXPECT_TRUE(wmf.contains(kCartao.toLatin1()));

    EXPECT_FALSE(control.SaveToFile(pasta.filePath(QStringLiteral("nao/existe/x.wmf"))));
}

TEST(BarCodeTest, ClipboardGetsMetafilePngAndSvg) {
    const BarCodePicture picture = BarCodePicture::ofText(kCartao);
    Clipboard::Clear();
    Clipboard::SetData(picture);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/x-wmf")), picture.toWmf());
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(LerCodigo(png).texto, kCartao);
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains(">" + kCartao.toLatin1() + "</text>"));
    Clipboard::Clear();
    const QMimeData* cleared = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(!cleared || !cleared->hasFormat(QStringLiteral("image/x-wmf")));
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
        printer.setFontSize(10);
        printer.endDoc();
        EXPECT_TRUE(printer.lastDocumentPath().isEmpty()) << "the last document went nowhere";
        printer.print(QString());
        printer.print(QStringLiteral("   "));
        printer.newPage();
        printer.endDoc();
        EXPECT_TRUE(printer.lastDocumentPath().isEmpty());
        EXPECT_EQ(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).size(), 1);
    }

    const QString arquivo = root.filePath(QStringLiteral("um.pdf"));
    {
        QtPrinter printer(arquivo);
        printer.print(QStringLiteral("primeiro"));
        printer.endDoc();
        printer.print(QString());
        printer.endDoc();
        printer.newPage(); // a page left blank inside a document is kept
        printer.print(QStringLiteral("terceiro"));
        printer.endDoc();
        EXPECT_TRUE(printer.closeFile());
    }
    EXPECT_EQ(PaginasDoPdf(arquivo), 3);
    {
        QtPrinter printer(root.filePath(QStringLiteral("vazio.pdf")));
        printer.endDoc();
        EXPECT_FALSE(printer.closeFile());
    }
    EXPECT_FALSE(QFile::exists(root.filePath(QStringLiteral("vazio.pdf"))));

    RecordingPrinter recording;
    recording.print(QStringLiteral("um"));
    recording.endDoc();
    recording.print(QString());
    recording.newPage();
    recording.endDoc();
    EXPECT_EQ(recording.documentsEnded(), 1);
    EXPECT_EQ(recording.lines(), QStringList{QStringLiteral("um")});
    EXPECT_TRUE(recorder.calls.isEmpty());
}

// Label stock is measured from the paper's corner, whatever the printer's margins.
TEST(PrinterRuleTest, PaperCornerOriginPlacesBarcodesOnThePaper) {
    QTemporaryDir root;
    const QString arquivo = root.filePath(QStringLiteral("etiqueta.pdf"));
    {
        QtPrinter printer(arquivo);
        printer.setOrigin(Printer::Origin::PaperCorner);
        EXPECT_NEAR(printer.scaleWidth(), 11906, 10); // A4, in whole points
        EXPECT_NEAR(printer.scaleHeight(), 16838, 10);
        printer.paintPicture(BarCodePicture::ofText(kCartao), 8200, 14800);
        printer.endDoc();
        ASSERT_TRUE(printer.closeFile());
    }
    const QList<QImage> paginas = PaginasPdf(arquivo, 200);
    ASSERT_EQ(paginas.size(), 1);
    const CodigoLido lido = LerCodigo(paginas.first());
    EXPECT_EQ(lido.texto, kCartao);
    // The first bar begins ten modules right of the point; 200 dpi is 1440/200 twips a dot.
    const double twipsPorPonto = 1440.0 / 200;
    EXPECT_NEAR(lido.posicao.left() * twipsPorPonto, 8200 + 10 * BarCodePicture::kModule, 40);
    EXPECT_GE(lido.posicao.top() * twipsPorPonto, 14800 - 40);
    EXPECT_LE(lido.posicao.bottom() * twipsPorPonto, 14800 + BarCodePicture::kBarHeight + 40);
}

} // namespace
