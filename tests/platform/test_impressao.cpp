#include "BancoTeste.h"
#include "MsgBox.h"
#include "PrintQueue.h"
#include "QtPrinter.h"
#include "ServidorCups.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString TextoDoPdf(const QByteArray& pdf) {
    QProcess p;
    p.start(u"pdftotext"_s, {u"-"_s, u"-"_s});
    p.write(pdf);
    p.closeWriteChannel();
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// One server, whose queues are the default "Velto" (running), "Parada" (stopped) and "Recusa"
// (refusing jobs): only the running queue gets the job; for the others, and one that does not
// exist, the document is kept as a PDF file and the notice says why.
TEST(ImpressaoCups, SoAFilaAtivaRecebeOTrabalhoAsOutrasViramPdfComOMotivo) {
    const ServidorCups cups;
    ASSERT_TRUE(cups.iniciado()) << cups.erro().toStdString();
    QTemporaryDir raiz;
    qputenv("VELTO_DRIVE_ROOT", raiz.path().toUtf8());
    MsgBoxRecorder mensagens;
    EXPECT_EQ(PrintQueue::defaultName(), u"Velto"_s);
    const struct {
        QString fila, motivo;
    } casos[] = {{u"Velto"_s, {}},
                 {u"Parada"_s, u"A impressora Parada está parada"_s},
                 {u"Recusa"_s, u"A impressora Recusa não está aceitando trabalhos"_s},
                 {u"Nenhuma"_s, u"A impressora Nenhuma não foi encontrada"_s}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.fila.toStdString());
        QtPrinter impressora(QtPrinter::Destination::SystemDefault, caso.fila);
        impressora.print(u"linha de "_s + caso.fila);
        impressora.endDoc();
        const QString arquivo = impressora.lastDocumentPath();
        QFile pdf(arquivo);
        if (caso.motivo.isEmpty()) {
            EXPECT_TRUE(impressora.lastDocumentNotice().isEmpty());
            EXPECT_TRUE(arquivo.isEmpty());
            const QByteArray recebido = cups.esperarTrabalho(caso.fila);
            ASSERT_FALSE(recebido.isEmpty()) << "the job never reached the queue";
            EXPECT_TRUE(TextoDoPdf(recebido).contains(u"linha de Velto"_s));
            EXPECT_TRUE(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).isEmpty());
        } else {
            ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
            EXPECT_EQ(QFileInfo(arquivo).absolutePath(), QtPrinter::pdfFolder());
            EXPECT_EQ(impressora.lastDocumentNotice(),
                      caso.motivo + u": o documento foi gravado no arquivo\n"_s + arquivo);
            EXPECT_TRUE(TextoDoPdf(pdf.readAll()).contains(u"linha de "_s + caso.fila));
        }
    }
    // Nothing waits in the stopped queue to come out some day later.
    EXPECT_TRUE(cups.trabalhosPendentes(u"Parada"_s).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(cups.saidaDaFila(u"Parada"_s)));
    EXPECT_EQ(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(mensagens.calls.isEmpty());
}
