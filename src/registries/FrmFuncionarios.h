#pragma once

#include "ChamadorConsulta.h"
#include "ChildScreen.h"

class MaskedEdit;
class Recordset;
class QLabel;
class QLineEdit;
class QPushButton;

// The employee registry, keyed by the 13-digit card code. It calls the employee lookup for the
// card code, and the barcode form reads its name and card code fields.
class FrmFuncionarios : public ChildScreen, public ChamadorConsulta {
    Q_OBJECT
public:
    explicit FrmFuncionarios(QWidget* parent = nullptr);

    QLineEdit* campoConsulta() const override;

    QLabel* lblRegistro;
    QLineEdit* TXTVELTO;
    QLabel* lblFuncionario;
    QLineEdit* TxtFUNCIONARIO;
    QLabel* lblTele;
    QLineEdit* TXTTELE;
    QLabel* lblEndereco;
    QLineEdit* TxtENDERECO;
    QLabel* lblCidade;
    QLineEdit* TXTCIDADE;
    QLabel* lblEstado;
    QLineEdit* TXTESTADO;
    QLabel* lblNascimento;
    MaskedEdit* txtData;
    QLabel* lblAdmissao;
    MaskedEdit* TXTDATAADMISSAO;
    QLabel* lblHorario;
    QLineEdit* TXTCODH;
    QLineEdit* TXTHORARIO;
    QLabel* lblValor;
    QLineEdit* TXTVALOR;
    QLabel* lblNota;
    QPushButton* btGravar;
    QPushButton* CBSAir;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void criarControles();
    void Form_Load();
    void TXTVELTO_LostFocus();
    void Carregar(const Recordset& funcionario);
    void TXTCODH_LostFocus();
    void MostrarHorario(const Recordset& horario);
    void btGravar_Click();
    bool CamposValidos();
    void Gravar(const QString& registro);
    void Command1_Click();
    void Command2_Click();
};
