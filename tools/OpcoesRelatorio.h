#pragma once

#include "FuncionarioRelatorio.h"
#include "LinhaComando.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class Printer;
class QtPrinter;

// What the subcommands of velto-relatorio share. A subcommand adds these option lists to its
// own when it builds its Opcoes, and reads them back with the helpers below.

// The destination of a printed report: --pdf ARQUIVO or --impressora [NOME].
inline const QStringList kOpcoesDestino{QStringLiteral("--pdf")};
inline const QStringList kOpcoesDestinoOpcionais{QStringLiteral("--impressora")};
// The employee: --funcionario N, --cartao CODIGO, or --todos where a subcommand takes everybody.
inline const QStringList kOpcoesFuncionario{QStringLiteral("--funcionario"), QStringLiteral("--cartao")};
inline const QStringList kOpcaoTodos{QStringLiteral("--todos")};
// The period: --de dd/mm/aaaa --ate dd/mm/aaaa.
inline const QStringList kOpcoesPeriodo{QStringLiteral("--de"), QStringLiteral("--ate")};

// Where a run's documents go: the lines to standard output (no printer), every document into
// one PDF file, or every document into one job of a print queue (the default one, or the one
// named), checked as the program checks it. Without concluir() an unfinished file is dropped.
class DestinoImpressao {
public:
    // ErroUso when both are given; ErroExecucao when the PDF's folder does not exist (no
    // folder is created) or the name is a folder.
    explicit DestinoImpressao(const Opcoes& opcoes);
    ~DestinoImpressao();
    DestinoImpressao(const DestinoImpressao&) = delete;
    DestinoImpressao& operator=(const DestinoImpressao&) = delete;

    // The printer for the report; null when the lines go to standard output.
    Printer* impressora() const;
    // True when the printer has already told of an error (on the error output).
    bool falhou() const;
    // After the last document: the file complete, or the job sent. A document that could not be
    // printed stays as a PDF, and the error output says why and where: exit status 1.
    int concluir();

private:
    std::unique_ptr<QtPrinter> impressora_;
    bool concluido_ = false;
};

// Exactly one of --funcionario, --cartao and (with aceitaTodos) --todos. A card or a code that
// finds nobody is ErroExecucao "Funcionário não encontrado"; a code that is no number is handed
// on as it is, for the report's own message.
QList<FuncionarioRelatorio> FuncionariosEscolhidos(const Opcoes& opcoes, bool aceitaTodos = true);

// --de and --ate, both required. An end before the start is ErroExecucao; dates that are no
// dates are handed on, for the report's own message.
struct PeriodoEscolhido {
    QString de;
    QString ate;
};
PeriodoEscolhido LerPeriodo(const Opcoes& opcoes);
