#include "ListaFuncionarios.h"

#include "Conexao.h"

namespace {

// Column widths, in the order of the line.
constexpr int kLarguras[] = {5, 25, 12, 15, 15, 12, 12, 15};

QString Linha(const QStringList& valores) {
    QStringList campos;
    for (int i = 0; i < int(std::size(kLarguras)); ++i)
        campos << Campo(valores.value(i), kLarguras[i]);
    return campos.join(QLatin1Char(' '));
}

} // namespace

void ListaFuncionarios(ListaRelatorio& lista) {
    lista.Clear();
    lista.AddItem(Linha({QStringLiteral("CODIGO"), QStringLiteral("FUNCIONARIO"), QStringLiteral("TELE"),
                         QStringLiteral("ENDERECO"), QStringLiteral("CIDADE"), QStringLiteral("ANIVERSARIO"),
                         QStringLiteral("ADMISSAO"), QStringLiteral("REGISTRO")}));
    // A null shows as an empty field.
    for (Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from funcionarios order By NOME ASC"));
         !rs.Eof(); rs.MoveNext()) {
        QStringList valores;
        for (const char* coluna :
             {"CODIGO", "NOME", "TELE", "ENDERECO", "CIDADE", "ANIVERSARIO", "DataAdmissao", "REGISTRO"})
            valores << rs[QString::fromLatin1(coluna)].toString();
        lista.AddItem(Linha(valores));
    }
}
