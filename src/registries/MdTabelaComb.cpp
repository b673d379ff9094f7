#include "MdTabelaComb.h"

#include "Conexao.h"
#include "DatabaseError.h"

void criarTabelaHoraCombinada() {
    try {
        conexaoBanco->Execute(QStringLiteral(
            "CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT "
            "(5), data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5))"));
    } catch (const DatabaseError&) {
        // The table exists already: nothing to do.
    }
}
