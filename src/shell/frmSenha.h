#pragma once

#include "ChildScreen.h"

class MDIVelto;
class QLabel;
class QLineEdit;
class QPushButton;

// The maintenance password prompt: the right password opens every screen whose
// pending-screen flag is set on the main window.
class frmSenha : public ChildScreen {
    Q_OBJECT
public:
    explicit frmSenha(MDIVelto& principal, QWidget* parent = nullptr);

    // The check of the maintenance password: row 1 of permissao, compared exactly.
    enum class Conferencia { SemSenha, Errada, Certa };
    static Conferencia ConferirSenha(const QString& digitada);

    QLabel* Label4;
    QLineEdit* TxtEntradaSaida;
    QPushButton* Command1;

protected:
    void unloadEvent() override;

private:
    void Command1_Click();
    void AbrirTelasPendentes();

    MDIVelto& principal_;
};
