#pragma once

#include "ChildScreen.h"
#include "MsgBox.h"

#include <QTimer>

class DatabaseError;
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
    // `quiosque` as setQuiosque; at start it also keeps the terminal up when the database
    // server is out of reach.
    explicit frmVelto(bool quiosque = false, QWidget* parent = nullptr);

    // Rebuilds the list of the employees with an open entry, in name order. When the database
    // fails, the list keeps what it showed.
    void VerFuncionariosTrabalhando();

    // At an unattended terminal (kiosk mode) the terminal's message boxes close by themselves
    // after kSegundosCaixa seconds, and a card scanned into one is the next swipe.
    void setQuiosque(bool quiosque) { quiosque_ = quiosque; }
    // While the terminal uses its connection: from the swipe until its outcome is shown (message
    // boxes included), and while the list is rebuilt.
    bool RegistroEmAndamento() const { return registrando_; }
    static constexpr int kSegundosCaixa = 5;
    // How long a scan waits for a database locked by another program, or for a server: the
    // whole scan, its message included, stays within ten seconds.
    static constexpr int kEsperaBanco = 9800;
    // How long the list of who is at work waits for the database before it keeps what it shows.
    static constexpr int kEsperaLista = 2000;
    // How often a kiosk terminal that started with the server out of reach tries it again.
    static constexpr int kSegundosReconectar = 5;
    // How often the terminal asks whether another program changed the punches.
    static constexpr int kMilissegundosMudancas = 500;

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
    QTimer Reconectar;
    // Follows the punches other programs make: the list of who is at work is rebuilt when the
    // database says another program changed it.
    QTimer Mudancas;

    // The kind and the employee number of the last swipe; nothing else reads them.
    QString lblEntradaSaida;
    QString lblcodigo;

private:
    void criarControles();
    void Form_Load();
    void AbrirBanco();
    void Reconectar_Timer();
    void Timer1_Timer();
    void MostrarDataHora(const QDateTime& agora);
    void Timer2_Timer();
    void TxtFUNCIONARIO_Change();
    void TxtFUNCIONARIO_LostFocus();
    void Passar(const QString& cartao);
    void ConferirArquivo();
    void EsperarBanco();
    void PontoNaoRegistrado(const DatabaseError& erro, const QString& cartao, const QDateTime& instante);
    void Mudancas_Timer();
    void AvisoTerminal(const QString& texto, MsgBoxIcon icone);
    void PintarCartao(bool comFoco);

    bool quiosque_ = false;
    bool registrando_ = false;

    // The file the connection opened was deleted or replaced (or could not be opened again):
    // every scan tries the file at the path until one opens.
    bool arquivoTrocado_ = false;
};
