#include "DatabaseError.h"
#include "FrmFuncionarios.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "VeltoApplication.h"
#include "frmFeriados.h"
#include "frmRelatorios.h"
#include "frmTabelaHoras.h"

int main(int argc, char** argv) {
    VeltoApplication app(argc, argv);
    try {
        MDIVelto janela;
        janela.RegistrarTela(MDIVelto::Tela::Relatorios, [] { return new frmRelatorios; });
        janela.RegistrarTela(MDIVelto::Tela::Funcionarios, [] { return new FrmFuncionarios; });
        janela.RegistrarTela(MDIVelto::Tela::TabelaHoras, [] { return new frmTabelaHoras; });
        janela.RegistrarTela(MDIVelto::Tela::Feriados, [] { return new frmFeriados; });
        janela.showMaximized();
        return app.exec();
    } catch (const DatabaseError& e) {
        // The terminal opens the connection while the main window loads, before the event loop.
        ShowFatalError(e.message());
        return EXIT_FAILURE;
    }
}
