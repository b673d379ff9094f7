#include "frmHorCombinado.h"

#include "AccessDialect.h"
#include "AcharFuncionario.h"
#include "CampoFuncionario.h"
#include "Conexao.h"
#include "Controles.h"
#include "DatabaseError.h"
#include "MDautoNumeracao.h"
#include "MaskedEdit.h"
#include "MdTabelaComb.h"
#include "MsgBox.h"
#include "Teclado.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void Avisar(const QString& texto) {
    MsgBox(texto, MsgBoxButtons::OkOnly);
}

// A line of List1: five columns 10, 10, 15, 15 and 50 wide, cut and padded, joined by a blank.
QString LinhaLista(const QString& codigo, const QString& combinado, const QString& data, const QString& horas,
                   const QString& obs) {
    const auto campo = [](const QString& texto, int largura) {
        return texto.left(largura).leftJustified(largura, QLatin1Char(' '));
    };
    return campo(codigo, 10) + QLatin1Char(' ') + campo(combinado, 10) + QLatin1Char(' ') + campo(data, 15) +
           QLatin1Char(' ') + campo(horas, 15) + QLatin1Char(' ') + campo(obs, 50);
}

bool Numerico(const QString& texto) {
    bool ok = false;
    texto.trimmed().toDouble(&ok);
    return ok;
}

} // namespace

frmHorCombinado::frmHorCombinado(QWidget* parent)
    : ChildScreen(parent)
    , ChamadorConsulta(Ordem::HorCombinado, Valor::Codigo) {
    setObjectName(QStringLiteral("frmHorCombinado"));
    setWindowTitle(QStringLiteral("Horário Combinado"));
    criarControles();

    funcionario_ = new CampoFuncionario(*this, this, txtcartao, TXTCODIGOFUNCIONARIO, TXTNOME);
    funcionario_->depois = [this] {
        Buscar();
    };
    for (QWidget* campo : {static_cast<QWidget*>(TXTCODIGOFUNCIONARIO), static_cast<QWidget*>(txtData),
                           static_cast<QWidget*>(txtHoras), static_cast<QWidget*>(txtObser)})
        SelecionarTextoAoEntrar(campo);
    connect(Command1, &QPushButton::clicked, this, &frmHorCombinado::Command1_Click);

    Form_Load();
}

QLineEdit* frmHorCombinado::campoConsulta() const {
    return TXTCODIGOFUNCIONARIO;
}

void frmHorCombinado::criarControles() {
    Label1 = Nomeado(new QLabel(QStringLiteral("Cartão:"), this), "Label1");
    txtcartao = Nomeado(new QLineEdit(this), "txtcartao");
    Label2 = Nomeado(new QLabel(QStringLiteral("Funcionário:"), this), "Label2");
    TXTCODIGOFUNCIONARIO = Nomeado(new QLineEdit(this), "TXTCODIGOFUNCIONARIO");
    TXTNOME = Nomeado(new QLineEdit(this), "TXTNOME");
    Label3 = Nomeado(new QLabel(QStringLiteral("Data:"), this), "Label3");
    txtData = Nomeado(new MaskedEdit(QStringLiteral("##/##/####"), this), "txtData");
    Label4 = Nomeado(new QLabel(QStringLiteral("Total Horas:"), this), "Label4");
    txtHoras = Nomeado(new MaskedEdit(QStringLiteral("##:##:##"), this), "txtHoras");
    Label5 = Nomeado(new QLabel(QStringLiteral("Combinado:"), this), "Label5");
    TXTcombinado = Nomeado(new QComboBox(this), "TXTcombinado");
    TXTcombinado->setEditable(true);
    TXTcombinado->addItems({QStringLiteral("1"), QStringLiteral("2")});
    TXTcombinado->setCurrentIndex(-1);
    TXTcombinado->setInsertPolicy(QComboBox::NoInsert);
    Label6 = Nomeado(new QLabel(QStringLiteral("1 - Trabalhar / 2 - Folgar"), this), "Label6");
    Label7 = Nomeado(new QLabel(QStringLiteral("Observação:"), this), "Label7");
    txtObser = Nomeado(new QLineEdit(this), "txtObser");
    Command1 = Nomeado(new QPushButton(QStringLiteral("Lançar"), this), "Command1");
    Frame1 = Nomeado(new QGroupBox(QStringLiteral("Lista de Horários Combinados:"), this), "Frame1");
    List1 = Nomeado(new QListWidget(Frame1), "List1");
    List1->setFont(FonteFixa(9));

    for (QWidget* medio : {static_cast<QWidget*>(txtcartao), static_cast<QWidget*>(TXTCODIGOFUNCIONARIO),
                           static_cast<QWidget*>(txtData), static_cast<QWidget*>(txtHoras),
                           static_cast<QWidget*>(TXTcombinado)})
        medio->setFixedWidth(medio == txtcartao ? 140 : 100);

    auto* grade = new QGridLayout;
    grade->addWidget(Label1, 0, 0);
    grade->addWidget(txtcartao, 0, 1);
    grade->addWidget(Label2, 1, 0);
    grade->addWidget(TXTCODIGOFUNCIONARIO, 1, 1);
    grade->addWidget(TXTNOME, 1, 2);
    grade->addWidget(Label3, 2, 0);
    grade->addWidget(txtData, 2, 1);
    grade->addWidget(Label4, 3, 0);
    grade->addWidget(txtHoras, 3, 1);
    grade->addWidget(Label5, 4, 0);
    grade->addWidget(TXTcombinado, 4, 1);
    grade->addWidget(Label6, 4, 2);
    grade->addWidget(Label7, 5, 0);
    grade->addWidget(txtObser, 5, 1, 1, 2);
    grade->addWidget(Command1, 6, 2, Qt::AlignRight);
    grade->setColumnStretch(2, 1);

    auto* lista = new QVBoxLayout(Frame1);
    lista->addWidget(List1);

    auto* tela = new QVBoxLayout(this);
    tela->addLayout(grade);
    tela->addWidget(Frame1, 1);

    setTabOrder(txtcartao, TXTCODIGOFUNCIONARIO);
    setTabOrder(TXTCODIGOFUNCIONARIO, TXTNOME);
    setTabOrder(TXTNOME, txtData);
    setTabOrder(txtData, txtHoras);
    setTabOrder(txtHoras, TXTcombinado);
    setTabOrder(TXTcombinado, txtObser);
    setTabOrder(txtObser, Command1);
    setTabOrder(Command1, List1);

    const int linha = List1->fontMetrics().horizontalAdvance(QString(104, QLatin1Char('0')));
    setFixedSize(std::max(640, linha + 60), 520);
}

