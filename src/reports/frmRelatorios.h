#pragma once

#include "ChamadorConsulta.h"
#include "ChildScreen.h"
#include "EntradaRelatorio.h"
#include "SaidaRelatorio.h"

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
    void Command3_Click();
    void Command6_Click();
    void Command2_Click();
    void Command5_Click();
    // Runs a report of the period and employee on the screen: to the default printer when the
    // box is ticked, to the list otherwise; its messages in message boxes.
    void RelatorioDoPeriodo(bool (*relatorio)(const EntradaRelatorio&, const DestinoRelatorio&));
    void AvisarArquivoPdf(const Printer& impressora);
};
