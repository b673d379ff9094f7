#include "CampoFuncionario.h"

#include "AcharFuncionario.h"
#include "ChamadorConsulta.h"
#include "ChildScreen.h"
#include "DatabaseError.h"
#include "FocusHelpers.h"
#include "frm_consultarFuncionarios.h"

#include <QLabel>
#include <QLineEdit>

CampoFuncionario::CampoFuncionario(ChildScreen& tela, ChamadorConsulta* chamador, Opcoes opcoes)
    : QObject(&tela)
    , tela_(tela)
    , chamador_(chamador)
    , opcoes_(std::move(opcoes)) {
    if (opcoes_.cartao)
        OnLostFocus(opcoes_.cartao, [this] { CartaoSaiu(); });
    OnLostFocus(opcoes_.numero, [this] { NumeroSaiu(); });
}

void CampoFuncionario::CartaoSaiu() {
    opcoes_.numero->clear();
    if (opcoes_.cartaoPreencheNome)
        MostrarNome(QString());
    try {
        if (const auto achado = FuncionarioPorRegistro(opcoes_.cartao->text())) {
            opcoes_.numero->setText(achado->codigo);
            if (opcoes_.cartaoPreencheNome)
                MostrarNome(achado->nome);
        }
    } catch (const DatabaseError&) {
        // A failed card lookup leaves the fields empty.
    }
}

void CampoFuncionario::NumeroSaiu() {
    const QString numero = opcoes_.numero->text();
    if (opcoes_.zeroAbreConsulta && chamador_ && numero == QLatin1String("0")) {
        opcoes_.numero->clear();
        frm_consultarFuncionarios::Abrir(tela_, *chamador_);
        return;
    }
    if (opcoes_.numeroLimpaNome)
        MostrarNome(QString());
    if (EhCodigoNumerico(numero)) {
        const auto achado = FuncionarioPorNumero(numero);
        MostrarNome(achado ? achado->nome : QString());
    }
    if (opcoes_.depois)
        opcoes_.depois();
}

void CampoFuncionario::MostrarNome(const QString& nome) {
    if (auto* edit = qobject_cast<QLineEdit*>(opcoes_.nome))
        edit->setText(nome);
    else if (auto* rotulo = qobject_cast<QLabel*>(opcoes_.nome))
        rotulo->setText(nome);
}
