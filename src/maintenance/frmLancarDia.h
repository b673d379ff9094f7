#pragma once

#include "ChildScreen.h"

class CampoFuncionario;
class MaskedEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Posts one punch by hand ("Lançar Hora"): a forgotten entry or exit, or a day the terminal
// was not used. Each posting inserts one row with the terminal's statement, then the screen
// starts over empty.
class frmLancarDia : public ChildScreen {
    Q_OBJECT
public:
    explicit frmLancarDia(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* txtcartao;
    QLabel* Label3;
    QLineEdit* TxtCodF;
    QLineEdit* TXTF;
    QLabel* Label23;
    MaskedEdit* TxtFUNCIONARIO;
    QLabel* Label6;
    MaskedEdit* txtData;
    QLabel* Label4;
    QLineEdit* TxtEntradaSaida;
    QLabel* Label7;
    QLineEdit* txtmanhaTarde;
    QPushButton* Command1;

private:
    void criarControles();
    void Form_Load();
    void Command1_Click();
    bool FuncionarioExiste();
    void RecomecarVazia();

    CampoFuncionario* funcionario_;
};
