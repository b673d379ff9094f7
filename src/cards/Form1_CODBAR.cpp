#include "Form1_CODBAR.h"

#include "BarCode.h"
#include "Clipboard.h"
#include "Conexao.h"
#include "MsgBox.h"
#include "PdfNotice.h"
#include "Printer.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W> W* Nomeado(W* controle, const char* nome) {
    controle->setObjectName(QString::fromLatin1(nome));
    return controle;
}

} // namespace

Form1_CODBAR* Form1_CODBAR::Mostrar(QMdiArea* area, const QLineEdit* nome, const QLineEdit* codigo) {
    return static_cast<Form1_CODBAR*>(ChildScreen::showOnceIn(
        area, QStringLiteral("Form1_CODBAR"), [nome, codigo] { return new Form1_CODBAR(nome, codigo); }));
}

Form1_CODBAR::Form1_CODBAR(const QLineEdit* nome, const QLineEdit* codigo, QWidget* parent)
    : ChildScreen(parent) {
    setObjectName(QStringLiteral("Form1_CODBAR"));
    setWindowTitle(QStringLiteral("IMPRESSAO DE CODIGO"));
    // Enter sends a Tab keystroke and is dropped; Esc unloads.
    setEnterRule(EnterRule::SendTabKeystroke);
    criarControles();

    connect(DataToEncodeText, &QLineEdit::textChanged, this, &Form1_CODBAR::DataToEncodeText_Change);
    connect(PrintDirect, &QPushButton::clicked, this, &Form1_CODBAR::PrintDirect_Click);
    connect(PrintForm, &QPushButton::clicked, this, &Form1_CODBAR::PrintForm_Click);
    connect(SaveToFile, &QPushButton::clicked, this, &Form1_CODBAR::SaveToFile_Click);
    connect(CopyToClipboard, &QPushButton::clicked, this, &Form1_CODBAR::CopyToClipboard_Click);

    Form_Load(nome, codigo);
}

void Form1_CODBAR::criarControles() {
    Label1 = Nomeado(new QLabel(QStringLiteral("Código:"), this), "Label1");
    DataToEncodeText = Nomeado(new QLineEdit(QStringLiteral("12334567890123"), this), "DataToEncodeText");
    Label3 = Nomeado(new QLabel(QStringLiteral("FUNCIONARIO:"), this), "Label3");
    txtdescricao = Nomeado(new QLineEdit(this), "txtdescricao");
    BarCode1 = Nomeado(new BarCode(this), "BarCode1");
    ckboxTodosFunc = Nomeado(new QCheckBox(QStringLiteral("Todos os Funcionarios"), this), "ckboxTodosFunc");
    PrintDirect = Nomeado(new QPushButton(QStringLiteral("IMPRIMIR "), this), "PrintDirect");
    PrintForm = Nomeado(new QPushButton(QStringLiteral("Print Form Method"), this), "PrintForm");
    SaveToFile = Nomeado(new QPushButton(QStringLiteral("Save To File"), this), "SaveToFile");
    CopyToClipboard = Nomeado(new QPushButton(QStringLiteral("Copy To Clipboard"), this), "CopyToClipboard");

    QFont grande = PrintDirect->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    PrintDirect->setFont(grande);
    PrintDirect->setMinimumHeight(48);
    BarCode1->setFixedSize(BarCode1->sizeHint());

    auto* esquerda = new QGridLayout;
    esquerda->addWidget(Label1, 0, 0);
    esquerda->addWidget(DataToEncodeText, 0, 1);
    esquerda->addWidget(Label3, 1, 0);
    esquerda->addWidget(txtdescricao, 1, 1);
    esquerda->addWidget(BarCode1, 2, 0, 1, 2, Qt::AlignCenter);
    esquerda->addWidget(ckboxTodosFunc, 3, 0, 1, 2);
    esquerda->addWidget(PrintDirect, 4, 0, 1, 2);

    auto* direita = new QVBoxLayout;
    for (QPushButton* botao : {PrintForm, SaveToFile, CopyToClipboard})
        direita->addWidget(botao);
    direita->addStretch();

    auto* tela = new QHBoxLayout(this);
    tela->addLayout(esquerda, 1);
    tela->addSpacing(12);
    tela->addLayout(direita);

    setTabOrder(DataToEncodeText, txtdescricao);
    setTabOrder(txtdescricao, ckboxTodosFunc);
    setTabOrder(ckboxTodosFunc, PrintDirect);
    setTabOrder(PrintDirect, PrintForm);
    setTabOrder(PrintForm, SaveToFile);
    setTabOrder(SaveToFile, CopyToClipboard);
    setFixedSize(sizeHint());
}

void Form1_CODBAR::Form_Load(const QLineEdit* nome, const QLineEdit* codigo) {
    AbrirConexao();
    txtdescricao->setText(nome ? nome->text() : QString());
    DataToEncodeText->setText(codigo ? codigo->text() : QString());
    // Its design-time text may equal the new one; the barcode must show it all the same.
    DataToEncodeText_Change();
    DataToEncodeText->setFocus();
}

void Form1_CODBAR::DataToEncodeText_Change() {
    BarCode1->setDataToEncode(DataToEncodeText->text());
}

void Form1_CODBAR::PrintDirect_Click() {
    Printer& impressora = DefaultPrinter();
    if (ckboxTodosFunc->checkState() == Qt::Checked)
        A4_4ColunasEtiquetaCodBarW(*this, impressora);
    else
        UnicaEtiqueta(*this, impressora);
    ShowPdfNotice(impressora);
}

void Form1_CODBAR::PrintForm_Click() {
    Printer& impressora = DefaultPrinter();
    impressora.printForm(imagemDaTela());
    ShowPdfNotice(impressora);
}

QImage Form1_CODBAR::imagemDaTela() {
    // Three dots for each of the screen's, so the printed bars keep their edges.
    constexpr int kFator = 3;
    QImage imagem(size() * kFator, QImage::Format_RGB32);
    imagem.setDevicePixelRatio(kFator);
    imagem.fill(palette().color(QPalette::Window));
    QPainter pintor(&imagem);
    render(&pintor);
    return imagem;
}

void Form1_CODBAR::SaveToFile_Click() {
    MsgBox(
        QStringLiteral("Your barcode will be saved to the file [SavedBarCode.wmf] in the program directory."),
        MsgBoxButtons::OkOnly, MsgBoxIcon::None);
    if (!BarCode1->SaveToFile(kArquivo)) {
        MsgBox(QStringLiteral("Não foi possível gravar o arquivo %1.")
                   .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(kArquivo))),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
    }
}

void Form1_CODBAR::CopyToClipboard_Click() {
    Clipboard::Clear();
    Clipboard::SetData(BarCode1->Picture());
}

QString Form1_CODBAR::codigo() const {
    return DataToEncodeText->text();
}

void Form1_CODBAR::setCodigo(const QString& codigo) {
    DataToEncodeText->setText(codigo);
    DataToEncodeText_Change();
}

void Form1_CODBAR::setNome(const QString& nome) {
    txtdescricao->setText(nome);
}

void Form1_CODBAR::redesenhar() {
    DataToEncodeText->repaint();
    txtdescricao->repaint();
    BarCode1->repaint();
}

BarCodePicture Form1_CODBAR::figura() const {
    return BarCode1->Picture();
}
