#include "frm_manutHorario.h"

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
#include "frmLancarDia.h"
#include "horas.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOrigem = QStringLiteral("frm_manutHorario");

void Avisar(const QString& texto) {
    MsgBox(texto, MsgBoxButtons::OkOnly);
}

// A line of List1: five fields cut and padded to their widths, joined by " - ".
QString LinhaLista(const QString& lancamento, const QString& data, const QString& hora, const QString& tipo,
                   const QString& periodo) {
    const auto campo = [](const QString& texto, int largura) {
        return texto.left(largura).leftJustified(largura, QLatin1Char(' '));
    };
    return campo(lancamento, 10) + QStringLiteral(" - ") + campo(data, 10) + QStringLiteral(" - ") +
           campo(hora, 15) + QStringLiteral(" - ") + campo(tipo, 15) + QStringLiteral(" - ") +
           campo(periodo, 10);
}

void MaiusculasAoSair(QLineEdit* campo) {
    OnLostFocus(campo, [campo] { campo->setText(campo->text().toUpper()); });
}

} // namespace

frm_manutHorario::frm_manutHorario(QWidget* parent)
    : ChildScreen(parent)
    , ChamadorConsulta(Ordem::ManutHorario, Valor::Codigo) {
    setObjectName(QStringLiteral("frm_manutHorario"));
    setWindowTitle(QStringLiteral("Manutenção de Horarios"));
    criarControles();

    funcionario_ = new CampoFuncionario(*this, this, txtcartao, TxtCodF, lblfuncionario);
    // The card fills only the number; the name follows when the number field is left.
    funcionario_->cartaoPreencheNome = false;
    OnLostFocus(txtCodigoLANCAMENTO, [this] { CarregarLancamento(); });
    MaiusculasAoSair(TxtEntradaSaida);
    MaiusculasAoSair(txtmanhaTarde);
    for (QWidget* campo : {static_cast<QWidget*>(txtDataLocacao), static_cast<QWidget*>(txtData),
                           static_cast<QWidget*>(TxtFUNCIONARIO)})
        SelecionarTextoAoEntrar(campo);
    connect(Command2, &QPushButton::clicked, this, &frm_manutHorario::Command2_Click);
    // A line is chosen by the user only: a click (also on the current line) or the cursor keys
    // inside the list (previewKeyPress); the line the toolkit makes current as the list gets
    // the focus chooses nothing.
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_Click(List1->row(item)); });
    connect(Command1, &QPushButton::clicked, this, &frm_manutHorario::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frm_manutHorario::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frm_manutHorario::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &frm_manutHorario::Command4_Click);

    Form_Load();
}

QLineEdit* frm_manutHorario::campoConsulta() const {
    return TxtCodF;
}

