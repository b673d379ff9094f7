#include "frmRelatorios.h"

#include "CampoFuncionario.h"
#include "CartaoPonto.h"
#include "Clock.h"
#include "Conexao.h"
#include "DatabaseError.h"
#include "FocusHelpers.h"
#include "FuncionarioRelatorio.h"
#include "GradeHorarios.h"
#include "HorasAritmetica.h"
#include "JornadaDiaria.h"
#include "ListaFuncionarios.h"
#include "ListaTela.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "PdfNotice.h"
#include "Printer.h"
#include "SaldoPorDia.h"
#include "frm_consultarFuncionarios.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont Arial(int pontos = 9) {
    QFont f(QStringLiteral("Arial"), pontos);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

// Fields that show report data are fixed-pitch, so the list lines up like the printed page.
QFont CourierNew(int pontos = 9) {
    QFont f(QStringLiteral("Courier New"), pontos);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

template <typename W> W* Controle(W* w, const char* nome, const QFont& fonte) {
    w->setObjectName(QString::fromLatin1(nome));
    w->setFont(fonte);
    return w;
}

} // namespace

frmRelatorios::frmRelatorios(QWidget* parent)
    : ChildScreen(parent)
    , ChamadorConsulta(Ordem::Relatorios, Valor::Codigo) {
    setObjectName(QStringLiteral("frmRelatorios"));
    setWindowTitle(QStringLiteral("Relatório Velto"));
    criarControles();

    new CampoFuncionario(*this, this, txtcartao, TXTCODIGOFUNCIONARIO, TXTNOME);
    connect(Command1, &QPushButton::clicked, this, &frmRelatorios::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRelatorios::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &frmRelatorios::Command6_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRelatorios::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &frmRelatorios::Command5_Click);

    Form_Load();
}

QLineEdit* frmRelatorios::campoConsulta() const {
    return TXTCODIGOFUNCIONARIO;
}

