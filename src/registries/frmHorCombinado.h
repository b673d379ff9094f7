#pragma once

#include "ChamadorConsulta.h"
#include "ChildScreen.h"

class CampoFuncionario;
class MaskedEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Agreed hours ("Horário Combinado"): for one employee and day, hours to work or a day off,
// with a note. Posts entries into HoraCombinada and lists the employee's entries.
class frmHorCombinado : public ChildScreen, public ChamadorConsulta {
    Q_OBJECT
public:
    explicit frmHorCombinado(QWidget* parent = nullptr);

    QLineEdit* campoConsulta() const override;

    // Refills List1 with the entries of the employee in TXTCODIGOFUNCIONARIO.
    void Buscar();

    QLabel* Label1;
    QLineEdit* txtcartao;
    QLabel* Label2;
    QLineEdit* TXTCODIGOFUNCIONARIO;
    QLineEdit* TXTNOME;
    QLabel* Label3;
    MaskedEdit* txtData;
    QLabel* Label4;
    MaskedEdit* txtHoras;
    QLabel* Label5;
    QComboBox* TXTcombinado;
    QLabel* Label6;
    QLabel* Label7;
    QLineEdit* txtObser;
    QPushButton* Command1;
    QGroupBox* Frame1;
    QListWidget* List1;

private:
    void criarControles();
    void Form_Load();
    void Command1_Click();

    CampoFuncionario* funcionario_;
};
