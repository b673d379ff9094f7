#include "frmSenha.h"

#include "Conexao.h"
#include "FocusHelpers.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "Teclado.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmSenha::frmSenha(MDIVelto& principal, QWidget* parent)
    : ChildScreen(parent)
    , principal_(principal) {
    setObjectName(QStringLiteral("frmSenha"));
    setWindowTitle(QStringLiteral("Digite a Senha"));
    Label4 = new QLabel(QStringLiteral("Senha:"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    TxtEntradaSaida = new QLineEdit(this);
    TxtEntradaSaida->setObjectName(QStringLiteral("TxtEntradaSaida"));
    MakePasswordField(TxtEntradaSaida);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto* grade = new QGridLayout(this);
    grade->addWidget(Label4, 0, 0);
    grade->addWidget(TxtEntradaSaida, 0, 1);
    grade->addWidget(Command1, 1, 1, Qt::AlignRight);
    setFixedSize(300, 100);

    SelecionarTextoAoEntrar(TxtEntradaSaida);
    connect(Command1, &QPushButton::clicked, this, &frmSenha::Command1_Click);
    AbrirConexao();
    TxtEntradaSaida->setFocus();
}

frmSenha::Conferencia frmSenha::ConferirSenha(const QString& digitada) {
    const Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from permissao where  codigo  =") +
                                               QStringLiteral("1"));
    if (rs.Eof())
        return Conferencia::SemSenha;
    const Variant senha = rs["senha"];
    return senha.isNull() || senha.toString() != digitada ? Conferencia::Errada : Conferencia::Certa;
}

void frmSenha::Command1_Click() {
    const Conferencia conferencia = ConferirSenha(TxtEntradaSaida->text());
    if (conferencia == Conferencia::SemSenha)
        return;
    if (conferencia == Conferencia::Errada) {
        MsgBox(QStringLiteral("senha invalida!"), MsgBoxButtons::OkOnly);
        TxtEntradaSaida->setFocus();
        SelecionarTexto(TxtEntradaSaida);
        return;
    }
    principal_.MostrarAvisosAposSenha();
    AbrirTelasPendentes();
    unload();
}

void frmSenha::AbrirTelasPendentes() {
    using Tela = MDIVelto::Tela;
    const struct {
        bool MDIVelto::*flag;
        Tela tela;
    } ordem[] = {{&MDIVelto::kManutencHorCombinado, Tela::HorCombinado},
                 {&MDIVelto::kManutencHorbb, Tela::LancarDia},
                 {&MDIVelto::kfuncionario, Tela::Funcionarios},
                 {&MDIVelto::KRelatorio, Tela::Relatorios},
                 {&MDIVelto::kManutencHor, Tela::ManutHorario},
                 {&MDIVelto::Ksenha, Tela::SenhaManutencao},
                 {&MDIVelto::KTabelasHor, Tela::TabelaHoras},
                 {&MDIVelto::kFeriados, Tela::Feriados}};
    for (const auto& pendente : ordem) {
        if (principal_.*pendente.flag) {
            principal_.*pendente.flag = false;
            principal_.AbrirTela(pendente.tela);
        }
    }
}

void frmSenha::unloadEvent() {
    for (bool MDIVelto::*flag :
         {&MDIVelto::kfuncionario, &MDIVelto::KRelatorio, &MDIVelto::kManutencHorbb, &MDIVelto::kManutencHor,
          &MDIVelto::kManutencHorCombinado, &MDIVelto::Ksenha, &MDIVelto::KTabelasHor, &MDIVelto::kFeriados})
        principal_.*flag = false;
}