void frmHorCombinado::Form_Load() {
    AbrirConexao();
    criarTabelaHoraCombinada();
    txtcartao->setFocus();
}

void frmHorCombinado::Buscar() {
    try {
        List1->clear();
        List1->addItem(LinhaLista(QStringLiteral("CODIGO"), QStringLiteral("COMBINADO"),
                                  QStringLiteral("DATA"), QStringLiteral("HORA"),
                                  QStringLiteral("OBSERVACAO")));
        for (Recordset rs = conexaoBanco->Execute(
                 QStringLiteral(
                     "select codigo,combinado,data,horas,obs from HoraCombinada where funcionario='") +
                 TXTCODIGOFUNCIONARIO->text() + QStringLiteral("' "));
             !rs.Eof(); rs.MoveNext()) {
            const bool trabalhar = rs[QStringLiteral("COMBINADO")].toString() == QLatin1String("1");
            List1->addItem(LinhaLista(rs[QStringLiteral("CODIGO")].toString(),
                                      trabalhar ? QStringLiteral("TRABALHAR") : QStringLiteral("FOLGA"),
                                      rs[QStringLiteral("DATA")].toString(),
                                      rs[QStringLiteral("horas")].toString(),
                                      rs[QStringLiteral("OBS")].toString()));
        }
    } catch (const DatabaseError&) {
        // An unreadable list stays as far as it got.
    }
}

void frmHorCombinado::Command1_Click() {
    const QString combinado = TXTcombinado->currentText();
    if (!Numerico(combinado))
        return Avisar(QStringLiteral("Informar o Campo Combinado!"));
    if (storedDate(txtData->Text()).isEmpty())
        return Avisar(QStringLiteral("Data invalida!"));
    if (storedTime(txtHoras->Text()).isEmpty())
        return Avisar(QStringLiteral("Hora invalida!"));
    // An agreement for nobody would never apply to anyone's day.
    const QString funcionario = LimparCodigo(TXTCODIGOFUNCIONARIO->text());
    if (!EhCodigoNumerico(funcionario) || !FuncionarioPorNumero(funcionario))
        return Avisar(QStringLiteral("Informar o Funcionário!"));
    // A note is free text: an apostrophe in it is doubled so it is stored as typed.
    QString obs = txtObser->text();
    obs.replace(QLatin1Char('\''), QStringLiteral("''"));
    const QString resto = QStringLiteral(", '") + funcionario + QStringLiteral("','") + txtData->Text() +
                          QStringLiteral("','") + txtHoras->Text() + QStringLiteral("','") + obs +
                          QStringLiteral("','") + combinado + QStringLiteral("' ");
    InserirComProximoCodigoHoraCombinada([&resto](int codigo) {
        conexaoBanco->Execute(QStringLiteral("INSERT INTO HoraCombinada(") +
                              QStringLiteral("codigo,funcionario,data,horas,obs,combinado") +
                              QStringLiteral(") VALUES( ") + QString::number(codigo) + resto +
                              QStringLiteral(")"));
    });
    Buscar();
}
