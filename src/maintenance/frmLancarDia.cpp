#include "frmLancarDia.h"

#include "AccessDialect.h"
#include "AcharFuncionario.h"
#include "CampoFuncionario.h"
#include "Conexao.h"
#include "Controles.h"
#include "DatabaseError.h"
#include "FocusHelpers.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "Teclado.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void Avisar(const QString& texto) {
    MsgBox(texto, MsgBoxButtons::OkOnly);
}

void MaiusculasAoSair(QLineEdit* campo) {
    OnLostFocus(campo, [campo] { campo->setText(campo->text().toUpper()); });
}

} // namespace

frmLancarDia::frmLancarDia(QWidget* parent)
    : ChildScreen(parent) {
    setObjectName(QStringLiteral("frmLancarDia"));
    setWindowTitle(QStringLiteral("Lançar Hora"));
    criarControles();

    funcionario_ = new CampoFuncionario(*this, nullptr, txtcartao, TxtCodF, TXTF);
    // No lookup here: "0" is looked up as any other number; the name empties first.
    funcionario_->zeroAbreConsulta = false;
    funcionario_->numeroLimpaNome = true;
    MaiusculasAoSair(TxtEntradaSaida);
    MaiusculasAoSair(txtmanhaTarde);
    for (QWidget* campo : {static_cast<QWidget*>(TxtCodF), static_cast<QWidget*>(txtData),
                           static_cast<QWidget*>(TxtFUNCIONARIO)})
        SelecionarTextoAoEntrar(campo);
    connect(Command1, &QPushButton::clicked, this, &frmLancarDia::Command1_Click);

    Form_Load();
}

void frmLancarDia::criarControles() {
    Frame1 = Nomeado(new QGroupBox(QStringLiteral("Manutenção de Horário:"), this), "Frame1");
    Label1 = Nomeado(new QLabel(QStringLiteral("Cartão:"), Frame1), "Label1");
    txtcartao = Nomeado(new QLineEdit(Frame1), "txtcartao");
    Label3 = Nomeado(new QLabel(QStringLiteral("Cod Func.:"), Frame1), "Label3");
    TxtCodF = Nomeado(new QLineEdit(Frame1), "TxtCodF");
    TXTF = Nomeado(new QLineEdit(Frame1), "TXTF");
    Label23 = Nomeado(new QLabel(QStringLiteral("Horário:"), Frame1), "Label23");
    TxtFUNCIONARIO = Nomeado(new MaskedEdit(QStringLiteral("##:##:##"), Frame1), "TxtFUNCIONARIO");
    Label6 = Nomeado(new QLabel(QStringLiteral("Data:"), Frame1), "Label6");
    txtData = Nomeado(new MaskedEdit(QStringLiteral("##/##/####"), Frame1), "txtData");
    Label4 = Nomeado(new QLabel(QStringLiteral("Entrada(E) / Saida(S):"), Frame1), "Label4");
    TxtEntradaSaida = Nomeado(new QLineEdit(Frame1), "TxtEntradaSaida");
    TxtEntradaSaida->setToolTip(QStringLiteral("Informar E ou S"));
    Label7 = Nomeado(new QLabel(QStringLiteral("1º Periodo(M) / 2º Periodo(T):"), Frame1), "Label7");
    txtmanhaTarde = Nomeado(new QLineEdit(Frame1), "txtmanhaTarde");
    txtmanhaTarde->setToolTip(QStringLiteral("Informar 1 ou 2"));
    Command1 = Nomeado(new QPushButton(QStringLiteral("Lançar"), Frame1), "Command1");

    for (QLineEdit* curto : {TxtEntradaSaida, txtmanhaTarde})
        curto->setFixedWidth(40);
    for (QLineEdit* medio : {static_cast<QLineEdit*>(TxtCodF), static_cast<QLineEdit*>(TxtFUNCIONARIO),
                             static_cast<QLineEdit*>(txtData)})
        medio->setFixedWidth(100);

    auto* grade = new QGridLayout(Frame1);
    grade->addWidget(Label1, 0, 0);
    grade->addWidget(txtcartao, 0, 1, 1, 2);
    grade->addWidget(Label3, 1, 0);
    grade->addWidget(TxtCodF, 1, 1);
    grade->addWidget(TXTF, 1, 2);
    grade->addWidget(Label6, 2, 0);
    grade->addWidget(txtData, 2, 1);
    grade->addWidget(Label23, 3, 0);
    grade->addWidget(TxtFUNCIONARIO, 3, 1);
    grade->addWidget(Label4, 4, 0);
    grade->addWidget(TxtEntradaSaida, 4, 1);
    grade->addWidget(Label7, 5, 0);
    grade->addWidget(txtmanhaTarde, 5, 1);
    grade->addWidget(Command1, 6, 2, Qt::AlignRight);
    grade->setColumnStretch(2, 1);
    auto* tela = new QVBoxLayout(this);
    tela->addWidget(Frame1);

    setTabOrder(txtcartao, TxtCodF);
    setTabOrder(TxtCodF, TXTF);
    setTabOrder(TXTF, txtData);
    setTabOrder(txtData, TxtFUNCIONARIO);
    setTabOrder(TxtFUNCIONARIO, TxtEntradaSaida);
    setTabOrder(TxtEntradaSaida, txtmanhaTarde);
    setTabOrder(txtmanhaTarde, Command1);
    setFixedSize(520, 300);
}

void frmLancarDia::Form_Load() {
    AbrirConexao();
    txtcartao->setFocus();
}

void frmLancarDia::Command1_Click() {
    // A field typed in lower case and left for the button reads as the user meant it.
    TxtEntradaSaida->setText(TxtEntradaSaida->text().toUpper());
    txtmanhaTarde->setText(txtmanhaTarde->text().toUpper());
    const QString tipo = TxtEntradaSaida->text();
    const QString periodo = txtmanhaTarde->text();
    if (tipo != QLatin1String("E") && tipo != QLatin1String("S"))
        return Avisar(QStringLiteral("Informar se é Entrada ou Saida!"));
    if (periodo != QLatin1String("2") && periodo != QLatin1String("1"))
        return Avisar(QStringLiteral("Informar se é 1º periodo ou 2º Periodo"));
    if (storedDate(txtData->Text()).isEmpty())
        return Avisar(QStringLiteral("Data Invalida!"));
    if (storedTime(TxtFUNCIONARIO->Text()).isEmpty())
        return Avisar(QStringLiteral("Hora Invalida!"));
    // A punch for nobody would be an orphan row that no report ever shows.
    if (!FuncionarioExiste())
        return Avisar(QStringLiteral("Informar o Funcionário!"));
    try {
        const OrigemAlteracao origem(QStringLiteral("frmLancarDia"));
        conexaoBanco->Execute(
            QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('") +
            txtData->Text() + QStringLiteral("','") + TxtFUNCIONARIO->Text() + QStringLiteral("', '") + tipo +
            QStringLiteral("', ") + TxtCodF->text() + QStringLiteral(", '") + periodo +
            QStringLiteral("' )"));
    } catch (const DatabaseError&) {
        return; // nothing posted; the fields stay for another try
    }
    RecomecarVazia();
}

bool frmLancarDia::FuncionarioExiste() {
    return EhCodigoNumerico(TxtCodF->text()) && FuncionarioPorNumero(TxtCodF->text()).has_value();
}

// Every posting ends this screen and opens a fresh one in its place.
void frmLancarDia::RecomecarVazia() {
    replaceWith(new frmLancarDia);
}
