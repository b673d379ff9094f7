#include "MDIVelto.h"

#include "MsgBox.h"
#include "SenhaParaSair.h"
#include "frmSenha.h"
#include "frmVelto.h"
#include "frm_senhaManutencao.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>

MDIVelto::MDIVelto(bool quiosque, QWidget* parent)
    : QMainWindow(parent)
    , area_(new QMdiArea(this)) {
    quiosque_ = quiosque;
    setObjectName(QStringLiteral("MDIVelto"));
    setWindowTitle(QStringLiteral("VELTO"));
    area_->setObjectName(QStringLiteral("area"));
    area_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(area_);
    criarMenus();
    resize(1024, 720);
    RegistrarTela(Tela::SenhaManutencao, [] { return new frm_senhaManutencao; });
    EntrarModoTerminal();
}

void MDIVelto::criarMenus() {
    mnc = menuBar()->addMenu(QStringLiteral("Cadastros"));
    mnc->setObjectName(QStringLiteral("mnc"));
    mnuF = itemProtegido(mnc, "mnuF", QStringLiteral("Funcionarios"), &MDIVelto::kfuncionario);
    mnutabHoras = itemProtegido(mnc, "mnutabHoras", QStringLiteral("Horários"), &MDIVelto::KTabelasHor);
    mnuTFeriados = itemProtegido(mnc, "mnuTFeriados", QStringLiteral("Feriados"), &MDIVelto::kFeriados);
    mnuHcomb = itemProtegido(mnc, "mnuHcomb", QStringLiteral("Horários Combinados"),
                             &MDIVelto::kManutencHorCombinado);
    mnuMantHorarios = itemProtegido(mnc, "mnuMantHorarios", QStringLiteral("Manutenção de Horários"),
                                    &MDIVelto::kManutencHor);
    mnuHorarios =
        itemProtegido(mnc, "mnuHorarios", QStringLiteral("Lançar Horários"), &MDIVelto::kManutencHorbb);
    mnuSenha = itemProtegido(mnc, "mnuSenha", QStringLiteral("Senha Manutenção"), &MDIVelto::Ksenha);
    mnssss = mnc->addSeparator();
    mnssss->setObjectName(QStringLiteral("mnssss"));
    mnuSair = mnc->addAction(QStringLiteral("Sair"));
    mnuSair->setObjectName(QStringLiteral("mnuSair"));
    connect(mnuSair, &QAction::triggered, this, &QWidget::close);

    mnur = menuBar()->addMenu(QStringLiteral("Relatórios"));
    mnur->setObjectName(QStringLiteral("mnur"));
    mnuf1 = itemProtegido(mnur, "mnuf1", QStringLiteral("Funcionarios"), &MDIVelto::KRelatorio);

    const QString margem20(20, QLatin1Char(' ')), margem21(21, QLatin1Char(' '));
    MNUREL = menuBar()->addMenu(margem20 + QStringLiteral("Relógio Ponto") + margem21);
    MNUREL->setObjectName(QStringLiteral("MNUREL"));
    mnures = MNUREL->addAction(QStringLiteral("Abrir Relógio Entradas e Saidas"));
    mnures->setObjectName(QStringLiteral("mnures"));
    connect(mnures, &QAction::triggered, this, &MDIVelto::EntrarModoTerminal);
}

QAction* MDIVelto::itemProtegido(QMenu* menu, const char* nome, const QString& titulo, bool MDIVelto::*flag) {
    QAction* item = menu->addAction(titulo);
    item->setObjectName(QString::fromLatin1(nome));
    connect(item, &QAction::triggered, this, [this, flag] {
        this->*flag = true;
        MostrarSenha();
    });
    return item;
}

void MDIVelto::MostrarSenha() {
    // One prompt at a time: further requests bring the open one to the front.
    if (auto* aberta = area_->findChild<frmSenha*>()) {
        if (!aberta->isUnloaded()) {
            area_->setActiveSubWindow(aberta->subWindow());
            return;
        }
    }
    AbrirTela(new frmSenha(*this));
}

bool MDIVelto::RegistroEmAndamento() const {
    const auto* terminal = qobject_cast<const frmVelto*>(terminal_.data());
    return terminal && terminal->RegistroEmAndamento();
}