void frm_manutHorario::criarControles() {
    Label5 = Nomeado(new QLabel(QStringLiteral("OBS: Para Acertar Entrada do Funcionario (\"Bater o Cartão e "
                                               "chame a data Para os Ajustes\")"),
                                this),
                     "Label5");
    Label8 = Nomeado(new QLabel(QStringLiteral("Cartão:"), this), "Label8");
    txtcartao = Nomeado(new QLineEdit(this), "txtcartao");
    Label3 = Nomeado(new QLabel(QStringLiteral("Cod Func.:"), this), "Label3");
    TxtCodF = Nomeado(new QLineEdit(this), "TxtCodF");
    lblfuncionario = Nomeado(new QLabel(this), "lblfuncionario");
    Label1 = Nomeado(new QLabel(QStringLiteral("Apartir da Data:"), this), "Label1");
    txtDataLocacao = Nomeado(new MaskedEdit(QStringLiteral("##/##/####"), this), "txtDataLocacao");
    Command2 = Nomeado(new QPushButton(QStringLiteral("Consultar"), this), "Command2");

    Frame2 = Nomeado(new QGroupBox(QStringLiteral("HORÁRIOS:"), this), "Frame2");
    List1 = Nomeado(new QListWidget(Frame2), "List1");
    List1->setFont(FonteFixa(9));

    Frame1 = Nomeado(new QGroupBox(QStringLiteral("Manutenção de Horário:"), this), "Frame1");
    Label2 = Nomeado(new QLabel(QStringLiteral("N.º do Lançamento:"), Frame1), "Label2");
    txtCodigoLANCAMENTO = Nomeado(new QLineEdit(Frame1), "txtCodigoLANCAMENTO");
    Label23 = Nomeado(new QLabel(QStringLiteral("Horário:"), Frame1), "Label23");
    TxtFUNCIONARIO = Nomeado(new MaskedEdit(QStringLiteral("##:##:##"), Frame1), "TxtFUNCIONARIO");
    Label6 = Nomeado(new QLabel(QStringLiteral("Data:"), Frame1), "Label6");
    txtData = Nomeado(new MaskedEdit(QStringLiteral("##/##/####"), Frame1), "txtData");
    Label4 = Nomeado(new QLabel(QStringLiteral("Entrada(E) / Saida(S):"), Frame1), "Label4");
    TxtEntradaSaida = Nomeado(new QLineEdit(Frame1), "TxtEntradaSaida");
    Label7 = Nomeado(new QLabel(QStringLiteral("1º Periodo(M) / 2º Periodo(T):"), Frame1), "Label7");
    txtmanhaTarde = Nomeado(new QLineEdit(Frame1), "txtmanhaTarde");

    Frame3 = Nomeado(new QGroupBox(QStringLiteral("Painel de Manutenção Horas"), this), "Frame3");
    Command1 = Nomeado(new QPushButton(QStringLiteral("Alterar"), Frame3), "Command1");
    Command3 = Nomeado(new QPushButton(QStringLiteral("Excluir"), Frame3), "Command3");
    Command5 = Nomeado(new QPushButton(QStringLiteral("Lançar Novo Horário"), Frame3), "Command5");
    Command4 = Nomeado(new QPushButton(QStringLiteral("Atualizar Horário"), Frame3), "Command4");

    for (QLineEdit* curto : {TxtEntradaSaida, txtmanhaTarde})
        curto->setFixedWidth(40);
    for (QLineEdit* medio : {TxtCodF, static_cast<QLineEdit*>(txtDataLocacao), txtCodigoLANCAMENTO,
                             static_cast<QLineEdit*>(TxtFUNCIONARIO), static_cast<QLineEdit*>(txtData)})
        medio->setFixedWidth(100);

    auto* busca = new QGridLayout;
    busca->addWidget(Label8, 0, 0);
    busca->addWidget(txtcartao, 0, 1, 1, 2);
    busca->addWidget(Label3, 1, 0);
    busca->addWidget(TxtCodF, 1, 1);
    busca->addWidget(lblfuncionario, 1, 2);
    busca->addWidget(Label1, 2, 0);
    busca->addWidget(txtDataLocacao, 2, 1);
    busca->addWidget(Command2, 2, 2, Qt::AlignLeft);
    busca->setColumnStretch(2, 1);

    auto* lista = new QVBoxLayout(Frame2);
    lista->addWidget(List1);

    auto* edicao = new QGridLayout(Frame1);
    edicao->addWidget(Label2, 0, 0);
    edicao->addWidget(txtCodigoLANCAMENTO, 0, 1);
    edicao->addWidget(Label6, 1, 0);
    edicao->addWidget(txtData, 1, 1);
    edicao->addWidget(Label23, 2, 0);
    edicao->addWidget(TxtFUNCIONARIO, 2, 1);
    edicao->addWidget(Label4, 3, 0);
    edicao->addWidget(TxtEntradaSaida, 3, 1);
    edicao->addWidget(Label7, 4, 0);
    edicao->addWidget(txtmanhaTarde, 4, 1);
    edicao->setRowStretch(5, 1);
    edicao->setColumnStretch(2, 1);

    auto* botoes = new QVBoxLayout(Frame3);
    for (QPushButton* botao : {Command1, Command3, Command5, Command4})
        botoes->addWidget(botao);
    botoes->addStretch();

    auto* baixo = new QHBoxLayout;
    baixo->addWidget(Frame1, 1);
    baixo->addWidget(Frame3);

    auto* tela = new QVBoxLayout(this);
    tela->addWidget(Label5);
    tela->addLayout(busca);
    tela->addWidget(Frame2, 1);
    tela->addLayout(baixo);

    setTabOrder(txtcartao, TxtCodF);
    setTabOrder(TxtCodF, txtDataLocacao);
    setTabOrder(txtDataLocacao, Command2);
    setTabOrder(Command2, List1);
    setTabOrder(List1, txtCodigoLANCAMENTO);
    setTabOrder(txtCodigoLANCAMENTO, txtData);
    setTabOrder(txtData, TxtFUNCIONARIO);
    setTabOrder(TxtFUNCIONARIO, TxtEntradaSaida);
    setTabOrder(TxtEntradaSaida, txtmanhaTarde);
    setTabOrder(txtmanhaTarde, Command1);
    setTabOrder(Command1, Command3);
    setTabOrder(Command3, Command5);
    setTabOrder(Command5, Command4);

    const int linha = List1->fontMetrics().horizontalAdvance(QString(80, QLatin1Char('0')));
    setFixedSize(std::max(640, linha + 80), 600);
}

