#pragma once

#include <QList>
#include <QString>
#include <optional>

// The employee a report is run for, as the report screen finds him.
struct FuncionarioRelatorio {
    QString codigo;
    QString nome;
};

// By card code, blanks and apostrophes stripped; nullopt when no employee has that card.
std::optional<FuncionarioRelatorio> FuncionarioPorCartao(const QString& cartao);
// By employee code, when it is a whole number; nullopt when nobody has it.
std::optional<FuncionarioRelatorio> FuncionarioPorCodigo(const QString& codigo);
// Every employee, in name order.
QList<FuncionarioRelatorio> FuncionariosPorNome();
