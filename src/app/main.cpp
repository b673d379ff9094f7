#include "DatabaseError.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "VeltoApplication.h"
#include "frmRelatorios.h"

int main(int argc, char** argv) {
    VeltoApplication app(argc, argv);
    try {
        MDIVelto janela;
        janela.RegistrarTela(MDIVelto::Tela::Relatorios, [] { return new frmRelatorios; });
        janela.showMaximized();
        return app.exec();
    } catch (const DatabaseError& e) {
        // The terminal opens the connection while the main window loads, before the event loop.
        ShowFatalError(e.message());
        return EXIT_FAILURE;
    }
}