void frm_manutHorario::Form_Load() {
    AbrirConexao();
    lblfuncionario->clear();
    txtcartao->setFocus();
}

void frm_manutHorario::Command2_Click() {
    const QString data = storedDate(txtDataLocacao->Text());
    if (data.isEmpty())
        return Avisar(QStringLiteral("Forneca uma Data!"));
    if (!EhCodigoNumerico(TxtCodF->text()))
        return Avisar(QStringLiteral("Forneca um Funcionario!"));
    List1->clear();
    List1->addItem(LinhaLista(QStringLiteral("LANCAMENTO"), QStringLiteral("DATA"), QStringLiteral("HORARIO"),
                              QStringLiteral("Entrada/Saida"), QStringLiteral("PERIODO")));
    const QString primeiroDia = QDate::fromString(data, Qt::ISODate).toString(QStringLiteral("MM-dd-yyyy"));
    for (Recordset rs = conexaoBanco->Execute(
             QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = ") + TxtCodF->text() +
             QStringLiteral(" and data>= #") + primeiroDia + QStringLiteral("# order by data, hora asc "));
         !rs.Eof(); rs.MoveNext()) {
        List1->addItem(
            LinhaLista(rs[QStringLiteral("codigo")].toString(), rs[QStringLiteral("data")].toString(),
                       rs[QStringLiteral("hora")].toString(), rs[QStringLiteral("EntradaSaida")].toString(),
                       rs[QStringLiteral("periodo")].toString()));
    }
}

bool frm_manutHorario::previewKeyPress(QWidget* target, QKeyEvent*) {
    if (target != List1)
        return false;
    // The list moves its current line as it handles the key: what it chose is seen after it.
    QMetaObject::invokeMethod(
        this,
        [this, antes = List1->currentRow()] {
            if (List1->currentRow() != antes)
                List1_Click(List1->currentRow());
        },
        Qt::QueuedConnection);
    return false;
}

void frm_manutHorario::List1_Click(int linha) {
    // The heading (line 0) is no punch: the fields keep what they show.
    if (linha <= 0)
        return;
    QString lancamento = List1->item(linha)->text().left(10);
    lancamento.remove(QLatin1Char(' '));
    txtCodigoLANCAMENTO->setText(lancamento);
    CarregarLancamento();
}

