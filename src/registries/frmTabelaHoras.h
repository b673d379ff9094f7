#pragma once

#include "ChildScreen.h"

class MaskedEdit;
class Recordset;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The work schedules: one weekday row of a schedule code at a time, with the schedule's weekly
// total and the employees who use it. Each save starts a fresh screen on the same code.
class frmTabelaHoras : public ChildScreen {
    Q_OBJECT
public:
    explicit frmTabelaHoras(QWidget* parent = nullptr);

    // Refreshes the description, the weekly totals and the employee list of the code in TXTVELTO.
    void buscarValoresCartHors();
    // The day total of the four time fields, into TXTTOTALHORAS.
    void calcularTotalDia();

    QGroupBox* fraCadastro;
    QLabel* lblCodigo;
    QComboBox* TXTVELTO;
    QLineEdit* txtdescricao;
    QGroupBox* fraDiaSemana;
    QComboBox* txtDiaSemana;
    QLineEdit* txtcodhora;
    QGroupBox* fraPeriodo1;
    QLabel* lblEntrada1;
    MaskedEdit* TxtFUNCIONARIO;
    QLabel* lblSaida1;
    MaskedEdit* TXTTELE;
    QGroupBox* fraPeriodo2;
    QLabel* lblEntrada2;
    MaskedEdit* TxtENDERECO;
    QLabel* lblSaida2;
    MaskedEdit* TXTCIDADE;
    QLabel* lblTotal;
    MaskedEdit* TXTTOTALHORAS;
    QLabel* lblNota;
    QPushButton* btGravar;
    QLabel* lblHporS;
    QLineEdit* txtHporS;
    QLabel* lblMporS;
    QLineEdit* txtMporS;
    QGroupBox* fraFuncionarios;
    QListWidget* List1;

private:
    void criarControles();
    void Form_Load();
    void TXTVELTO_LostFocus();
    void txtDiaSemana_Click();
    void CarregarDia(const Recordset& rs);
    void txtDiaSemana_LostFocus();
    void btGravar_Click();
    bool HorasValidas();
    void Gravar(const QString& codigo, const QString& dia);
    QString codigo() const;
    void setCodigo(const QString& codigo);
};
