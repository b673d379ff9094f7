#include "CampoFuncionario.h"

#include "AcharFuncionario.h"
#include "ChamadorConsulta.h"
#include "ChildScreen.h"
#include "DatabaseError.h"
#include "FocusHelpers.h"
#include "frm_consultarFuncionarios.h"

#include <QLabel>
#include <QLineEdit>

CampoFuncionario::CampoFuncionario(ChildScreen& tela, ChamadorConsulta* chamador, QLineEdit* cartao,
                                   QLineEdit* numero, QWidget* nome)
    : QObject(&tela)
    , tela_(tela)
    , chamador_(chamador)
    , cartao_(cartao)
    , numero_(numero)
    , nome_(nome) {
    if (cartao_)
        OnLostFocus(cartao_, [this] { CartaoSaiu(); });
    OnLostFocus(numero_, [this] { NumeroSaiu(); });
}

void CampoFuncionario::CartaoSaiu() {
    numero_->clear();
    if (cartaoPreencheNome)
        MostrarNome(QString());
    try {
        if (const auto achado = FuncionarioPorRegistro(cartao_->text())) {
            numero_->setText(achado->codigo);
            if (cartaoPreencheNome)
                MostrarNome(achado->nome);
        }
    } catch (const DatabaseError&) {
        // A failed card lookup leaves the fields empty.
    }
}

void CampoFuncionario::NumeroSaiu() {
    const QString numero = numero_->text();
    if (zeroAbreConsulta && chamador_ && numero == QLatin1String("0")) {
        numero_->clear();
        frm_consultarFuncionarios::Abrir(tela_, *chamador_);
        return;
    }
    if (numeroLimpaNome)
        MostrarNome(QString());
    if (EhCodigoNumerico(numero)) {
        const auto achado = FuncionarioPorNumero(numero);
        MostrarNome(achado ? achado->nome : QString());
    }
    if (depois)
        depois();
}

void CampoFuncionario::MostrarNome(const QString& nome) {
    if (auto* edit = qobject_cast<QLineEdit*>(nome_))
        edit->setText(nome);
    else if (auto* rotulo = qobject_cast<QLabel*>(nome_))
        rotulo->setText(nome);
}
