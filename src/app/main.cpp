#include "Conexao.h"
#include "CopiasAutomaticas.h"
#include "DatabaseError.h"
#include "FrmFuncionarios.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "RelogioDoServidor.h"
#include "UmaCopia.h"
#include "VeltoApplication.h"
#include "frmFeriados.h"
#include "frmHorCombinado.h"
#include "frmLancarDia.h"
#include "frmRelatorios.h"
#include "frmTabelaHoras.h"
#include "frm_manutHorario.h"

int main(int argc, char** argv) {
    VeltoApplication app(argc, argv);
    const bool quiosque = app.arguments().contains(QStringLiteral("--quiosque"));
    UmaCopia umaCopia;
    if (!umaCopia.Iniciar())
        return EXIT_FAILURE;
    try {
        MDIVelto janela(quiosque);
        janela.RegistrarTela(MDIVelto::Tela::Relatorios, [] { return new frmRelatorios; });
        janela.RegistrarTela(MDIVelto::Tela::LancarDia, [] { return new frmLancarDia; });
        janela.RegistrarTela(MDIVelto::Tela::ManutHorario, [] { return new frm_manutHorario; });
        janela.RegistrarTela(MDIVelto::Tela::HorCombinado, [] { return new frmHorCombinado; });
        janela.RegistrarTela(MDIVelto::Tela::Funcionarios, [] { return new FrmFuncionarios; });
        janela.RegistrarTela(MDIVelto::Tela::TabelaHoras, [] { return new frmTabelaHoras; });
        janela.RegistrarTela(MDIVelto::Tela::Feriados, [] { return new frmFeriados; });
        CopiasAutomaticas copias([&janela] { return janela.RegistroEmAndamento(); });
        RelogioDoServidor relogio([&janela] { return janela.RegistroEmAndamento(); });
        janela.setAvisosAposSenha([&copias] { return copias.AvisoDeManutencao(); });
        copias.Iniciar();
        if (quiosque) {
            janela.AtivarQuiosque();
            janela.showFullScreen();
        } else {
            janela.showMaximized();
        }
        return app.exec();
    } catch (const DatabaseError& e) {
        // The terminal opens the connection while the main window loads, before the event loop.
        ShowFatalError(e.message());
        return EXIT_FAILURE;
    }
}
