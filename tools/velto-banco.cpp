// velto-banco: creates the database of the time clock, resets its maintenance password and
// sends statements through the same driver the program uses.

#include "Clock.h"
#include "Conexao.h"
#include "Console.h"
#include "DatabaseError.h"
#include "Esquema.h"
#include "ExemploBanco.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>

namespace {

int uso() {
    erro()
        << "Uso:\n"
           "  velto-banco criar [--senha SENHA] [--exemplo]   cria o banco de dados\n"
           "  velto-banco senha NOVA                          redefine a senha de manutenção\n"
           "  velto-banco sql \"INSTRUÇÃO\"                     envia uma instrução e mostra o resultado\n"
           "  velto-banco sql < arquivo                       envia uma instrução por linha, numa transação\n"
           "  velto-banco caminho                             mostra onde fica o arquivo do banco\n"
           "\n"
           "Um lote prende o banco do início ao fim. O terminal espera no máximo 10 segundos por\n"
           "ele: com um lote mais longo, os pontos passados enquanto isso não são registrados (o\n"
           "funcionário é avisado e passa o cartão de novo).\n";
    erro().flush();
    return 2;
}

QString SenhaAleatoria() {
    // No look-alike letters or digits: it is read off a terminal and typed by hand.
    const QString letras = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghjkmnpqrstuvwxyz23456789");
    QString senha;
    for (int i = 0; i < 10; ++i)
        senha += letras.at(QRandomGenerator::system()->bounded(letras.size()));
    return senha;
}

QString Escapado(QString texto) {
    return texto.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString Campo(const Variant& v) {
    QString t = v.toString();
    t.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return t;
}

void Imprimir(Recordset rs) {
    if (rs.columns().isEmpty())
        return;
    saida() << rs.columns().join(QLatin1Char('\t')) << '\n';
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (const QString& coluna : rs.columns())
            campos << Campo(rs[coluna]);
        saida() << campos.join(QLatin1Char('\t')) << '\n';
    }
}

int Criar(const QStringList& args) {
    QString senha;
    bool exemplo = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--senha") && i + 1 < args.size())
            senha = args.at(++i);
        else if (args.at(i) == QLatin1String("--exemplo"))
            exemplo = true;
        else
            return uso();
    }
    const bool gerada = senha.isEmpty();
    if (gerada)
        senha = SenhaAleatoria();
    std::function<void(Connection&)> preencher;
    if (exemplo)
        preencher = [](Connection& c) {
            PreencherExemplo(c, Clock::now().date());
        };
    auto conexao = CriarBanco(kStringConexao, senha, preencher);
    saida() << "Banco de dados criado: " << conexao->windowsPath() << " (" << conexao->realPath() << ")\n";
    if (gerada)
        saida() << "Senha de manutenção: " << senha << "\n(anote-a: ela não será mostrada de novo)\n";
    return 0;
}

int Senha(const QStringList& args) {
    if (args.size() != 1)
        return uso();
    AbrirConexao();
    if (conexaoBanco->Execute(QStringLiteral("Select * from permissao where  codigo  =1")).Eof())
        conexaoBanco->Execute("Insert into permissao(codigo, senha) values(1, '" + Escapado(args.at(0)) +
                              "')");
    else
        conexaoBanco->Execute("update  permissao set senha = '" + Escapado(args.at(0)) +
                              "'   where  codigo  =1");
    saida() << "Senha de manutenção redefinida.\n";
    return 0;
}

int Sql(const QStringList& args) {
    if (args.size() > 1)
        return uso();
    // A query only reads: it works on a file it may not write.
    if (args.size() == 1 && args.at(0).trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive))
        AbrirConexaoLeitura();
    else
        AbrirConexao();
    if (args.size() == 1) {
        Imprimir(conexaoBanco->Execute(args.at(0)));
        return 0;
    }
    // A batch from standard input: all of it, or nothing.
    QTextStream entrada(stdin);
    conexaoBanco->BeginTrans();
    int linha = 0;
    try {
        while (!entrada.atEnd()) {
            const QString instrucao = entrada.readLine();
            ++linha;
            if (instrucao.trimmed().isEmpty())
                continue;
            Imprimir(conexaoBanco->Execute(instrucao));
        }
        conexaoBanco->CommitTrans();
    } catch (const DatabaseError& e) {
        conexaoBanco->RollbackTrans();
        throw DatabaseError(QStringLiteral("linha %1: %2\nNenhuma instrução do lote foi aplicada.")
                                .arg(linha)
                                .arg(e.message()));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return uso();
    const QString comando = args.takeFirst();
    try {
        int status = 2;
        if (comando == QLatin1String("criar"))
            status = Criar(args);
        else if (comando == QLatin1String("senha"))
            status = Senha(args);
        else if (comando == QLatin1String("sql"))
            status = Sql(args);
        else if (comando == QLatin1String("caminho") && args.isEmpty()) {
            saida() << mapWindowsPath(ConnectionString::parse(kStringConexao).dbq) << '\n';
            status = 0;
        } else
            return uso();
        saida().flush();
        return status;
    } catch (const DatabaseError& e) {
        return Falhar("velto-banco", e.message());
    }
}
