#pragma once

#include "ChamadorConsulta.h"
#include "ChildScreen.h"

class ListaTela;
class MaskedEdit;
class Printer;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The report screen: a period, an employee, printer or on-screen list, and one button per
// report. It also calls the employee lookup for its employee code.
class frmRelatorios : public ChildScreen, public ChamadorConsulta {
    Q_OBJECT
public:
    explicit frmRelatorios(QWidget* parent = nullptr);

    QLineEdit* campoConsulta() const override;

    QLabel* lblPeriodo;
    MaskedEdit* txtData;
    QLabel* lblAte;
    MaskedEdit* txtdata1;
    QLabel* Label2;
    QLineEdit* txtcartao;
    QLabel* Label1;
    QLineEdit* TXTCODIGOFUNCIONARIO;
    QLineEdit* TXTNOME;
    QCheckBox* ckboxImprimir;
    QGroupBox* fraCartao;
    QPushButton* Command1;
    QGroupBox* fraJornada;
    QPushButton* Command3;
    QGroupBox* fraSaldo;
    QPushButton* Command6;
    QGroupBox* fraCadastros;
    QPushButton* Command2;
    QPushButton* Command5;
    ListaTela* List1;

private:
    void criarControles();
    void Form_Load();
    void Command1_Click();
    void AvisarArquivoPdf(const Printer& impressora);
};
