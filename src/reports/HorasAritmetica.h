#pragma once

#include "CamposCadastro.h"

#include <QDate>
#include <QString>
#include <optional>

// Hour values of the reports: times of day and durations in whole seconds.

inline constexpr int kSegundosDia = 86400;

// Passing a signed duration through its hh:mm:ss text: the sign is lost and whole days wrap
// around (-5400 gives 5400, 26 hours give 2 hours).
int Normalizar(qint64 segundos);

// Worked time of an entry and its exit, across midnight when the exit is earlier.
int DuracaoPeriodo(int entrada, int saida);

// hh:mm:ss of a normalised value.
QString TextoHora(qint64 segundos);
// Hours beyond 24 for sums ("32:00:00"), exact to the second; the sign is the caller's.
QString TextoHorasAlem24(qint64 segundos);
// The seconds since midnight of a "hh:mm:ss" text (also "h:mm:ss"); nullopt when it is no time
// of day, as an unfilled masked field "__:__:__".
std::optional<int> SegundosDoTexto(const QString& texto);

// Signed 32-bit totals: an overflow throws std::overflow_error("Estouro de capacidade").
qint32 SomarSegundos(qint32 a, qint32 b);
qint32 SubtrairSegundos(qint32 a, qint32 b);

struct HorasMinutos {
    QString horas;
    QString minutos;
    QString segundos;
    QString juntos() const { return horas + QLatin1Char(':') + minutos + QLatin1Char(':') + segundos; }
};

// The split of a signed total of seconds through minutes and hours with hundredths, rounded
// twice as the printed totals have always been (5390 gives 01, 30, 50).
HorasMinutos CalcularHorasMinutos(qint32 segundos);

// "#0.,00": at least one integer digit, decimal comma, two decimals rounded half away from zero
// on the decimal value; no thousands separator.
QString FormatarValor(double valor);

// A whole number with an optional sign, blanks around it allowed: what may go bare into SQL as
// an employee code.
bool EhNumeroInteiro(const QString& texto);

// 1 (Sunday) to 7 (Saturday).
int DiaDaSemana(const QDate& data);
// "DOMINGO" ... "SABADO".
QString NomeDiaSemana(int diaSemana);

class Recordset;

// The first holiday of `feriados` that falls on the date, by its name; nullopt when none does.
std::optional<QString> FeriadoDoDia(const QDate& data);
// The same on the rows of "Select * from feriados" read before, for a report that labels many days.
std::optional<QString> FeriadoDoDia(const QDate& data, Recordset feriados);

// The weekday name, followed by " - F. " and the holiday's name on a holiday.
QString RotinaFeriado(const QDate& data);
QString RotinaFeriado(const QDate& data, const Recordset& feriados);

// The working fields that the hour operations fill on the report screen.
struct CamposHoras {
    QString rotuloDia;
    int horasPrevistas = 0;   // seconds; 0 when the schedule has no row for the weekday
    int horasTrabalhadas = 0; // seconds
};

// Worked time of one pair and the expected hours of the employee's schedule for the weekday
// of the date. The exit comes first. The employee code is funcionarios.codigo as text.
void HORAR_TRABALHADA(int saida, int entrada, const QString& codigoFuncionario, const QDate& data,
                      CamposHoras& campos);

// Replaces the employee code by the weekly hours of his schedule ("44:00:00"); leaves it as it
// was when there is nothing to add.
void TotalHorasSemana(QString& codigoFuncionario);
