#include "MdConsultaHComb.h"

#include "Conexao.h"
#include "DatabaseError.h"

void consultarHoraCombinada(QString& funcionario, QString& data, QString& horas, QString& obs) {
    try {
        Recordset rs = conexaoBanco->Execute(
            QStringLiteral("select combinado,data,horas,obs from HoraCombinada where funcionario='") +
            funcionario + QStringLiteral("' and data = '") + data + QStringLiteral("'"));
        if (rs.Eof()) {
            funcionario.clear();
            data.clear();
            horas.clear();
            obs.clear();
            return;
        }
        funcionario = rs[QStringLiteral("COMBINADO")].toString();
        horas = rs[QStringLiteral("horas")].toString();
        obs = rs[QStringLiteral("OBS")].toString();
    } catch (const DatabaseError&) {
        // No table yet, or a broken statement: the caller's values stand.
    }
}
