#pragma once

#include "ChildScreen.h"

#include <QTimer>

class MaskedEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;

// The terminal at which employees punch: the running clock, the card field fed by the barcode
// scanner, the outcome of each swipe and the list of who is at work now.
class frmVelto : public ChildScreen {
    Q_OBJECT
public:
    explicit frmVelto(QWidget* parent = nullptr);

    // Rebuilds the list of the employees with an open entry, in name order.
    void VerFuncionariosTrabalhando();

    // At an unattended terminal (kiosk mode) the terminal's message boxes close by themselves
    // after kSegundosCaixa seconds, and a card scanned into one is the next swipe.
    void setQuiosque(bool quiosque) { quiosque_ = quiosque; }
    bool quiosque() const { return quiosque_; }
    static constexpr int kSegundosCaixa = 5;

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* TxtFUNCIONARIO;
    QLineEdit* Text1;
    QLineEdit* TXTNOME;
    QLabel* Label2;
    MaskedEdit* txtData;
    QLineEdit* TXTHORA;
    QGroupBox* Frame3;
    QListWidget* List1;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QTimer Timer1;
    QTimer Timer2;

    // The kind and the employee number of the last swipe; nothing else reads them.
    QString lblEntradaSaida;
    QString lblcodigo;

private:
    void criarControles();
    void Form_Load();
    void Timer1_Timer();
    void MostrarDataHora(const QDateTime& agora);
    void Timer2_Timer();
    void TxtFUNCIONARIO_Change();
    void TxtFUNCIONARIO_LostFocus();
    void Passar(const QString& cartao);
    void PintarCartao(bool comFoco);

    bool quiosque_ = false;
};
