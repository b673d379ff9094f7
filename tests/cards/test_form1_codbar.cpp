#include "BancoTeste.h"
#include "BarCode.h"
#include "Form1_CODBAR.h"
#include "LeitorCodigos.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"
#include "TelaTeste.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kSalvar =
    QStringLiteral("Your barcode will be saved to the file [SavedBarCode.wmf] in the program directory.");

// The form as the employee registry opens it: two line edits stand in for its name and card
// fields.
class FormCodBarTeste : public ::testing::Test {
protected:
    void SetUp() override {
        banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"));
        banco.funcionario(QStringLiteral("BRUNO"), QStringLiteral("7891000158388"));
        pastaAnterior = QDir::currentPath();
        QDir::setCurrent(pasta.path());
        auto gravadora = std::make_unique<RecordingPrinter>();
        impressora = gravadora.get();
        SetDefaultPrinter(std::move(gravadora));
        nome.setText(QStringLiteral("BRUNO"));
        codigo.setText(QStringLiteral("7891000158388"));
        area.resize(900, 600);
        ASSERT_TRUE(Ativar(area));
        tela = Form1_CODBAR::Mostrar(&area, &nome, &codigo);
        Processar();
    }
    void TearDown() override {
        SetDefaultPrinter(nullptr);
        QDir::setCurrent(pastaAnterior);
    }
    QList<PrintedItem> barras() const { return impressora->items(PrintedItem::Kind::BarCode); }

    BancoTeste banco;
    QTemporaryDir pasta;
    QString pastaAnterior;
    MsgBoxRecorder mensagens;
    RecordingPrinter* impressora = nullptr;
    QLineEdit nome;
    QLineEdit codigo;
    QMdiArea area;
    QPointer<Form1_CODBAR> tela;
};

TEST_F(FormCodBarTeste, CarregaDoCadastroEUmaSoInstanciaVemParaAFrente) {
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("IMPRESSAO DE CODIGO"));
    EXPECT_EQ(tela->txtdescricao->text(), QStringLiteral("BRUNO"));
    EXPECT_EQ(tela->DataToEncodeText->text(), QStringLiteral("7891000158388"));
    EXPECT_EQ(LerCodigo(tela->BarCode1->grab().toImage()).texto, QStringLiteral("7891000158388"));
    EXPECT_TRUE(tela->DataToEncodeText->hasFocus());

    nome.setText(QStringLiteral("ANA"));
    codigo.setText(QStringLiteral("7891000079195"));
    auto* outra = new QWidget;
    area.addSubWindow(outra)->show();
    area.setActiveSubWindow(area.subWindowList().last());
    EXPECT_EQ(Form1_CODBAR::Mostrar(&area, &nome, &codigo), tela.data());
    EXPECT_EQ(area.activeSubWindow(), tela->subWindow());
    EXPECT_EQ(tela->txtdescricao->text(), QStringLiteral("BRUNO")) << "not loaded again";

    QTest::keyClick(tela->txtdescricao, Qt::Key_Escape);
    Processar();
    EXPECT_TRUE(tela.isNull());
    nome.clear();
    codigo.clear();
    tela = Form1_CODBAR::Mostrar(&area, &nome, &codigo);
    Processar();
    EXPECT_TRUE(tela->DataToEncodeText->text().isEmpty() && tela->txtdescricao->text().isEmpty());
    EXPECT_TRUE(tela->BarCode1->Picture().isEmpty());
}

TEST_F(FormCodBarTeste, EnterPassaAoProximoCampoEOCodigoSegueCadaTecla) {
    QTest::keyClick(tela->DataToEncodeText, Qt::Key_Return);
    Processar();
    EXPECT_TRUE(tela->txtdescricao->hasFocus());
    EXPECT_EQ(tela->DataToEncodeText->text(), QStringLiteral("7891000158388"));

    tela->DataToEncodeText->setFocus();
    tela->DataToEncodeText->clear();
    Processar();
    int redesenhos = 0;
    QObject::connect(tela->BarCode1, &BarCode::redrawn, tela, [&] {
        ++redesenhos;
        EXPECT_EQ(tela->BarCode1->Picture().text(), tela->DataToEncodeText->text());
    });
    QTest::keyClicks(tela->DataToEncodeText, QStringLiteral("1234567890123"));
    EXPECT_EQ(redesenhos, 13);
    EXPECT_EQ(LerCodigo(tela->BarCode1->grab().toImage()).texto, QStringLiteral("1234567890123"));
}

