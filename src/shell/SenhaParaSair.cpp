#include "SenhaParaSair.h"

#include "FocusHelpers.h"
#include "MsgBox.h"
#include "Teclado.h"
#include "frmSenha.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SenhaParaSair::SenhaParaSair(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SenhaParaSair"));
    setWindowTitle(QStringLiteral("Sair do Velto"));
    Label4 = new QLabel(QStringLiteral("Senha:"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    TxtEntradaSaida = new QLineEdit(this);
    TxtEntradaSaida->setObjectName(QStringLiteral("TxtEntradaSaida"));
    MakePasswordField(TxtEntradaSaida);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancelar"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(Command1);
    botoes->addWidget(Command2);
    auto* grade = new QGridLayout(this);
    grade->addWidget(Label4, 0, 0);
    grade->addWidget(TxtEntradaSaida, 0, 1);
    grade->addLayout(botoes, 1, 0, 1, 2);
    setFixedSize(320, 110);

    connect(Command1, &QPushButton::clicked, this, &SenhaParaSair::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    TxtEntradaSaida->setFocus();
}

bool SenhaParaSair::Pedir(QWidget* parent) {
    SenhaParaSair dialogo(parent);
    return dialogo.exec() == QDialog::Accepted;
}

void SenhaParaSair::Command1_Click() {
    if (frmSenha::ConferirSenha(TxtEntradaSaida->text()) == frmSenha::Conferencia::Certa) {
        accept();
        return;
    }
    MsgBox(QStringLiteral("senha invalida!"), MsgBoxButtons::OkOnly);
    // The window manager may hand the activation back to the full-screen main window.
    raise();
    activateWindow();
    TxtEntradaSaida->setFocus();
    SelecionarTexto(TxtEntradaSaida);
}
