#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The conventions both command-line tools share, so that each subcommand only reads its own
// options and does its work:
//   --help: the usage on standard output, exit 0; --version: the name and version, exit 0;
//   a mistake in the call (ErroUso): "tool: reason" and a hint on standard error, exit 2;
//   a run that cannot go on (ErroExecucao, DatabaseError): "tool: reason" on standard error, exit 1.

// Exit statuses of the tools.
enum StatusSaida { kSaidaSucesso = 0, kSaidaErro = 1, kSaidaUso = 2 };

struct ErroUso {
    QString mensagem;
};

struct ErroExecucao {
    QString mensagem;
};

// The options of one subcommand, in any order. Each option is named with its leading "--"; an
// option outside the three lists, a valued option without its value, or one given twice is an
// ErroUso. An optional value (--impressora [NOME]) is taken when the next argument is not an
// option; "--opcao=valor" works for every valued option.
class Opcoes {
public:
    Opcoes(const QStringList& args, const QStringList& comValor, const QStringList& semValor = {},
           const QStringList& valorOpcional = {});

    bool tem(const QString& nome) const { return presentes_.contains(nome); }
    // The value given; a null string when the option is absent or came without one.
    QString valor(const QString& nome) const;
    // The value of an option that must be there.
    QString obrigatorio(const QString& nome) const;
    const QStringList& posicionais() const { return posicionais_; }
    // Refuses more than `maximo` positional arguments.
    void limitarPosicionais(qsizetype maximo) const;

private:
    QSet<QString> presentes_;
    QList<std::pair<QString, QString>> valores_;
    QStringList posicionais_;
};

// A password as given on the command line; "-" reads it from standard input (without echo on
// a terminal), so it stays out of the process list and the shell's history.
QString LerSenha(const QString& valor);

// One subcommand: its name, its lines of the usage text and what runs it with the arguments
// that follow its name. It returns the exit status or throws ErroUso / ErroExecucao.
struct Subcomando {
    const char* nome;
    const char* uso;
    int (*executar)(const QStringList& args);
};

// Everything a tool's main does after making its application object: the options every tool
// knows, the subcommand, and the errors turned into messages and exit statuses. Qt's own
// warnings never reach standard error.
int ExecutarFerramenta(const char* ferramenta, const char* descricao, const QList<Subcomando>& subcomandos,
                       const QStringList& args);

// A mistake in the call: "tool: reason" and the hint on standard error; returns kSaidaUso.
int UsoErrado(const char* ferramenta, const QString& mensagem);

// The command line of a program without subcommands (velto itself), read from the raw arguments
// before its application object exists, so --help and --version need no display. `uso` is the
// whole usage text; `proprias` are the program's options besides --help and --version. Only
// arguments starting with "--" are checked: the rest is the toolkit's (-platform offscreen).
// Returns the exit status when the program ends here, -1 when it goes on.
int LinhaDoPrograma(const char* programa, const char* uso, const QStringList& proprias, int argc,
                    char** argv);

// Keeps the toolkit's own warnings off standard error; the first thing a tool's main does,
// before its application object speaks.
void SilenciarAvisosDoQt();

// True when an option appears among the raw arguments (before the application object exists).
bool ArgumentoPresente(int argc, char** argv, const char* opcao);
