#pragma once

#include "Recordset.h"
#include "SaidaRelatorio.h"

#include <QDate>
#include <QString>

// Which hand changes to punches to list: those made from `inicio` to `fim` (the computer's date
// when they were made), of one employee or of everybody.
struct EntradaAuditoria {
    QDate inicio;
    QDate fim;
    QString funcionario; // funcionarios.codigo; empty for everybody
    bool imprimir = false;
};

// The record of hand changes: one line per punch posted, changed or deleted by hand, in the
// order they were made, with the values before and after side by side. Database errors are
// thrown; a printer document stopped by one is dropped.
void RelatorioAuditoria(const EntradaAuditoria& entrada, const DestinoRelatorio& destino);

// The heading of the columns and one change's line, as listed and printed.
QString CabecalhoAuditoria();
QString LinhaAuditoria(const Recordset& alteracao);
