#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

// What a report of one employee and one period reads from the report screen when its button
// is pressed.
struct EntradaRelatorio {
    QString dataInicial;       // txtData, dd/mm/yyyy
    QString dataFinal;         // txtdata1
    QString codigoFuncionario; // TXTCODIGOFUNCIONARIO: funcionarios.codigo
    QString nomeFuncionario;   // TXTNOME, only printed
    bool imprimir = false;     // ckboxImprimir ticked
    // Shows a validation message (a message box with OK, titled "Velto", on the screen).
    std::function<void(const QString&)> mensagem;
};

// The checked inputs of a report of one employee and one period.
struct PeriodoRelatorio {
    QDate inicio;
    QDate fim;
    QString codigo; // a whole number, blanks around it removed
};

// The two dates, then the employee code, as the reports check them: the first failure shows
// its message (`dataInvalida` for either date, "FORNECA UM FUNCIONARIO!" for the code).
std::optional<PeriodoRelatorio> ValidarEntrada(const EntradaRelatorio& entrada, const QString& dataInvalida);

struct DestinoRelatorio;
class SaidaRelatorio;

// Runs a day report of one employee and one period: checks the entry ("Data Invalida!" for a
// date), then writes through one output on one read snapshot of the file (hundreds of reads take
// the locks once and see one state of the punches). A report stopped by an error prints nothing.
// False when the entry was refused.
bool RodarRelatorioDoPeriodo(const EntradaRelatorio& entrada, const DestinoRelatorio& destino,
                             const std::function<void(SaidaRelatorio&, const PeriodoRelatorio&)>& corpo);
