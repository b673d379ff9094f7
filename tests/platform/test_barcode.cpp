#include "BancoTeste.h"
#include "BarCodePicture.h"
#include "Clipboard.h"
#include "Clock.h"
#include "LeitorCodigos.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

const QString kCartao = u"7891000079195"_s;

// Quiet zones, and the code read back from the clipboard's PNG and SVG and from the metafile (libwmf).
TEST(BarCodeTest, CodigoLidoDeVoltaETextoRecusadoNaoDesenhaNada) {
    const BarCodePicture figura = BarCodePicture::ofText(kCartao);
    EXPECT_GE(figura.bars().first().start, 10) << "a quiet zone";
    for (const QString& texto : {QString(), QString(81, u'1'), u"JOÃO"_s}) {
        const BarCodePicture vazia = BarCodePicture::ofText(texto);
        EXPECT_TRUE(vazia.isEmpty() && LerCodigo(vazia.toImage(2)).texto.isEmpty()) << texto.toStdString();
    }
    Clipboard::Clear();
    Clipboard::SetData(figura);
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(dados, nullptr);
    EXPECT_EQ(LerCodigo(QImage::fromData(dados->data(u"image/png"_s), "PNG")).texto, kCartao);
    EXPECT_TRUE(dados->data(u"image/svg+xml"_s).contains(">" + kCartao.toLatin1() + "</text>"));
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(u"x.wmf"_s);
    const QByteArray wmf = figura.toWmf();
    QFile file(arquivo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(wmf) == wmf.size());
    file.close();
    EXPECT_EQ(LerCodigo(DesenharWmf(arquivo)).texto, kCartao);
}

// Wide lines shrink; aborted or blank documents and an unwritable folder leave no file, no blank page.
TEST(QtPrinterTest, ImprimeLinhasEmPaginasDePdfEDocumentoAbortadoOuVazioNaoDeixaNada) {
    QTemporaryDir raiz;
    qputenv("VELTO_DRIVE_ROOT", raiz.path().toUtf8());
    MsgBoxRecorder mensagens;
    Clock::set(QDateTime(QDate(2026, 12, 6), QTime(19, 30, 0)));
    QtPrinter printer(QtPrinter::Destination::PdfFile);
    ASSERT_TRUE(printer.printsToPdf());
    // The rule of 113 "-" fits the printable width (margins of 8 mm) at the default size.
    EXPECT_LE(printer.textWidth(QString(113, u'-')), printer.scaleWidth());
    const double linha = printer.textHeight();
    printer.setFontBold(true);
    printer.print(u"RELATORIO DE TESTE"_s);
    printer.print(QString(113, u'-'));
    printer.setFontBold(false);
    for (int i = 1; i <= 200; ++i)
        printer.print(u"%1 | FUNCIONARIO %2 | 08:00:00"_s.arg(i, 4).arg(i, -18));
    QImage figura(40, 20, QImage::Format_RGB32);
    figura.fill(Qt::black);
    printer.paintPicture(figura, 1440, printer.currentY(), 1440, 720);
    printer.endDoc();
    const QString caminho = printer.lastDocumentPath();
    EXPECT_EQ(QFileInfo(caminho).fileName(), u"velto-20261206-193000.pdf"_s);
    EXPECT_EQ(QFileInfo(caminho).absolutePath(),
              QFileInfo(raiz.path() + u"/C/PONTO/impressoes"_s).absoluteFilePath());
    const int porPagina = int(printer.scaleHeight() / linha);
    EXPECT_EQ(PaginasPdf(caminho, 20).size(), (202 + porPagina - 1) / porPagina);
    printer.print(u"outra"_s);
    printer.endDoc();
    EXPECT_EQ(QFileInfo(printer.lastDocumentPath()).fileName(), u"velto-20261206-193000-2.pdf"_s);
    EXPECT_EQ(PaginasPdf(printer.lastDocumentPath(), 20).size(), 1);
    Clock::set(QDateTime());
    RecordingPrinter gravada;
    gravada.print(QString());
    gravada.endDoc();
    EXPECT_TRUE(gravada.items().isEmpty());
    for (const QString& texto :
         {u"curta"_s, QString(200, u'y'), QString(106, u'x') + u"    F. CONFRATERNIZACAO UNIVERSAL"_s,
          u"curta de novo"_s})
        gravada.print(texto);
    const QList<PrintedItem> itens = gravada.items();
    ASSERT_EQ(itens.size(), 5);
    EXPECT_EQ(itens[0].fontSize, Printer::kDefaultFontSize);
    EXPECT_LT(itens[1].fontSize, Printer::kDefaultFontSize) << "no gap: the whole line is smaller";
    // The columns keep their size and place; the last field goes below, against the right edge.
    EXPECT_EQ(itens[2].text, QString(106, u'x') + u"    "_s);
    EXPECT_EQ(itens[3].text, u"F. CONFRATERNIZACAO UNIVERSAL"_s);
    EXPECT_EQ(itens[4].fontSize, Printer::kDefaultFontSize);
    EXPECT_DOUBLE_EQ(itens[3].x + gravada.textWidth(itens[3].text), gravada.scaleWidth());
    EXPECT_DOUBLE_EQ(itens[3].y, itens[2].y + gravada.textHeight());
    EXPECT_DOUBLE_EQ(itens[4].y, itens[3].y + gravada.textHeight()) << "the next line follows below";
    gravada.abortDoc();
    EXPECT_EQ(gravada.documentsEnded(), 0);
    ASSERT_TRUE(QDir(raiz.path() + u"/C"_s).removeRecursively());
    QFile bloqueio(raiz.path() + u"/C"_s); // a file where the folder should be
    ASSERT_TRUE(bloqueio.open(QIODevice::WriteOnly));
    bloqueio.close();
    printer.print(u"linha"_s);
    printer.endDoc();
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty());
    EXPECT_EQ(mensagens.texts(), QStringList{printer.lastError()});
    EXPECT_EQ(printer.lastError(), u"Não foi possível criar a pasta %1."_s.arg(QtPrinter::pdfFolder()));
    ASSERT_TRUE(bloqueio.remove());
    printer.setFontName(u"Courier New"_s);
    const QString feriado = QString(106, u'x') + u"F. CONFRATERNIZACAO UNIVERSAL"_s;
    printer.print(feriado);
    printer.abortDoc();
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty());
    EXPECT_TRUE(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).isEmpty()) << "aborted: no file";
    printer.print(feriado);
    printer.endDoc();
    EXPECT_TRUE(QFile::exists(printer.lastDocumentPath()));
    printer.print(u"   "_s);
    printer.newPage();
    printer.endDoc();
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty()) << "the last document went nowhere";
    EXPECT_EQ(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(mensagens.calls.size(), 1);
}

} // namespace