void frm_manutHorario::CarregarLancamento() {
    try {
        const Recordset rs =
            conexaoBanco->Execute(QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE CODIGO = ") +
                                  txtCodigoLANCAMENTO->text() + QStringLiteral(" "));
        if (rs.Eof()) {
            TxtFUNCIONARIO->setText(QString());
            txtData->setText(QString());
            TxtEntradaSaida->clear();
            txtmanhaTarde->clear();
            return;
        }
        TxtFUNCIONARIO->setText(rs[QStringLiteral("HORA")].toString());
        TxtEntradaSaida->setText(rs[QStringLiteral("EntradaSaida")].toString());
        txtData->setText(rs[QStringLiteral("data")].toString());
        txtmanhaTarde->setText(rs[QStringLiteral("periodo")].toString());
    } catch (const DatabaseError&) {
        // Not a punch number (the heading line, a typing slip): nothing to load.
    }
}

void frm_manutHorario::Command1_Click() {
    const QString lancamento = txtCodigoLANCAMENTO->text();
    if (!EhCodigoNumerico(lancamento))
        return;
    TxtEntradaSaida->setText(TxtEntradaSaida->text().toUpper());
    txtmanhaTarde->setText(txtmanhaTarde->text().toUpper());
    const QString tipo = TxtEntradaSaida->text();
    const QString periodo = txtmanhaTarde->text();
    if (tipo != QLatin1String("E") && tipo != QLatin1String("S"))
        return Avisar(QStringLiteral("Digite Caracter Valido Para Entrada ou Saida!"));
    if (periodo != QLatin1String("M") && periodo != QLatin1String("T"))
        return Avisar(QStringLiteral("Digite Caracter Valido Para Manha ou Tarde!"));
    if (storedDate(txtData->Text()).isEmpty())
        return Avisar(QStringLiteral("Data Invalida!"));
    if (storedTime(TxtFUNCIONARIO->Text()).isEmpty())
        return Avisar(QStringLiteral("Horario Invalido!"));
    {
        const OrigemAlteracao origem(kOrigem);
        conexaoBanco->Execute(QStringLiteral("update   MOVIMENTACAO set periodo= '") + periodo +
                              QStringLiteral("', data = '") + txtData->Text() +
                              QStringLiteral("', entradaSaida= '") + tipo + QStringLiteral("', HORA = '") +
                              TxtFUNCIONARIO->Text() + QStringLiteral("'   WHERE CODIGO = ") + lancamento +
                              QStringLiteral(" "));
    }
    Command2_Click();
}

void frm_manutHorario::Command3_Click() {
    if (MsgBox(QStringLiteral("Deseja Excluir o Lançamento?"), MsgBoxButtons::OkCancel) == MsgBoxResult::Ok) {
        const QString lancamento = txtCodigoLANCAMENTO->text();
        try {
            // Anything but a number would go bare into the deletion and could match every punch.
            if (!EhCodigoNumerico(lancamento))
                throw DatabaseError(QStringLiteral("número de lançamento inválido"));
            {
                const OrigemAlteracao origem(kOrigem);
                conexaoBanco->Execute(QStringLiteral("Delete From  MOVIMENTACAO  WHERE CODIGO = ") +
                                      lancamento + QStringLiteral(" "));
            }
            Avisar(QStringLiteral("Excluido com Sucesso!"));
        } catch (const DatabaseError&) {
            Avisar(QStringLiteral("Erro ao Excluir!"));
        }
    } else {
        Avisar(QStringLiteral("Operação Cancelada!"));
    }
    Command2_Click();
}

void frm_manutHorario::Command5_Click() {
    const auto nova = [] {
        return new frmLancarDia;
    };
    if (QMdiSubWindow* janela = subWindow(); janela && janela->mdiArea())
        return void(ChildScreen::showOnceIn(janela->mdiArea(), QStringLiteral("frmLancarDia"), nova));
    ChildScreen* lancar = nova();
    lancar->setAttribute(Qt::WA_DeleteOnClose);
    lancar->show();
}

// "Atualizar Horário": the stored day totals of every schedule, from their own times.
void frm_manutHorario::Command4_Click() {
    atualizarTotaisHorarios();
    MsgBox(QStringLiteral("Fim da Operação!"), MsgBoxButtons::OkOnly);
}
