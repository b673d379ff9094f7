#include "Conexao.h"
#include "CopiasAutomaticas.h"
#include "DatabaseError.h"
#include "FrmFuncionarios.h"
#include "LinhaComando.h"
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

namespace {

const char kUso[] =
    "velto: o relógio de ponto: o terminal onde os funcionários passam o cartão e as telas\n"
    "de administração (funcionários, horários, feriados, pontos, relatórios).\n"
    "\n"
    "Uso:\n"
    "  velto [--quiosque] [opções do Qt]  abre o programa; --quiosque: em tela cheia, como o\n"
    "                                     terminal do ponto (fechar pede a senha de manutenção)\n"
    "  velto --help | --version\n"
    "As opções do Qt (-platform, -display, -style...) passam ao Qt.\n";

} // namespace

int main(int argc, char** argv) {
    if (const int status = LinhaDoPrograma("velto", kUso, {QStringLiteral("--quiosque")}, argc, argv);
        status >= 0)
        return status;
    VeltoApplication app(argc, argv);
    const bool quiosque = app.arguments().contains(QStringLiteral("--quiosque"));
    app.setQuiosque(quiosque);
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