void MDIVelto::MostrarAvisosAposSenha() {
    if (!avisosAposSenha_)
        return;
    if (const QString avisos = avisosAposSenha_(); !avisos.isEmpty())
        MsgBox(avisos, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}

void MDIVelto::RegistrarTela(Tela tela, Fabrica fabrica) {
    fabricas_.insert(static_cast<int>(tela), std::move(fabrica));
}

namespace {

// Each screen's objectName, by which it is found open in the area whoever opened it.
QString NomeDaTela(MDIVelto::Tela tela) {
    using T = MDIVelto::Tela;
    switch (tela) {
    case T::HorCombinado:
        return QStringLiteral("frmHorCombinado");
    case T::LancarDia:
        return QStringLiteral("frmLancarDia");
    case T::Funcionarios:
        return QStringLiteral("FrmFuncionarios");
    case T::Relatorios:
        return QStringLiteral("frmRelatorios");
    case T::ManutHorario:
        return QStringLiteral("frm_manutHorario");
    case T::SenhaManutencao:
        return QStringLiteral("frm_senhaManutencao");
    case T::TabelaHoras:
        return QStringLiteral("frmTabelaHoras");
    case T::Feriados:
        return QStringLiteral("frmFeriados");
    }
    return {};
}

} // namespace

void MDIVelto::AbrirTela(Tela tela) {
    const auto it = fabricas_.constFind(static_cast<int>(tela));
    if (it != fabricas_.constEnd())
        ChildScreen::showOnceIn(area_, NomeDaTela(tela), *it);
}

void MDIVelto::AbrirTela(ChildScreen* tela) {
    tela->showIn(area_);
}

void MDIVelto::EntrarModoTerminal() {
    if (quiosque_)
        OcultarTelasAdministrativas();
    mnc->menuAction()->setVisible(false);
    mnur->menuAction()->setVisible(false);
    MNUREL->menuAction()->setVisible(false);
    mnuF->setEnabled(false);
    mnuf1->setEnabled(false);
    mnutabHoras->setEnabled(false);
    auto* terminal = new frmVelto(quiosque_);
    connect(terminal, &ChildScreen::unloaded, this, &MDIVelto::SairModoTerminal);
    terminal_ = terminal;
    AbrirTela(terminal);
    if (quiosque_)
        FixarTerminal();
}

void MDIVelto::AtivarQuiosque() {
    quiosque_ = true;
    const bool visivel = isVisible();
    setWindowFlag(Qt::FramelessWindowHint); // hides a shown window
    if (visivel)
        show();
    if (terminal_ && !terminal_->isUnloaded()) {
        OcultarTelasAdministrativas();
        FixarTerminal();
    }
}

void MDIVelto::FixarTerminal() {
    auto* terminal = qobject_cast<frmVelto*>(terminal_.data());
    QMdiSubWindow* janela = terminal ? terminal->subWindow() : nullptr;
    if (!janela)
        return;
    terminal->setQuiosque(true);
    QPointer<QWidget> foco = terminal->focusWidget();
    // Without a title bar and system menu there is nothing to minimise, move or close it with.
    janela->setWindowFlags(Qt::FramelessWindowHint);
    janela->setSystemMenu(nullptr);
    connect(janela, &QMdiSubWindow::windowStateChanged, janela,
            [janela](Qt::WindowStates, Qt::WindowStates agora) {
                if (agora & (Qt::WindowMinimized | Qt::WindowMaximized))
                    janela->showNormal();
            });
    janela->show();
    janela->resize(terminal->size());
    terminal->centre();
    area_->setActiveSubWindow(janela);
    if (foco)
        foco->setFocus();
}

void MDIVelto::OcultarTelasAdministrativas() {
    const QList<QMdiSubWindow*> janelas = area_->subWindowList();
    for (QMdiSubWindow* janela : janelas) {
        if (janela->isVisible() && !(terminal_ && janela == terminal_->subWindow())) {
            janela->hide();
            ocultas_.append(janela);
        }
    }
}

void MDIVelto::MostrarTelasAdministrativas() {
    for (const QPointer<QMdiSubWindow>& janela : std::as_const(ocultas_)) {
        if (janela)
            janela->show();
    }
    ocultas_.clear();
}

void MDIVelto::SairModoTerminal() {
    mnuF->setEnabled(true);
    mnutabHoras->setEnabled(true);
    mnuf1->setEnabled(true);
    mnc->menuAction()->setVisible(true);
    mnur->menuAction()->setVisible(true);
    MNUREL->menuAction()->setVisible(true);
    MostrarTelasAdministrativas();
}

void MDIVelto::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The terminal opens while the window is still being laid out (and maximized): keep it
    // in the middle of the frame the employees look at.
    if (terminal_ && !terminal_->isUnloaded())
        terminal_->centre();
}

void MDIVelto::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // In kiosk mode nothing may put the terminal out of sight, not even the window manager.
    if (quiosque_ && event->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, &QWidget::showFullScreen);
}

void MDIVelto::closeEvent(QCloseEvent* event) {
    // The window's close, Alt+F4 and "Sair" all come here.
    if (quiosque_ && !SenhaParaSair::Pedir(this)) {
        event->ignore();
        return;
    }
    if (quiosque_)
        MostrarAvisosAposSenha();
    // Every child unloads with the main window, the terminal giving the menus back as it goes.
    area_->closeAllSubWindows();
    event->accept();
}
