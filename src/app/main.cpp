#include "Conexao.h"
#include "DatabaseError.h"
#include "InstanceLock.h"
#include "MDIVelto.h"
#include "MsgBox.h"
#include "UmaCopia.h"
#include "VeltoApplication.h"
#include "frmRelatorios.h"

int main(int argc, char** argv) {
    VeltoApplication app(argc, argv);
    const bool quiosque = app.arguments().contains(QStringLiteral("--quiosque"));
    InstanceLock trava(mapWindowsPath(ConnectionString::parse(kStringConexao).dbq));
    if (!UmaCopiaPorBanco(trava))
        return EXIT_FAILURE;
    try {
        MDIVelto janela;
        janela.RegistrarTela(MDIVelto::Tela::Relatorios, [] { return new frmRelatorios; });
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
