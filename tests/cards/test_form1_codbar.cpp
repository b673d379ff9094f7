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
        }) {
        SetDefaultPrinter(std::unique_ptr<RecordingPrinter>(impressora));
        nome.setText(u"BRUNO"_s);
        codigo.setText(u"7891000158388"_s);
    }
    void SetUp() override {
        TesteDeTela::SetUp();
        tela = Form1_CODBAR::Mostrar(&area, &nome, &codigo);
        Processar();
    }
    ~FormCodBarTeste() override { SetDefaultPrinter(nullptr); }

    RecordingPrinter* impressora = new RecordingPrinter;
    QLineEdit nome, codigo;
    QPointer<Form1_CODBAR> tela;
};

} // namespace

TEST_F(FormCodBarTeste, CarregaDoCadastroGravaCopiaImprimeEOCodigoSegueCadaTecla) {
    EXPECT_EQ(tela->txtdescricao->text() + ' ' + tela->DataToEncodeText->text(), u"BRUNO 7891000158388"_s);
    EXPECT_EQ(LerCodigo(tela->BarCode1->grab().toImage()).texto, u"7891000158388"_s);
    // Enter moves on as a Tab does.
    QTest::keyClick(tela->DataToEncodeText, Qt::Key_Return);
    Processar();
    EXPECT_TRUE(tela->txtdescricao->hasFocus());
    EXPECT_EQ(Form1_CODBAR::Mostrar(&area, &nome, &codigo), tela.data());
    // Saved in the current folder, over the file saved before.
    QTemporaryDir pasta;
    const QString antes = QDir::currentPath();
    QDir::setCurrent(pasta.path());
    tela->SaveToFile->click();
    EXPECT_EQ(clicar(tela->SaveToFile),
              QStringList{
                  u"Your barcode will be saved to the file [SavedBarCode.wmf] in the program directory."_s});
    QFile arquivo(pasta.filePath(u"SavedBarCode.wmf"_s));
    EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll(), BarCodePicture::ofText(u"7891000158388"_s).toWmf());
    // A folder where the file should be: the user is told, nothing passes for saved.
    arquivo.remove();
    EXPECT_TRUE(QDir(pasta.path()).mkdir(u"SavedBarCode.wmf"_s));
    EXPECT_TRUE(clicar(tela->SaveToFile).value(1).startsWith(u"Não foi possível gravar o arquivo"_s));
    QDir::setCurrent(antes);

    tela->CopyToClipboard->click();
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(u"image/x-wmf"_s),
              tela->BarCode1->Picture().toWmf());

    tela->PrintForm->click();
    tela->PrintDirect->click();
    tela->ckboxTodosFunc->setChecked(true);
    tela->PrintDirect->click();
    EXPECT_EQ(impressora->items().value(0).kind, PrintedItem::Kind::Picture);
    QStringList barras;
    for (const PrintedItem& item : impressora->items(PrintedItem::Kind::BarCode))
        barras << item.text;
    EXPECT_EQ(barras, (QStringList{"7891000158388", "7891000079195", "7891000158388"}));

    // No printer: a PDF file, and where it is; a card of nobody (the apostrophe dropped) gives neither.
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    tela->ckboxTodosFunc->setChecked(false);
    tela->DataToEncodeText->setText(u"000'1"_s);
    EXPECT_TRUE(clicar(tela->PrintDirect).isEmpty());
    EXPECT_EQ(tela->DataToEncodeText->text(), u"0001"_s);
    tela->DataToEncodeText->setText(u"7891000158388"_s);
    const QString aviso = clicar(tela->PrintDirect).value(0);
    const QStringList arquivos = QDir(QtPrinter::pdfFolder()).entryList(QDir::Files);
    ASSERT_EQ(arquivos.size(), 1);
    EXPECT_TRUE(aviso.startsWith(u"Não há impressora configurada"_s) && aviso.endsWith(arquivos.first()))
        << aviso.toStdString();
    tela->DataToEncodeText->clear();
    QTest::keyClicks(tela->DataToEncodeText, u"1234567890123"_s);
    EXPECT_EQ(LerCodigo(tela->BarCode1->grab().toImage()).texto, u"1234567890123"_s);
}
