#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class ChildScreen;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class frmSenha;

// The main window: the frame every screen opens in, its menus, and its two modes. In terminal
// mode the menu bar is empty and only the terminal is reachable; Esc on the terminal brings
// the menus back.
class MDIVelto : public QMainWindow {
    Q_OBJECT
public:
    // `quiosque`: the terminal opened here is a kiosk's from its start (see frmVelto).
    explicit MDIVelto(bool quiosque = false, QWidget* parent = nullptr);

    // The screens the password prompt may open, one per pending-screen flag. A screen that is not
    // registered yet is not opened: its flag is just cleared.
    using Fabrica = std::function<ChildScreen*()>;
    enum class Tela {
        HorCombinado,
        LancarDia,
        Funcionarios,
        Relatorios,
        ManutHorario,
        SenhaManutencao,
        TabelaHoras,
        Feriados
    };
    void RegistrarTela(Tela tela, Fabrica fabrica);
    // Opens the screen as a child window (used by the password prompt).
    void AbrirTela(Tela tela);
    void AbrirTela(ChildScreen* tela);

    void EntrarModoTerminal();
    // Given back by the terminal as it unloads.
    void SairModoTerminal();

    // Kiosk mode, for the punch PC left running: the window without decorations (the caller shows
    // it full screen), leaving the program only after the maintenance password, the terminal
    // fixed in place (no minimising, no moving) with message boxes that close by themselves, and
    // the administration screens left open hidden while the terminal is up.
    void AtivarQuiosque();

    QMdiArea* area() const { return area_; }

    // Whether the terminal is registering a scan now.
    bool RegistroEmAndamento() const;
    // What the office must be told once the maintenance password is accepted (empty: nothing),
    // shown then in a message box.
    void setAvisosAposSenha(std::function<QString()> avisos) { avisosAposSenha_ = std::move(avisos); }
    void MostrarAvisosAposSenha();

    // Pending-screen flags: set by the protected menu items, read and cleared by the prompt.
    bool kfuncionario = false;
    bool KRelatorio = false;
    bool kManutencHorbb = false;
    bool kManutencHor = false;
    bool kManutencHorCombinado = false;
    bool Ksenha = false;
    bool KTabelasHor = false;
    bool kFeriados = false;

    QMenu* mnc;
    QAction* mnuF;
    QAction* mnutabHoras;
    QAction* mnuTFeriados;
    QAction* mnuHcomb;
    QAction* mnuMantHorarios;
    QAction* mnuHorarios;
    QAction* mnuSenha;
    QAction* mnssss;
    QAction* mnuSair;
    QMenu* mnur;
    QAction* mnuf1;
    QMenu* MNUREL;
    QAction* mnures;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void criarMenus();
    QAction* itemProtegido(QMenu* menu, const char* nome, const QString& titulo, bool MDIVelto::*flag);
    void MostrarSenha();
    void FixarTerminal();
    void OcultarTelasAdministrativas();
    void MostrarTelasAdministrativas();

    QMdiArea* area_;
    QHash<int, Fabrica> fabricas_;
    // Each screen has one instance: asking again brings the open one to the front.
    QPointer<ChildScreen> terminal_;
    bool quiosque_ = false;
    QList<QPointer<QMdiSubWindow>> ocultas_;
    std::function<QString()> avisosAposSenha_;
};
