// velto-relatorio: the reports of the report screen from the command line, so that an office can
// print every employee's time card at the end of the month in one go.

#include "CartaoPonto.h"
#include "Conexao.h"
#include "Console.h"
#include "DatabaseError.h"
#include "FuncionarioRelatorio.h"
#include "GradeHorarios.h"
#include "JornadaDiaria.h"
#include "ListaFuncionarios.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "SaldoPorDia.h"

#include <QGuiApplication>
#include <QTextStream>
#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

int uso() {
    erro() << "Uso:\n"
              "  velto-relatorio cartao (--funcionario N | --cartao CODIGO | --todos)\n"
              "                  --de dd/mm/aaaa --ate dd/mm/aaaa [--pdf ARQUIVO]\n"
              "      cartão de ponto do funcionário (ou de todos, em ordem de nome) no período;\n"
              "      as linhas vão para a saída padrão, ou o documento impresso para ARQUIVO\n"
              "  velto-relatorio jornada (--funcionario N | --cartao CODIGO | --todos)\n"
              "                  --de dd/mm/aaaa --ate dd/mm/aaaa [--pdf ARQUIVO]\n"
              "      jornada diária: uma linha por dia trabalhado, com jornada, horas e extra\n"
              "  velto-relatorio saldo (--funcionario N | --cartao CODIGO | --todos)\n"
              "                  --de dd/mm/aaaa --ate dd/mm/aaaa [--pdf ARQUIVO]\n"
              "      saldo por dia: cada dia do período com seus pares, total, jornada e saldo\n"
              "  velto-relatorio grade (--funcionario N | --cartao CODIGO | --todos) [--pdf ARQUIVO]\n"
              "      grade de horários do funcionário\n"
              "  velto-relatorio funcionarios\n"
              "      lista de funcionários, em ordem de nome\n";
    erro().flush();
    return 2;
}

struct OpcoesCartao {
    QString funcionario;
    QString cartao;
    bool todos = false;
    QString de;
    QString ate;
    QString pdf;
    bool temFuncionario = false;
    bool temCartao = false;
};

bool LerOpcoes(const QStringList& args, OpcoesCartao& opcoes, bool comPeriodo = true) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool temValor = i + 1 < args.size();
        if (a == QLatin1String("--todos")) {
            opcoes.todos = true;
        } else if (!temValor) {
            return false;
        } else if (a == QLatin1String("--funcionario")) {
            opcoes.funcionario = args.at(++i);
            opcoes.temFuncionario = true;
        } else if (a == QLatin1String("--cartao")) {
            opcoes.cartao = args.at(++i);
            opcoes.temCartao = true;
        } else if (a == QLatin1String("--de")) {
            opcoes.de = args.at(++i);
        } else if (a == QLatin1String("--ate")) {
            opcoes.ate = args.at(++i);
        } else if (a == QLatin1String("--pdf")) {
            opcoes.pdf = args.at(++i);
        } else {
            return false;
        }
    }
    const int escolhas = int(opcoes.todos) + int(opcoes.temFuncionario) + int(opcoes.temCartao);
    const bool periodo =
        comPeriodo ? !opcoes.de.isNull() && !opcoes.ate.isNull() : opcoes.de.isNull() && opcoes.ate.isNull();
    return escolhas == 1 && periodo && (opcoes.pdf.isNull() || !opcoes.pdf.isEmpty());
}

// The employees to run the card for, found as the report screen finds them.
QList<FuncionarioRelatorio> Funcionarios(const OpcoesCartao& opcoes) {
    if (opcoes.todos)
        return FuncionariosPorNome();
    if (opcoes.temCartao) {
        // An unknown card leaves the code empty, and the report asks for an employee.
        return {FuncionarioPorCartao(opcoes.cartao).value_or(FuncionarioRelatorio{})};
    }
    const auto achado = FuncionarioPorCodigo(opcoes.funcionario);
    return {FuncionarioRelatorio{opcoes.funcionario, achado ? achado->nome : QString()}};
}

// A PDF file of its own for a run with --pdf: every document of the run goes into it, and a run
// that fails, by a message or an error, leaves no file of half the reports.
class ArquivoPdf {
public:
    explicit ArquivoPdf(const QString& caminho) {
        if (!caminho.isNull())
            impressora_ = std::make_unique<QtPrinter>(caminho);
    }
    ~ArquivoPdf() {
        if (impressora_ && !concluido_)
            impressora_->discardFile();
    }
    QtPrinter* impressora() const { return impressora_.get(); }
    // After a document: false when it could not be printed (already told on the error output).
    bool semErro() const { return !impressora_ || impressora_->lastError().isEmpty(); }
    bool fechar() {
        if (impressora_ && !impressora_->closeFile()) {
            erro() << "velto-relatorio: " << impressora_->lastError() << '\n';
            return false;
        }
        concluido_ = true;
        return true;
    }

private:
    std::unique_ptr<QtPrinter> impressora_;
    bool concluido_ = false;
};

