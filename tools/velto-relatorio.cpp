// velto-relatorio: the reports of the report screen from the command line, so that an office can
// print every employee's time card at the end of the month in one go.

#include "CartaoPonto.h"
#include "Conexao.h"
#include "Console.h"
#include "DatabaseError.h"
#include "FuncionarioRelatorio.h"
#include "MsgBox.h"
#include "QtPrinter.h"

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
              "      as linhas vão para a saída padrão, ou o documento impresso para ARQUIVO\n";
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

bool LerOpcoes(const QStringList& args, OpcoesCartao& opcoes) {
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
    return escolhas == 1 && !opcoes.de.isNull() && !opcoes.ate.isNull() &&
           (opcoes.pdf.isNull() || !opcoes.pdf.isEmpty());
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

int Cartao(const QStringList& args) {
    OpcoesCartao opcoes;
    if (!LerOpcoes(args, opcoes))
        return uso();
    AbrirConexaoLeitura();
    const QList<FuncionarioRelatorio> funcionarios = Funcionarios(opcoes);
    if (funcionarios.isEmpty()) {
        erro() << "velto-relatorio: nenhum funcionário cadastrado\n";
        return 0;
    }
    // Every card goes into the one file, each on a new page.
    std::unique_ptr<QtPrinter> impressora;
    if (!opcoes.pdf.isNull())
        impressora = std::make_unique<QtPrinter>(opcoes.pdf);
    // A run that fails, by a message or an error, leaves no file of half the cards.
    struct Descarte {
        QtPrinter* impressora;
        bool concluido = false;
        ~Descarte() {
            if (impressora && !concluido)
                impressora->discardFile();
        }
    } descarte{impressora.get()};
    QString mensagem;
    for (const FuncionarioRelatorio& funcionario : funcionarios) {
        ListaTexto lista;
        EntradaCartaoPonto entrada;
        entrada.dataInicial = opcoes.de;
        entrada.dataFinal = opcoes.ate;
        entrada.codigoFuncionario = funcionario.codigo;
        entrada.nomeFuncionario = funcionario.nome;
        entrada.imprimir = impressora != nullptr;
        entrada.mensagem = [&mensagem](const QString& texto) {
            mensagem = texto;
        };
        if (!CartaoPonto(entrada, DestinoRelatorio{&lista, impressora.get()})) {
            erro() << mensagem << '\n';
            return 1;
        }
        if (impressora && !impressora->lastError().isEmpty())
            return 1; // already told on the error output
        for (const QString& linha : lista.itens())
            saida() << linha << '\n';
    }
    if (impressora && !impressora->closeFile()) {
        erro() << "velto-relatorio: " << impressora->lastError() << '\n';
        return 1;
    }
    descarte.concluido = true;
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
