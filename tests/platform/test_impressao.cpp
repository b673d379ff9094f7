#include "MsgBox.h"
#include "PrintQueue.h"
#include "QtPrinter.h"
#include "ServidorCups.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString TextoDoPdf(const QByteArray& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-"), QStringLiteral("-")});
    p.write(pdf);
    p.closeWriteChannel();
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One server for the suite: the print library keeps the server it first talked to.
class ImpressaoCups : public ::testing::Test {
protected:
    static void SetUpTestSuite() { servidor = new ServidorCups; }
    static void TearDownTestSuite() {
        delete servidor;
        servidor = nullptr;
    }
    void SetUp() override {
        qputenv("VELTO_DRIVE_ROOT", raiz.path().toUtf8());
        ASSERT_TRUE(cups.iniciado()) << cups.erro().toStdString();
    }
    QStringList pdfsGuardados() const { return QDir(QtPrinter::pdfFolder()).entryList(QDir::Files); }

    static inline ServidorCups* servidor = nullptr;
    QTemporaryDir raiz;
    ServidorCups& cups = *servidor;
    MsgBoxRecorder mensagens;
};

} // namespace

TEST_F(ImpressaoCups, FilaAtivaRecebeOTrabalhoESoElaNadaFicaGuardado) {
    EXPECT_EQ(PrintQueue::defaultName(), QStringLiteral("Velto"));
    QtPrinter impressora;
    impressora.print(QStringLiteral("CARTAO DE PONTO DE TESTE"));
    impressora.endDoc();
    EXPECT_TRUE(impressora.lastDocumentNotice().isEmpty());
    EXPECT_TRUE(impressora.lastDocumentPath().isEmpty());
    const QByteArray recebido = cups.esperarTrabalho(QStringLiteral("Velto"));
    ASSERT_FALSE(recebido.isEmpty()) << "the job never reached the queue";
    EXPECT_TRUE(TextoDoPdf(recebido).contains(QStringLiteral("CARTAO DE PONTO DE TESTE")));
    EXPECT_TRUE(pdfsGuardados().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(ImpressaoCups, FilaParadaRecusadaOuInexistenteViraPdfComOMotivo) {
    const struct {
        const char* fila;
        const char* motivo;
    } casos[] = {{"Parada", "A impressora Parada está parada"},
                 {"Recusa", "A impressora Recusa não está aceitando trabalhos"},
                 {"Nenhuma", "A impressora Nenhuma não foi encontrada"}};
    for (const auto& caso : casos) {
        const QString fila = QLatin1String(caso.fila);
        QtPrinter impressora(QtPrinter::Destination::SystemDefault, fila);
        impressora.print(QStringLiteral("linha de ") + fila);
        impressora.endDoc();
        const QString arquivo = impressora.lastDocumentPath();
        ASSERT_TRUE(QFileInfo::exists(arquivo)) << caso.fila;
        EXPECT_EQ(QFileInfo(arquivo).absolutePath(), QtPrinter::pdfFolder());
        EXPECT_EQ(impressora.lastDocumentNotice().toStdString(),
                  (QString::fromUtf8(caso.motivo) + QStringLiteral(": o documento foi gravado no arquivo\n") +
                   arquivo)
                      .toStdString());
        QFile pdf(arquivo);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(TextoDoPdf(pdf.readAll()).contains(QStringLiteral("linha de ") + fila));
    }
    // Nothing waits in the stopped queue to come out some day later.
    EXPECT_TRUE(cups.trabalhosPendentes(QStringLiteral("Parada")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(cups.saidaDaFila(QStringLiteral("Parada"))));
    EXPECT_EQ(pdfsGuardados().size(), 3);
}