void frmRelatorios::criarControles() {
    lblPeriodo = Controle(new QLabel(QStringLiteral("Período:"), this), "lblPeriodo", Arial());
    txtData = Controle(new MaskedEdit(QStringLiteral("##/##/####"), this), "txtData", CourierNew(10));
    lblAte = Controle(new QLabel(QStringLiteral("a"), this), "lblAte", Arial());
    txtdata1 = Controle(new MaskedEdit(QStringLiteral("##/##/####"), this), "txtdata1", CourierNew(10));
    Label2 = Controle(new QLabel(QStringLiteral("Cartão:"), this), "Label2", Arial());
    txtcartao = Controle(new QLineEdit(this), "txtcartao", CourierNew(10));
    Label1 = Controle(new QLabel(QStringLiteral("Funcionário"), this), "Label1", Arial());
    TXTCODIGOFUNCIONARIO = Controle(new QLineEdit(this), "TXTCODIGOFUNCIONARIO", CourierNew(10));
    TXTNOME = Controle(new QLineEdit(this), "TXTNOME", CourierNew(10));
    ckboxImprimir = Controle(new QCheckBox(QStringLiteral("Imprimir (Impressora Padrão)"), this),
                             "ckboxImprimir", Arial());
    for (QLineEdit* data : {static_cast<QLineEdit*>(txtData), static_cast<QLineEdit*>(txtdata1)})
        data->setFixedWidth(data->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    txtcartao->setFixedWidth(txtcartao->fontMetrics().horizontalAdvance(QString(15, QLatin1Char('0'))) + 12);
    TXTCODIGOFUNCIONARIO->setFixedWidth(
        TXTCODIGOFUNCIONARIO->fontMetrics().horizontalAdvance(QString(7, QLatin1Char('0'))) + 12);

    fraCartao = Controle(new QGroupBox(QStringLiteral("Cartão de Ponto"), this), "fraCartao", Arial());
    Command1 =
        Controle(new QPushButton(QStringLiteral("CONSULTAR/IMPRIMIR"), fraCartao), "Command1", Arial());
    fraJornada = Controle(new QGroupBox(QStringLiteral("Jornada Diária"), this), "fraJornada", Arial());
    Command3 =
        Controle(new QPushButton(QStringLiteral("Consultar/Imprimir"), fraJornada), "Command3", Arial());
    fraSaldo = Controle(new QGroupBox(QStringLiteral("Saldo por Dia"), this), "fraSaldo", Arial());
    Command6 = Controle(new QPushButton(QStringLiteral("Consultar/Imprimir"), fraSaldo), "Command6", Arial());
    fraCadastros = Controle(new QGroupBox(QStringLiteral("Cadastros"), this), "fraCadastros", Arial());
    Command2 =
        Controle(new QPushButton(QStringLiteral("Grade de Horários"), fraCadastros), "Command2", Arial());
    Command5 =
        Controle(new QPushButton(QStringLiteral("Lista de Funcionarios"), fraCadastros), "Command5", Arial());
    for (auto [quadro, botoes] : {std::pair{fraCartao, QList<QPushButton*>{Command1}},
                                  std::pair{fraJornada, QList<QPushButton*>{Command3}},
                                  std::pair{fraSaldo, QList<QPushButton*>{Command6}},
                                  std::pair{fraCadastros, QList<QPushButton*>{Command2, Command5}}}) {
        auto* linha = new QHBoxLayout(quadro);
        for (QPushButton* botao : botoes)
            linha->addWidget(botao);
    }

    List1 = Controle(new ListaTela(this), "List1", CourierNew(9));

    auto* campos = new QGridLayout;
    campos->addWidget(lblPeriodo, 0, 0);
    auto* periodo = new QHBoxLayout;
    periodo->addWidget(txtData);
    periodo->addWidget(lblAte);
    periodo->addWidget(txtdata1);
    periodo->addSpacing(24);
    periodo->addWidget(Label2);
    periodo->addWidget(txtcartao);
    periodo->addStretch();
    campos->addLayout(periodo, 0, 1);
    campos->addWidget(Label1, 1, 0);
    auto* funcionario = new QHBoxLayout;
    funcionario->addWidget(TXTCODIGOFUNCIONARIO);
    funcionario->addWidget(TXTNOME, 1);
    funcionario->addSpacing(24);
    funcionario->addWidget(ckboxImprimir);
    campos->addLayout(funcionario, 1, 1);

    auto* botoes = new QHBoxLayout;
    for (QGroupBox* quadro : {fraCartao, fraJornada, fraSaldo, fraCadastros})
        botoes->addWidget(quadro);
    botoes->addStretch();

    auto* tela = new QVBoxLayout(this);
    tela->addLayout(campos);
    tela->addLayout(botoes);
    tela->addWidget(List1, 1);

    setTabOrder(txtData, txtdata1);
    setTabOrder(txtdata1, txtcartao);
    setTabOrder(txtcartao, TXTCODIGOFUNCIONARIO);
    setTabOrder(TXTCODIGOFUNCIONARIO, TXTNOME);
    setTabOrder(TXTNOME, ckboxImprimir);
    setTabOrder(ckboxImprimir, Command1);
    setTabOrder(Command1, Command3);
    setTabOrder(Command3, Command6);
    setTabOrder(Command6, Command2);
    setTabOrder(Command2, Command5);
    setTabOrder(Command5, List1);

    // Wide enough for a whole time-card line, about 130 characters of the list's font.
    const int linha = List1->fontMetrics().horizontalAdvance(QString(132, QLatin1Char('0')));
    setFixedSize(std::max(1000, linha + 60), 620);
}

void frmRelatorios::Form_Load() {
    AbrirConexao();
    // Nothing past the connection can fail here, so there is no error to ignore.
    const QDate hoje = Clock::now().date();
    txtData->setText(QStringLiteral("01/") + hoje.toString(QStringLiteral("MM/yyyy")));
    txtdata1->setText(hoje.toString(QStringLiteral("dd/MM/yyyy")));
    txtData->setFocus();
}

void frmRelatorios::Command1_Click() {
    RelatorioDoPeriodo(CartaoPonto);
}

void frmRelatorios::Command3_Click() {
    RelatorioDoPeriodo(JornadaDiaria);
}

void frmRelatorios::Command6_Click() {
    RelatorioDoPeriodo(SaldoPorDia);
}

void frmRelatorios::RelatorioDoPeriodo(bool (*relatorio)(const EntradaRelatorio&, const DestinoRelatorio&)) {
    const bool imprimir = ckboxImprimir->isChecked();
    EntradaRelatorio entrada;
    entrada.dataInicial = txtData->Text();
    entrada.dataFinal = txtdata1->Text();
    entrada.codigoFuncionario = TXTCODIGOFUNCIONARIO->text();
    entrada.nomeFuncionario = TXTNOME->text();
    entrada.imprimir = imprimir;
    entrada.mensagem = [](const QString& texto) {
        MsgBox(texto, MsgBoxButtons::OkOnly);
    };
    Printer* impressora = imprimir ? &DefaultPrinter() : nullptr;
    if (relatorio(entrada, DestinoRelatorio{List1, impressora}) && impressora)
        AvisarArquivoPdf(*impressora);
}

void frmRelatorios::Command2_Click() {
    Printer* impressora = ckboxImprimir->isChecked() ? &DefaultPrinter() : nullptr;
    if (GradeHorarios(TXTCODIGOFUNCIONARIO->text(), impressora != nullptr,
                      DestinoRelatorio{List1, impressora}) &&
        impressora)
        AvisarArquivoPdf(*impressora);
}

// The employee list never prints, whatever the box says.
void frmRelatorios::Command5_Click() {
    ListaFuncionarios(*List1);
}

// A document the printer could not take became a PDF file: the user must know why and where.
void frmRelatorios::AvisarArquivoPdf(const Printer& impressora) {
    ShowPdfNotice(impressora);
}
