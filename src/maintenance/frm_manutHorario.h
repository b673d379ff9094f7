#pragma once

#include "ChamadorConsulta.h"
#include "ChildScreen.h"

class CampoFuncionario;
class MaskedEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Corrects the punches of one employee ("Manutenção de Horarios"): lists them from a date on,
// loads one, changes or deletes it; opens the posting screen and recomputes the schedule totals.
class frm_manutHorario : public ChildScreen, public ChamadorConsulta {
    Q_OBJECT
public:
    explicit frm_manutHorario(QWidget* parent = nullptr);

    QLineEdit* campoConsulta() const override;

    // "Consultar": the employee's punches from the date on, after a heading line.
    void Command2_Click();

    QLabel* Label5;
    QLabel* Label8;
    QLineEdit* txtcartao;
    QLabel* Label3;
    QLineEdit* TxtCodF;
    QLabel* lblfuncionario;
    QLabel* Label1;
    MaskedEdit* txtDataLocacao;
    QPushButton* Command2;
    QGroupBox* Frame2;
    QListWidget* List1;
    QGroupBox* Frame1;
    QLabel* Label2;
    QLineEdit* txtCodigoLANCAMENTO;
    QLabel* Label23;
    MaskedEdit* TxtFUNCIONARIO;
    QLabel* Label6;
    MaskedEdit* txtData;
    QLabel* Label4;
    QLineEdit* TxtEntradaSaida;
    QLabel* Label7;
    QLineEdit* txtmanhaTarde;
    QGroupBox* Frame3;
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command5;
    QPushButton* Command4;

protected:
    bool previewKeyPress(QWidget* target, QKeyEvent* event) override;

private:
    void criarControles();
    void Form_Load();
    void List1_Click(int linha);
    void CarregarLancamento();
    void Command1_Click();
    void Command3_Click();
    void Command5_Click();
    void Command4_Click();

    CampoFuncionario* funcionario_;
};
