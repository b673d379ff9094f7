#include "frm_senhaManutencao.h"

#include "Conexao.h"
#include "FocusHelpers.h"
#include "MsgBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frm_senhaManutencao::frm_senhaManutencao(QWidget* parent)
    : ChildScreen(parent) {
    setObjectName(QStringLiteral("frm_senhaManutencao"));
    setWindowTitle(QStringLiteral("Senha Manutenção"));
    auto* grade = new QGridLayout(this);
    const auto campo = [&](QLabel*& rotulo, const char* nomeRotulo, const QString& texto, QLineEdit*& edicao,
                           const char* nome) {
        rotulo = new QLabel(texto, this);
        rotulo->setObjectName(QString::fromLatin1(nomeRotulo));
        edicao = new QLineEdit(this);
        edicao->setObjectName(QString::fromLatin1(nome));
        MakePasswordField(edicao);
        edicao->setFont(QFont(QStringLiteral("Courier New"), 10));
        const int linha = grade->rowCount();
        grade->addWidget(rotulo, linha, 0);
        grade->addWidget(edicao, linha, 1);
    };
    campo(Label4, "Label4", QStringLiteral("Senha:"), TxtEntradaSaida, "TxtEntradaSaida");
    campo(Label1, "Label1", QStringLiteral("Nova Senha:"), txtNovaSenha, "txtNovaSenha");
    campo(Label2, "Label2", QStringLiteral("Confirmar nova Senha:"), txtConfirmar, "txtConfirmar");
    Command1 = new QPushButton(QStringLiteral("Gravar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    grade->addWidget(Command1, grade->rowCount(), 1, Qt::AlignRight);
    setFixedSize(380, 160);

    connect(Command1, &QPushButton::clicked, this, &frm_senhaManutencao::Command1_Click);
    AbrirConexao();
    TxtEntradaSaida->setFocus();
}

void frm_senhaManutencao::Command1_Click() {
    const Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from permissao where  codigo  =") +
                                               QStringLiteral("1"));
    if (!rs.Eof()) {
        if (rs["senha"].isNull() || rs["senha"].toString() != TxtEntradaSaida->text()) {
            MsgBox(QStringLiteral("Senha Atual Invalida!"), MsgBoxButtons::OkOnly);
            return;
        }
        if (txtNovaSenha->text() != txtConfirmar->text()) {
            MsgBox(QStringLiteral("Nova Senha Não confere - Digite Novamente a Senha Nova!"),
                   MsgBoxButtons::OkOnly);
            return;
        }
        // An apostrophe is part of the password, not the end of the text.
        QString nova = txtNovaSenha->text();
        nova.replace(QLatin1Char('\''), QStringLiteral("''"));
        conexaoBanco->Execute("update  permissao set senha = '" + nova +
                              "'   where  codigo  =" + QStringLiteral("1"));
    }
    unload();
}
