#pragma once

#include "BancoTeste.h"
#include "HorasAritmetica.h"

#include <QStringList>
#include <gtest/gtest.h>

// One weekday row of a schedule, as the schedule screen writes it.
inline void Horario(BancoTeste& banco, const QString& registro, int diaSemana, const QString& entrada1,
                    const QString& saida1, const QString& entrada2, const QString& saida2,
                    const QString& total) {
    banco.sql(QStringLiteral(
                  "Insert into horarios(registro, DiaSemana, CODHORA, DESCRICAO, nome, tele, endereco, "
                  "cidade, totalhoras) values('%1', '%2', '%3', 'GRADE %1', '%4', '%5', '%6', '%7', '%8')")
                  .arg(registro, NomeDiaSemana(diaSemana), QString::number(diaSemana), entrada1, saida1,
                       entrada2, saida2, total));
}

inline void Feriado(BancoTeste& banco, const QString& nome, const QString& dia, const QString& mes,
                    const QString& ano) {
    banco.sql(QStringLiteral("Insert into feriados(feriado, dia, mes, ano) values('%1', '%2', '%3', '%4')")
                  .arg(nome, dia, mes, ano));
}

// Compares line by line, so that a failure names the line and shows both texts.
inline void EsperarLinhas(const QStringList& obtidas, const QStringList& esperadas) {
    for (qsizetype i = 0; i < std::min(obtidas.size(), esperadas.size()); ++i)
        EXPECT_EQ(obtidas.at(i), esperadas.at(i)) << "linha " << i;
    EXPECT_EQ(obtidas.size(), esperadas.size());
}