TEST_F(FormCodBarTeste, ImprimirEscolhePelaCaixaAFolhaOuAEtiqueta) {
    tela->PrintDirect->click();
    ASSERT_EQ(barras().size(), 1);
    EXPECT_EQ(barras().first().text, QStringLiteral("7891000158388"));

    impressora->clear();
    tela->ckboxTodosFunc->setChecked(true);
    tela->PrintDirect->click();
    ASSERT_EQ(barras().size(), 2);
    EXPECT_EQ(barras().at(0).text, QStringLiteral("7891000079195"));

    impressora->clear();
    tela->ckboxTodosFunc->setChecked(false);
    tela->DataToEncodeText->setText(QStringLiteral("000'1"));
    tela->txtdescricao->setText(QStringLiteral("QUALQUER"));
    tela->PrintDirect->click();
    EXPECT_TRUE(impressora->items().isEmpty());
    EXPECT_EQ(tela->DataToEncodeText->text(), QStringLiteral("0001"));
    EXPECT_EQ(tela->txtdescricao->text(), QStringLiteral("QUALQUER"));
    EXPECT_TRUE(mensagens.calls.isEmpty());

    tela->PrintForm->click();
    ASSERT_EQ(impressora->items().size(), 2);
    EXPECT_EQ(impressora->items().first().kind, PrintedItem::Kind::Picture);
    EXPECT_NEAR(impressora->items().first().width, tela->width() * 15.0, 1) << "at its size on the screen";
}

TEST_F(FormCodBarTeste, SemImpressoraOsDocumentosViramPdfEOUsuarioSabeOnde) {
    QTemporaryDir raiz;
    const QByteArray anterior = qgetenv("VELTO_DRIVE_ROOT");
    qputenv("VELTO_DRIVE_ROOT", raiz.path().toUtf8());
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    tela->PrintDirect->click();
    ASSERT_EQ(mensagens.calls.size(), 1);
    EXPECT_TRUE(mensagens.texts().first().startsWith(QStringLiteral("Não há impressora configurada")));
    const QStringList arquivos = QDir(QtPrinter::pdfFolder()).entryList(QDir::Files);
    ASSERT_EQ(arquivos.size(), 1);
    EXPECT_TRUE(mensagens.texts().first().endsWith(arquivos.first()));
    tela->DataToEncodeText->setText(QStringLiteral("1"));
    tela->PrintDirect->click();
    EXPECT_EQ(mensagens.calls.size(), 1) << "nobody has that card: nothing printed, nothing said";
    qputenv("VELTO_DRIVE_ROOT", anterior);
}

TEST_F(FormCodBarTeste, GravaOArquivoNaPastaAtualECopiaParaAAreaDeTransferencia) {
    tela->SaveToFile->click();
    tela->SaveToFile->click();
    EXPECT_EQ(mensagens.texts(), QStringList(2, kSalvar));
    EXPECT_EQ(mensagens.calls.first().icon, MsgBoxIcon::None);
    EXPECT_EQ(mensagens.calls.first().title, QStringLiteral("Velto"));
    QFile arquivo(pasta.filePath(QStringLiteral("SavedBarCode.wmf")));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll(), BarCodePicture::ofText(QStringLiteral("7891000158388")).toWmf());

    // A folder where the file should be: the user is told, nothing passes for saved.
    arquivo.close();
    arquivo.remove();
    ASSERT_TRUE(QDir(pasta.path()).mkdir(QStringLiteral("SavedBarCode.wmf")));
    tela->SaveToFile->click();
    ASSERT_EQ(mensagens.calls.size(), 4);
    EXPECT_TRUE(mensagens.texts().last().startsWith(QStringLiteral("Não foi possível gravar o arquivo")));

    tela->CopyToClipboard->click();
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(dados, nullptr);
    EXPECT_EQ(dados->data(QStringLiteral("image/x-wmf")), tela->BarCode1->Picture().toWmf());
}

} // namespace
