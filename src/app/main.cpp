#include "DatabaseError.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "VeltoApplication.h"
#include "frmHorCombinado.h"
#include "frmLancarDia.h"
#include "frmRelatorios.h"
#include "frm_manutHorario.h"

int main(int argc, char** argv) {
    VeltoApplication app(argc, argv);
    try {
        MDIVelto janela;
        janela.RegistrarTela(MDIVelto::Tela::Relatorios, [] { return new frmRelatorios; });
        janela.RegistrarTela(MDIVelto::Tela::LancarDia, [] { return new frmLancarDia; });
        janela.RegistrarTela(MDIVelto::Tela::ManutHorario, [] { return new frm_manutHorario; });
        janela.RegistrarTela(MDIVelto::Tela::HorCombinado, [] { return new frmHorCombinado; });
        janela.showMaximized();
        return app.exec();
    } catch (const DatabaseError& e) {
        // The terminal opens the connection while the main window loads, before the event loop.
        ShowFatalError(e.message());
        return EXIT_FAILURE;
    }
}
