// velto-relatorio: the reports of the report screen from the command line, so that an office can
// print every employee's time card at the end of the month in one go.

#include "CartaoPonto.h"
#include "Conexao.h"
#include "Console.h"
#include "Etiquetas.h"
#include "GradeHorarios.h"
#include "HorasAritmetica.h"
#include "JornadaDiaria.h"
#include "LinhaComando.h"
#include "ListaFuncionarios.h"
#include "MsgBox.h"
#include "OpcoesRelatorio.h"
#include "RelatorioAuditoria.h"
#include "SaldoPorDia.h"

#include <QGuiApplication>
#include <memory>

namespace {

const char* const kDescricao =
    "velto-relatorio: os relatórios da tela de relatórios pela linha de comando.\n"
    "Sem --pdf nem --impressora, as linhas vão para a saída padrão, como na lista da tela;\n"
    "com --pdf, o documento impresso vai para ARQUIVO (a pasta precisa existir); com\n"
    "--impressora, para a impressora padrão ou para a fila NOME. Uma impressora parada, que\n"
    "não aceita trabalhos ou que recusa o trabalho não perde o documento: ele fica como PDF\n"
    "em C:\\PONTO\\impressoes, o erro diz onde, e a saída é 1.";

const char* const kUsoCartao =
    "  velto-relatorio cartao (--funcionario N | --cartao CODIGO | --todos)\n"
    "                  --de dd/mm/aaaa --ate dd/mm/aaaa [--pdf ARQUIVO | --impressora [NOME]]\n"
    "      cartão de ponto do funcionário (ou de todos, em ordem de nome, um por página)\n";
const char* const kUsoJornada =
    "  velto-relatorio jornada (--funcionario N | --cartao CODIGO | --todos)\n"
    "                  --de dd/mm/aaaa --ate dd/mm/aaaa [--pdf ARQUIVO | --impressora [NOME]]\n"
    "      jornada diária: uma linha por dia trabalhado, com jornada, horas e extra\n";
const char* const kUsoSaldo =
    "  velto-relatorio saldo (--funcionario N | --cartao CODIGO | --todos)\n"
    "                  --de dd/mm/aaaa --ate dd/mm/aaaa [--pdf ARQUIVO | --impressora [NOME]]\n"
    "      saldo por dia: cada dia do período com seus pares, total, jornada e saldo\n";
const char* const kUsoGrade = "  velto-relatorio grade (--funcionario N | --cartao CODIGO | --todos)\n"
                              "                  [--pdf ARQUIVO | --impressora [NOME]]\n"
                              "      grade de horários do funcionário\n";
const char* const kUsoFuncionarios = "  velto-relatorio funcionarios\n"
                                     "      lista de funcionários, em ordem de nome\n";

void Escrever(const ListaTexto& lista) {
    for (const QString& linha : lista.itens())
        saida() << linha << '\n';
}

// A report of one period, for one employee or for all of them: the lines of each go to the
// standard output, or its document to the printer (with --todos, one after another).
int PorPeriodo(const QStringList& args, bool (*relatorio)(const EntradaRelatorio&, const DestinoRelatorio&)) {
    const Opcoes opcoes(args, kOpcoesFuncionario + kOpcoesPeriodo + kOpcoesDestino, kOpcaoTodos,
                        kOpcoesDestinoOpcionais);
    opcoes.limitarPosicionais(0);
    AbrirConexaoLeitura();
    const PeriodoEscolhido periodo = LerPeriodo(opcoes);
    const QList<FuncionarioRelatorio> funcionarios = FuncionariosEscolhidos(opcoes);
    if (funcionarios.isEmpty()) {
        erro() << "velto-relatorio: nenhum funcionário cadastrado\n";
        return kSaidaSucesso;
    }
    DestinoImpressao destino(opcoes);
    QString mensagem;
    for (const FuncionarioRelatorio& funcionario : funcionarios) {
        ListaTexto lista;
        EntradaRelatorio entrada;
        entrada.dataInicial = periodo.de;
        entrada.dataFinal = periodo.ate;
        entrada.codigoFuncionario = funcionario.codigo;
        entrada.nomeFuncionario = funcionario.nome;
        entrada.imprimir = destino.impressora() != nullptr;
        entrada.mensagem = [&mensagem](const QString& texto) {
            mensagem = texto;
        };
        if (!relatorio(entrada, DestinoRelatorio{&lista, destino.impressora()})) {
            erro() << mensagem << '\n';
            return kSaidaErro;
        }
        if (destino.falhou())
            return kSaidaErro; // already told on the error output
        Escrever(lista);
    }
    return destino.concluir();
}

int Cartao(const QStringList& args) {
    return PorPeriodo(args, CartaoPonto);
}

int Jornada(const QStringList& args) {
    return PorPeriodo(args, JornadaDiaria);
}

int Saldo(const QStringList& args) {
    return PorPeriodo(args, SaldoPorDia);
}

int Grade(const QStringList& args) {
    const Opcoes opcoes(args, kOpcoesFuncionario + kOpcoesDestino, kOpcaoTodos, kOpcoesDestinoOpcionais);
    opcoes.limitarPosicionais(0);
    AbrirConexaoLeitura();
    const QList<FuncionarioRelatorio> funcionarios = FuncionariosEscolhidos(opcoes);
    if (funcionarios.isEmpty()) {
        erro() << "velto-relatorio: nenhum funcionário cadastrado\n";
        return kSaidaSucesso;
    }
    DestinoImpressao destino(opcoes);
    for (const FuncionarioRelatorio& funcionario : funcionarios) {
        ListaTexto lista;
        // The report itself says nothing of a code that finds nobody; here the user must know.
        if (!GradeHorarios(funcionario.codigo, destino.impressora() != nullptr,
                           DestinoRelatorio{&lista, destino.impressora()}))
            throw ErroExecucao{QStringLiteral("Funcionário não encontrado")};
        if (destino.falhou())
            return kSaidaErro;
        Escrever(lista);
    }
    return destino.concluir();
}

int Funcionarios(const QStringList& args) {
    Opcoes(args, {}).limitarPosicionais(0);
    AbrirConexaoLeitura();
    ListaTexto lista;
    ListaFuncionarios(lista);
    Escrever(lista);
    return kSaidaSucesso;
}

const char* const kUsoAuditoria =
    "  velto-relatorio auditoria [--funcionario N] --de dd/mm/aaaa --ate dd/mm/aaaa\n"
    "                  [--pdf ARQUIVO | --impressora [NOME]]\n"
    "      pontos lançados, alterados ou excluídos à mão no período, na ordem em que\n"
    "      foram feitos, com os valores de antes e de depois\n";

// The record of hand changes made from --de to --ate, of one employee or of everybody.
int Auditoria(const QStringList& args) {
    const Opcoes opcoes(args, QStringList{QStringLiteral("--funcionario")} + kOpcoesPeriodo + kOpcoesDestino,
                        {}, kOpcoesDestinoOpcionais);
    opcoes.limitarPosicionais(0);
    EntradaAuditoria entrada;
    entrada.funcionario = opcoes.valor(QStringLiteral("--funcionario")).trimmed();
    if (!entrada.funcionario.isEmpty() && !EhNumeroInteiro(entrada.funcionario))
        throw ErroUso{QStringLiteral("o funcionário é o número dele (--funcionario N)")};
    const PeriodoEscolhido periodo = LerPeriodo(opcoes);
    entrada.inicio = LerDataRelatorio(periodo.de);
    entrada.fim = LerDataRelatorio(periodo.ate);
    if (!entrada.inicio.isValid() || !entrada.fim.isValid())
        throw ErroUso{QStringLiteral("data inválida (use dd/mm/aaaa)")};
    AbrirConexaoLeitura();
    DestinoImpressao destino(opcoes);
    entrada.imprimir = destino.impressora() != nullptr;
    ListaTexto lista;
    RelatorioAuditoria(entrada, DestinoRelatorio{&lista, destino.impressora()});
    if (destino.falhou())
        return kSaidaErro; // already told on the error output
    Escrever(lista);
    return destino.concluir();
}

const char* const kUsoEtiquetas =
    "  velto-relatorio etiquetas [--cartao CODIGO] (--pdf ARQUIVO | --impressora [NOME])\n"
    "      folha de etiquetas de todos os funcionários (ou a etiqueta de um cartão)\n";

// The label sheet of every employee, or the single label of one card, through the code of the
// barcode form; a card that finds nobody is an error.
int Etiquetas(const QStringList& args) {
    const Opcoes opcoes(args, QStringList{QStringLiteral("--cartao")} + kOpcoesDestino, {},
                        kOpcoesDestinoOpcionais);
    opcoes.limitarPosicionais(0);
    if (!opcoes.tem(QStringLiteral("--pdf")) && !opcoes.tem(QStringLiteral("--impressora")))
        throw ErroUso{QStringLiteral("as etiquetas vão para --pdf ARQUIVO ou --impressora [NOME]")};
    AbrirConexaoLeitura();
    DestinoImpressao destino(opcoes);
    CamposTexto campos;
    if (opcoes.tem(QStringLiteral("--cartao"))) {
        campos.setCodigo(opcoes.valor(QStringLiteral("--cartao")));
        if (!UnicaEtiqueta(campos, *destino.impressora()))
            throw ErroExecucao{
                QStringLiteral("Funcionário não encontrado: nenhum funcionário tem o cartão ") +
                campos.codigo()};
    } else if (A4_4ColunasEtiquetaCodBarW(campos, *destino.impressora()) == 0) {
        erro() << "velto-relatorio: nenhum funcionário cadastrado\n";
        return kSaidaSucesso;
    }
    if (destino.falhou())
        return kSaidaErro; // already told on the error output
    return destino.concluir();
}

// One line per subcommand.
const QList<Subcomando> kSubcomandos{
    {"cartao", kUsoCartao, Cartao},
    {"jornada", kUsoJornada, Jornada},
    {"saldo", kUsoSaldo, Saldo},
    {"grade", kUsoGrade, Grade},
    {"funcionarios", kUsoFuncionarios, Funcionarios},
    {"auditoria", kUsoAuditoria, Auditoria},
    {"etiquetas", kUsoEtiquetas, Etiquetas},
};

} // namespace

int main(int argc, char** argv) {
    // A printed document needs fonts, so a GUI application, which never shows a window; the
    // text output does without one.
    SilenciarAvisosDoQt();
    std::unique_ptr<QCoreApplication> aplicacao;
    if (ArgumentoPresente(argc, argv, "--pdf") || ArgumentoPresente(argc, argv, "--impressora")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        aplicacao = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        aplicacao = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTO_VERSION));
    // The printer reports a file it cannot write in a message box: here, on the error output.
    SetMsgBoxResponder([](const MsgBoxCall& chamada) {
        erro() << "velto-relatorio: " << chamada.text << '\n';
        erro().flush();
        return MsgBoxResult::Ok;
    });
    return ExecutarFerramenta("velto-relatorio", kDescricao, kSubcomandos, aplicacao->arguments().mid(1));
}
