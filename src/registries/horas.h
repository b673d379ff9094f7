#pragma once

#include <QString>
#include <optional>

// Module horas: the day and week totals of the work schedules (table horarios).

// The seconds since midnight of a time of day written "hh:mm:ss"; nullopt for anything else:
// an unfilled or partly filled masked field ("__:__:__", "08:__:__"), "25:00:00", "", null.
std::optional<int> SegundosHorario(const QString& texto);

// The expected hours of one day, "hh:mm:ss", from the entry and exit of its two periods. A period
// counts only when both its times are times of day; an exit earlier than its entry runs across
// midnight (22:00:00 to 06:00:00 is 08:00:00). Two periods of 24 hours or more wrap past midnight.
QString TotalDiaHorario(const QString& entrada1, const QString& saida1, const QString& entrada2,
                        const QString& saida2);

struct HorasSemana {
    QString horas;   // "44", "43,5", "61,6"
    QString minutos; // "2640", "3696"
};

// The sum of totalhoras over the rows of one schedule code, in hours and in minutes, written as
// the Brazilian number format writes them. A totalhoras that is not a time of day adds nothing.
HorasSemana somarHorasSemana(const QString& codigo);

// Recomputes and stores totalhoras for every row of every schedule, each from its own four times;
// a stored time that is not a time of day counts as unfilled. Returns the number of rows updated.
int atualizarTotaisHorarios();
