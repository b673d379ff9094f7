#pragma once

#include "ChildScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Changes the maintenance password, asking for the current one again.
class frm_senhaManutencao : public ChildScreen {
    Q_OBJECT
public:
    explicit frm_senhaManutencao(QWidget* parent = nullptr);

    QLabel* Label4;
    QLineEdit* TxtEntradaSaida;
    QLabel* Label1;
    QLineEdit* txtNovaSenha;
    QLabel* Label2;
    QLineEdit* txtConfirmar;
    QPushButton* Command1;

private:
    void Command1_Click();
};
