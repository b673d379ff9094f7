#include "BarCode.h"
#include "Form1_CODBAR.h"
#include "LeitorCodigos.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"
#include "TelaTeste.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// The form as the employee registry opens it: two line edits stand in for its name and card fields.
class FormCodBarTeste : public TesteDeTela {
protected:
    FormCodBarTeste()
        : TesteDeTela(u"codigo de barras"_s, [](BancoTeste& b) {
            b.funcionario("ANA", "7891000079195");
            b.funcionario("BRUNO", "7891000158388");
        }) {}
    void SetUp() override {
        TesteDeTela::SetUp();
        pastaAnterior = QDir::currentPath();
        QDir::setCurrent(pasta.path());
        auto gravadora = std::make_unique<RecordingPrinter>();
        impressora = gravadora.get();
        SetDefaultPrinter(std::move(gravadora));
        nome.setText(u"BRUNO"_s);
        codigo.setText(u"7891000158388"_s);
        tela = Form1_CODBAR::Mostrar(&area, &nome, &codigo);
        Processar();
    }
    void TearDown() override {
        SetDefaultPrinter(nullptr);
        QDir::setCurrent(pastaAnterior);
    }
    QStringList barras() const {
        QStringList textos;
        for (const PrintedItem& item : impressora->items(PrintedItem::Kind::BarCode))
            textos << item.text;
        return textos;
    }

    QTemporaryDir pasta;
    QString pastaAnterior;
    RecordingPrinter* impressora = nullptr;
    QLineEdit nome, codigo;
    QPointer<Form1_CODBAR> tela;
};

} // namespace

TEST_F(FormCodBarTeste, CarregaDoCadastroUmaSoInstanciaEOCodigoSegueCadaTecla) {
    EXPECT_EQ(tela->txtdescricao->text() + ' ' + tela->DataToEncodeText->text(), u"BRUNO 7891000158388"_s);
    EXPECT_EQ(LerCodigo(tela->BarCode1->grab().toImage()).texto, u"7891000158388"_s);
    EXPECT_TRUE(tela->DataToEncodeText->hasFocus());
    // Enter moves to the next field.
    QTest::keyClick(tela->DataToEncodeText, Qt::Key_Return);
    Processar();
    EXPECT_TRUE(tela->txtdescricao->hasFocus());
    EXPECT_EQ(tela->DataToEncodeText->text(), u"7891000158388"_s);

    nome.setText(u"ANA"_s);
    codigo.setText(u"7891000079195"_s);
    area.addSubWindow(new QWidget)->show();
    area.setActiveSubWindow(area.subWindowList().last());
    EXPECT_EQ(Form1_CODBAR::Mostrar(&area, &nome, &codigo), tela.data());
    EXPECT_EQ(area.activeSubWindow(), tela->subWindow());
    EXPECT_EQ(tela->txtdescricao->text(), u"BRUNO"_s) << "not loaded again";
    // The barcode follows every key.
    tela->DataToEncodeText->setFocus();
    tela->DataToEncodeText->clear();
    Processar();
    int redesenhos = 0;
    QObject::connect(tela->BarCode1, &BarCode::redrawn, tela, [&] {
        ++redesenhos;
        EXPECT_EQ(tela->BarCode1->Picture().text(), tela->DataToEncodeText->text());
    });
    QTest::keyClicks(tela->DataToEncodeText, u"1234567890123"_s);
    EXPECT_EQ(redesenhos, 13);
    EXPECT_EQ(LerCodigo(tela->BarCode1->grab().toImage()).texto, u"1234567890123"_s);

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

TEST_F(FormCodBarTeste, ImprimirEscolhePelaCaixaAFolhaOuAEtiqueta) {
    tela->PrintDirect->click();
    EXPECT_EQ(barras(), QStringList{"7891000158388"});
    impressora->clear();
    tela->ckboxTodosFunc->setChecked(true);
    tela->PrintDirect->click();
    EXPECT_EQ(barras(), (QStringList{"7891000079195", "7891000158388"}));

    impressora->clear();
    tela->ckboxTodosFunc->setChecked(false);
    tela->DataToEncodeText->setText(u"000'1"_s);
    tela->txtdescricao->setText(u"QUALQUER"_s);
    tela->PrintDirect->click();
    EXPECT_TRUE(impressora->items().isEmpty());
    EXPECT_EQ(tela->DataToEncodeText->text() + ' ' + tela->txtdescricao->text(), u"0001 QUALQUER"_s);
    EXPECT_TRUE(mensagens.calls.isEmpty());

    tela->PrintForm->click();
    ASSERT_EQ(impressora->items().size(), 2);
    EXPECT_EQ(impressora->items().first().kind, PrintedItem::Kind::Picture);
    EXPECT_NEAR(impressora->items().first().width, tela->width() * 15.0, 1) << "at its size on the screen";
}

TEST_F(FormCodBarTeste, SemImpressoraOsDocumentosViramPdfEOUsuarioSabeOnde) {
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    tela->DataToEncodeText->setText(u"1"_s);
    EXPECT_TRUE(clicar(tela->PrintDirect).isEmpty()) << "nobody has that card: nothing printed, nothing said";
    tela->DataToEncodeText->setText(u"7891000158388"_s);
    ASSERT_EQ(clicar(tela->PrintDirect).size(), 1);
    EXPECT_TRUE(mensagens.texts().first().startsWith(u"Não há impressora configurada"_s));
    const QStringList arquivos = QDir(QtPrinter::pdfFolder()).entryList(QDir::Files);
    ASSERT_EQ(arquivos.size(), 1);
    EXPECT_TRUE(mensagens.texts().first().endsWith(arquivos.first()));
}

TEST_F(FormCodBarTeste, GravaOArquivoNaPastaAtualECopiaParaAAreaDeTransferencia) {
    const QString salvar =
        u"Your barcode will be saved to the file [SavedBarCode.wmf] in the program directory."_s;
    tela->SaveToFile->click();
    EXPECT_EQ(clicar(tela->SaveToFile), QStringList{salvar});
    EXPECT_EQ(mensagens.calls.first().icon, MsgBoxIcon::None);
    EXPECT_EQ(mensagens.calls.first().title, u"Velto"_s);
    QFile arquivo(pasta.filePath(u"SavedBarCode.wmf"_s));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll(), BarCodePicture::ofText(u"7891000158388"_s).toWmf());
    // A folder where the file should be: the user is told, nothing passes for saved.
    arquivo.remove();
    ASSERT_TRUE(QDir(pasta.path()).mkdir(u"SavedBarCode.wmf"_s));
    ASSERT_EQ(clicar(tela->SaveToFile).size(), 2);
    EXPECT_EQ(mensagens.texts().first(), salvar);
    EXPECT_TRUE(mensagens.texts().last().startsWith(u"Não foi possível gravar o arquivo"_s));

    tela->CopyToClipboard->click();
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(dados, nullptr);
    EXPECT_EQ(dados->data(u"image/x-wmf"_s), tela->BarCode1->Picture().toWmf());
}