void Escrever(const ListaTexto& lista) {
    for (const QString& linha : lista.itens())
        saida() << linha << '\n';
}

// A report of one period, for one employee or for all of them: the lines of each go to the
// standard output, or its document to the PDF file (with --todos, one after another).
int PorPeriodo(const QStringList& args, bool (*relatorio)(const EntradaRelatorio&, const DestinoRelatorio&)) {
    OpcoesCartao opcoes;
    if (!LerOpcoes(args, opcoes))
        return uso();
    AbrirConexao();
    const QList<FuncionarioRelatorio> funcionarios = Funcionarios(opcoes);
    if (funcionarios.isEmpty()) {
        erro() << "velto-relatorio: nenhum funcionário cadastrado\n";
        return 0;
    }
    ArquivoPdf pdf(opcoes.pdf);
    QString mensagem;
    for (const FuncionarioRelatorio& funcionario : funcionarios) {
        ListaTexto lista;
        EntradaRelatorio entrada;
        entrada.dataInicial = opcoes.de;
        entrada.dataFinal = opcoes.ate;
        entrada.codigoFuncionario = funcionario.codigo;
        entrada.nomeFuncionario = funcionario.nome;
        entrada.imprimir = pdf.impressora() != nullptr;
        entrada.mensagem = [&mensagem](const QString& texto) {
            mensagem = texto;
        };
        if (!relatorio(entrada, DestinoRelatorio{&lista, pdf.impressora()})) {
            erro() << mensagem << '\n';
            return 1;
        }
        if (!pdf.semErro())
            return 1;
        Escrever(lista);
    }
    return pdf.fechar() ? 0 : 1;
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
    OpcoesCartao opcoes;
    if (!LerOpcoes(args, opcoes, false))
        return uso();
    AbrirConexao();
    const QList<FuncionarioRelatorio> funcionarios = Funcionarios(opcoes);
    if (funcionarios.isEmpty()) {
        erro() << "velto-relatorio: nenhum funcionário cadastrado\n";
        return 0;
    }
    ArquivoPdf pdf(opcoes.pdf);
    for (const FuncionarioRelatorio& funcionario : funcionarios) {
        ListaTexto lista;
        // The report itself says nothing of a code that finds nobody; here the user must know.
        if (!GradeHorarios(funcionario.codigo, pdf.impressora() != nullptr,
                           DestinoRelatorio{&lista, pdf.impressora()})) {
            erro() << "velto-relatorio: funcionário não encontrado\n";
            return 1;
        }
        if (!pdf.semErro())
            return 1;
        Escrever(lista);
    }
    return pdf.fechar() ? 0 : 1;
}

int Lista(const QStringList& args) {
    if (!args.isEmpty())
        return uso();
    AbrirConexao();
    ListaTexto lista;
    ListaFuncionarios(lista);
    Escrever(lista);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A PDF needs fonts, so a GUI application, which never shows a window; the text output
    // does without one.
    std::unique_ptr<QCoreApplication> aplicacao;
    if (std::any_of(argv + 1, argv + argc, [](const char* a) { return qstrcmp(a, "--pdf") == 0; })) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        aplicacao = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        aplicacao = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication& app = *aplicacao;
    // The printer reports a file it cannot write in a message box: here, on the error output.
    SetMsgBoxResponder([](const MsgBoxCall& chamada) {
        erro() << "velto-relatorio: " << chamada.text << '\n';
        erro().flush();
        return MsgBoxResult::Ok;
    });
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return uso();
    const QString comando = args.takeFirst();
    try {
        int status = 2;
        if (comando == QLatin1String("cartao"))
            status = Cartao(args);
        else if (comando == QLatin1String("jornada"))
            status = Jornada(args);
        else if (comando == QLatin1String("saldo"))
            status = Saldo(args);
        else if (comando == QLatin1String("grade"))
            status = Grade(args);
        else if (comando == QLatin1String("funcionarios"))
            status = Lista(args);
        else
            return uso();
        saida().flush();
        erro().flush();
        return status;
    } catch (const DatabaseError& e) {
        return Falhar("velto-relatorio", e.message());
    } catch (const std::overflow_error& e) {
        return Falhar("velto-relatorio", QString::fromLocal8Bit(e.what()));
    }
}
