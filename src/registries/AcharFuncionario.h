#pragma once

#include <QString>
#include <optional>

// An employee as the screens that ask for one find him.
struct FuncionarioAchado {
    QString codigo;
    QString nome;
};

// A whole number, blanks around it allowed: what may go bare into SQL as a code (an employee
// or a punch number).
bool EhCodigoNumerico(const QString& texto);

// The text with every blank and every apostrophe removed, as codes go into SQL.
QString LimparCodigo(QString texto);

// By card code, every blank and apostrophe removed first:
// "Select * from funcionarios where  registro  = '" + code + "'". Nothing when no row comes back.
std::optional<FuncionarioAchado> FuncionarioPorRegistro(const QString& cartao);

// By employee number, when it is a whole number (nothing otherwise), blanks and apostrophes
// removed: "Select * from funcionarios where  codigo  = " + number.
std::optional<FuncionarioAchado> FuncionarioPorNumero(const QString& numero);
