// velto-banco: creates the database of the time clock, resets its maintenance password and
// sends statements through the same driver the program uses.

#include "Clock.h"
#include "Conexao.h"
#include "Console.h"
#include "CopiaBanco.h"
#include "CopiasDiarias.h"
#include "DatabaseError.h"
#include "Esquema.h"
#include "ExemploBanco.h"
#include "InstanceLock.h"
#include "LinhaComando.h"
#include "Pendentes.h"
#include "ServerSettings.h"
#include "VersaoEsquema.h"
#include "horas.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char* const kDescricao =
    "velto-banco: cria o banco de dados do relógio de ponto, redefine a senha de manutenção,\n"
    "envia instruções pelo mesmo driver do programa, copia, verifica e restaura o banco, lista as\n"
    "cópias automáticas, escolhe um servidor PostgreSQL e leva para ele o arquivo.\n"
    "Onde se pede uma SENHA, \"-\" a lê da entrada padrão (fora da lista de processos e do\n"
    "histórico do shell).\n"
    "Um lote de instruções (sql < arquivo) prende o banco do início ao fim. O terminal espera no\n"
    "máximo 10 segundos por ele: com um lote mais longo, os pontos passados enquanto isso não são\n"
    "registrados (o funcionário é avisado e passa o cartão de novo).";

const char* const kUsoCriar =
    "  velto-banco criar [--senha SENHA|-] [--exemplo] cria o banco de dados (nunca sobrescreve)\n";
const char* const kUsoSenha =
    "  velto-banco senha (NOVA | --senha NOVA|-)       redefine a senha de manutenção\n";
const char* const kUsoSql =
    "  velto-banco sql \"INSTRUÇÃO\"                     envia uma instrução e mostra o resultado\n"
    "  velto-banco sql < arquivo                       envia uma instrução por linha, numa transação\n";
const char* const kUsoCaminho =
    "  velto-banco caminho                             mostra o arquivo (ou o servidor) do banco em uso\n";
const char* const kUsoServidor =
    "  velto-banco servidor (URI | --arquivo)          passa a usar o banco do servidor (ou o arquivo)\n";
const char* const kUsoMigrar =
    "  velto-banco migrar [ARQUIVO]                    copia o arquivo (ou outro) para o servidor vazio\n";
const char* const kUsoCopia =
    "  velto-banco copia ARQUIVO                       cópia consistente do banco (do servidor também),\n"
    "                                                  mesmo com o programa aberto (nunca sobrescreve)\n";
const char* const kUsoVerificar =
    "  velto-banco verificar [ARQUIVO]                 verifica a integridade do banco (ou de uma cópia)\n";
const char* const kUsoCopias =
    "  velto-banco copias                              lista as cópias automáticas e se conferem\n";
const char* const kUsoRestaurar =
    "  velto-banco restaurar ARQUIVO                   põe uma cópia no lugar do banco (guarda o atual;\n"
    "                                                  com o programa e as ferramentas fechados)\n";
const char* const kUsoPendentes =
    "  velto-banco pendentes                           lista os pontos que este PC não registrou por falta\n"
    "                                                  do servidor (para lançar à mão)\n";
const char* const kUsoTotais =
    "  velto-banco totais                              recalcula o total de horas de cada dia dos horários\n";

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
    const Opcoes opcoes(args, {QStringLiteral("--senha")}, {QStringLiteral("--exemplo")});
    opcoes.limitarPosicionais(0);
    QString senha = LerSenha(opcoes.valor(QStringLiteral("--senha")));
    const bool exemplo = opcoes.tem(QStringLiteral("--exemplo"));
    const bool gerada = senha.isEmpty();
    if (gerada)
        senha = SenhaAleatoria();
    std::function<void(Connection&)> preencher;
    if (exemplo)
        preencher = [](Connection& c) {
            PreencherExemplo(c, Clock::now().date());
        };
    auto conexao = CriarBanco(kStringConexao, senha, preencher);
    // A server's database has no path of C: to give.
    saida() << "Banco de dados criado: "
            << (configuredServer() ? conexao->realPath()
                                   : conexao->windowsPath() + " (" + conexao->realPath() + ")")
            << "\n";
    if (gerada)
        saida() << "Senha de manutenção: " << senha << "\n(anote-a: ela não será mostrada de novo)\n";
    return 0;
}

int Senha(const QStringList& args) {
    const Opcoes opcoes(args, {QStringLiteral("--senha")});
    opcoes.limitarPosicionais(opcoes.tem(QStringLiteral("--senha")) ? 0 : 1);
    if (opcoes.posicionais().isEmpty() && !opcoes.tem(QStringLiteral("--senha")))
        throw ErroUso{QStringLiteral("falta a nova senha")};
    const QString nova =
        LerSenha(opcoes.tem(QStringLiteral("--senha")) ? opcoes.valor(QStringLiteral("--senha"))
                                                       : opcoes.posicionais().first());
    AbrirConexao();
    if (conexaoBanco->Execute(QStringLiteral("Select * from permissao where  codigo  =1")).Eof())
        conexaoBanco->Execute("Insert into permissao(codigo, senha) values(1, '" + Escapado(nova) + "')");
    else
        conexaoBanco->Execute("update  permissao set senha = '" + Escapado(nova) + "'   where  codigo  =1");
    saida() << "Senha de manutenção redefinida.\n";
    return 0;
}

int Sql(const QStringList& args) {
    if (args.size() > 1)
        throw ErroUso{QStringLiteral("uma instrução só, entre aspas")};
    // A query only reads: it works on a file it may not write.
    if (args.size() == 1 && args.at(0).trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive))
        AbrirConexaoLeitura();
    else
        AbrirConexao();
    // Punches changed by hand here are recorded like those changed on the screens.
    const OrigemAlteracao origem(QStringLiteral("velto-banco sql"));
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

int Caminho(const QStringList& args) {
    Opcoes(args, {}).limitarPosicionais(0);
    if (const std::optional<QString> servidor = configuredServer())
        saida() << "banco de dados " << serverPlace(*servidor) << '\n';
    else
        saida() << mapWindowsPath(ConnectionString::parse(kStringConexao).dbq) << '\n';
    return kSaidaSucesso;
}

int Servidor(const QStringList& args) {
    const Opcoes opcoes(args, {}, {QStringLiteral("--arquivo")});
    opcoes.limitarPosicionais(1);
    const bool arquivo = opcoes.tem(QStringLiteral("--arquivo"));
    if (arquivo == !opcoes.posicionais().isEmpty())
        throw ErroUso{QStringLiteral("dê a URI do servidor ou --arquivo")};
    const QString valor = arquivo ? QStringLiteral("arquivo") : opcoes.posicionais().first();
    if (!arquivo) {
        // Checked as the program will reach it; nothing is written when it cannot be.
        qputenv("VELTO_BANCO", valor.toUtf8());
        try {
            const auto conexao = Connection::Open(kStringConexao, Connection::OpenMode::ReadOnly);
            saida() << "O banco de dados " << conexao->realPath() << " tem as tabelas do Velto (versão "
                    << VersaoEsquema(*conexao) << " do esquema).\n";
        } catch (const DatabaseError& e) {
            if (e.cause() != DatabaseError::Cause::FileMissing)
                throw;
            saida()
                << e.message().section(QLatin1Char('\n'), 0, 0)
                << "\nCrie-as com velto-banco criar, ou leve para ele o arquivo com velto-banco migrar.\n";
        }
    }
    const QString configuracao = writeConfiguredValue(QStringLiteral("banco"), valor);
    saida() << "Gravado em " << configuracao << ": banco = " << valor << '\n';
    return kSaidaSucesso;
}

int Migrar(const QStringList& args) {
    const Opcoes opcoes(args, {});
    opcoes.limitarPosicionais(1);
    const QString arquivo = opcoes.posicionais().isEmpty()
                                ? mapWindowsPath(ConnectionString::parse(kStringConexao).dbq)
                                : QFileInfo(opcoes.posicionais().first()).absoluteFilePath();
    // Read as it is, whatever its version: nothing of it changes.
    auto origem = Connection::OpenFile(StringConexaoDe(arquivo), Connection::OpenMode::ReadOnly);
    AbrirConexao();
    if (conexaoBanco->realPath() == origem->realPath())
        throw ErroExecucao{QStringLiteral("o destino é o próprio arquivo %1: escolha antes o servidor com "
                                          "velto-banco servidor URI")
                               .arg(arquivo)};
    if (LinhasDeDados(*conexaoBanco) > 0)
        throw ErroExecucao{
            QStringLiteral("o banco de dados %1 já tem dados; a migração só vai para um banco vazio, "
                           "feito por velto-banco criar")
                .arg(conexaoBanco->realPath())};
    QElapsedTimer tempo;
    tempo.start();
    {
        Connection::WriteTransaction transacao(*conexaoBanco);
        const QList<ValorRecusado> recusados = CopiarBanco(*origem, *conexaoBanco);
        if (!recusados.isEmpty()) {
            saida().flush();
            erro() << "velto-banco: nada foi copiado: o servidor recusaria estes valores do arquivo "
                   << arquivo << ":\n";
            for (const ValorRecusado& r : recusados)
                erro() << "  " << r.tabela << ", codigo " << r.codigo << ", " << r.coluna << ": '" << r.valor
                       << "'\n";
            return kSaidaErro;
        }
        transacao.Commit();
    }
    qint64 linhas = 0;
    const QStringList diferencas = CompararBancos(*origem, *conexaoBanco, &linhas);
    if (!diferencas.isEmpty())
        throw ErroExecucao{
            QStringLiteral("a cópia no servidor difere do arquivo:\n%1").arg(diferencas.join(u'\n'))};
    saida() << "Migrados " << linhas << " registros de " << arquivo << " para " << conexaoBanco->realPath()
            << " em " << tempo.elapsed() / 1000 << " s; todos os valores conferem com o arquivo.\n";
    return kSaidaSucesso;
}

int Copia(const QStringList& args) {
    const Opcoes opcoes(args, {});
    opcoes.limitarPosicionais(1);
    if (opcoes.posicionais().isEmpty())
        throw ErroUso{QStringLiteral("falta o ARQUIVO da cópia")};
    const QString destino = QFileInfo(opcoes.posicionais().first()).absoluteFilePath();
    // The database as it is: no upgrade, so a copy of a file taken before it is opened by a newer
    // program is the file as it was.
    GravarCopia(*Connection::Open(kStringConexao), destino);
    saida() << "Cópia gravada e verificada: " << destino << '\n';
    return kSaidaSucesso;
}

int Verificar(const QStringList& args) {
    const Opcoes opcoes(args, {});
    opcoes.limitarPosicionais(1);
    const QString stringConexao =
        opcoes.posicionais().isEmpty() ? kStringConexao : StringConexaoDe(opcoes.posicionais().first());
    auto conexao = opcoes.posicionais().isEmpty() ? Connection::Open(stringConexao)
                                                  : Connection::OpenFile(stringConexao);
    const QStringList problemas = ProblemasDoBanco(*conexao);
    if (!problemas.isEmpty()) {
        saida().flush();
        erro() << "velto-banco: o banco de dados " << conexao->realPath()
               << " está danificado. O motor encontrou:\n"
               << problemas.join(QLatin1Char('\n')) << '\n';
        return kSaidaErro;
    }
    saida() << "O banco de dados " << conexao->realPath() << " está íntegro (versão "
            << VersaoEsquema(*conexao) << " do esquema).\n";
    return kSaidaSucesso;
}

// Whether the copy verifies, as verificar checks it.
QStringList ProblemasDaCopia(const QString& arquivo) {
    try {
        return ProblemasDoBanco(*Connection::OpenFile(StringConexaoDe(arquivo)));
    } catch (const DatabaseError& e) {
        return {e.message()};
    }
}

int Copias(const QStringList& args) {
    Opcoes(args, {}).limitarPosicionais(0);
    const std::optional<QString> pasta = PastaDasCopias();
    if (!pasta) {
        saida() << "Este computador não faz cópias automáticas (copias = 0 no velto.conf, ou um servidor "
                   "configurado sem copias = PASTA).\n";
        return kSaidaSucesso;
    }
    saida() << "Cópias automáticas em " << *pasta << ":\n";
    if (NoDiscoDoBanco(*pasta))
        saida() << "Atenção: a pasta fica no mesmo disco do banco de dados; se o disco falhar, as cópias se "
                   "perdem com ele. Indique outra (um disco USB, uma pasta da rede) com copias = PASTA no "
                   "velto.conf.\n";
    const QList<CopiaDiaria> copias = CopiasNaPasta(*pasta);
    if (copias.isEmpty())
        saida() << "  nenhuma cópia\n";
    const QLocale local(QLocale::Portuguese, QLocale::Brazil);
    for (const CopiaDiaria& c : copias)
        saida() << "  " << c.data.toString(QStringLiteral("dd/MM/yyyy")) << "  "
                << local.formattedDataSize(c.tamanho, 1, QLocale::DataSizeTraditionalFormat) << "  "
                << (ProblemasDaCopia(c.caminho).isEmpty() ? "confere" : "danificada") << "  "
                << QFileInfo(c.caminho).fileName() << '\n';
    return kSaidaSucesso;
}

// The process of another connection to the file, 0 for none: while open, each connection keeps
// a read lock on byte 128 of the file's -shm (how the engine learns it is not alone), which the
// tools' connections do as well as the program's.
qint64 OutroComOArquivo(const QString& arquivo) {
    const int fd = ::open(QFile::encodeName(arquivo + QStringLiteral("-shm")).constData(), O_RDONLY);
    if (fd < 0)
        return 0;
    struct flock trava {};
    trava.l_type = F_WRLCK;
    trava.l_whence = SEEK_SET;
    trava.l_start = 128;
    trava.l_len = 1;
    const bool preso = ::fcntl(fd, F_GETLK, &trava) == 0 && trava.l_type != F_UNLCK;
    ::close(fd);
    return preso ? trava.l_pid : 0;
}

// Moves the file aside with whatever -wal and -shm it still has, so nothing of it is lost.
void GuardarArquivo(const QString& arquivo, const QString& guardado) {
    for (const QString& sufixo : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(arquivo + sufixo) && !QFile::rename(arquivo + sufixo, guardado + sufixo))
            throw ErroExecucao{QStringLiteral("não foi possível renomear %1 para %2")
                                   .arg(arquivo + sufixo, guardado + sufixo)};
    }
}

// Closing the last connection to the file folds the newest punches of its -wal into it. One
// that cannot be opened keeps its -wal and -shm: second names hold them meanwhile, as the engine
// drops those of a file it finds empty.
void DobrarWal(const QString& arquivo) {
    const QStringList diarios = {arquivo + QStringLiteral("-wal"), arquivo + QStringLiteral("-shm")};
    QStringList reservados;
    for (const QString& d : diarios) {
        if (::link(QFile::encodeName(d).constData(),
                   QFile::encodeName(d + QStringLiteral(".reserva")).constData()) == 0)
            reservados << d;
    }
    bool dobrado = false;
    try {
        Connection::OpenFile(StringConexaoDe(arquivo));
        dobrado = true;
    } catch (const DatabaseError&) {
    }
    for (const QString& d : reservados) {
        if (!dobrado && !QFileInfo::exists(d))
            QFile::rename(d + QStringLiteral(".reserva"), d);
        QFile::remove(d + QStringLiteral(".reserva"));
    }
}

// Refuses while the program holds the file's lock (taken here, for the caller to keep) or another
// program or tool has the file open.
void ExigirBancoFechado(InstanceLock& trava, const QString& arquivo) {
    if (const InstanceLock::Result r = trava.tryLock(); r != InstanceLock::Result::Locked)
        throw ErroExecucao{
            r == InstanceLock::Result::HeldByAnother
                ? QStringLiteral("o Velto está aberto com o banco de dados %1: feche-o antes "
                                 "de restaurar; nada foi mudado")
                      .arg(arquivo)
                : QStringLiteral("não foi possível criar o arquivo de trava %1").arg(trava.path())};
    if (const qint64 processo = OutroComOArquivo(arquivo))
        throw ErroExecucao{QStringLiteral("outro programa (processo %1) está com o banco de dados %2 aberto: "
                                          "espere que termine antes de restaurar; nada foi mudado")
                               .arg(processo)
                               .arg(arquivo)};
}

// What the restored file holds, for the one who restores it to check.
void MostrarConteudo(const QString& arquivo) {
    auto conexao = Connection::OpenFile(StringConexaoDe(arquivo));
    const auto contar = [&conexao](const char* tabela) {
        return conexao->Execute(QStringLiteral("Select count(*) as n from %1").arg(QLatin1String(tabela)))
            .Fields(QStringLiteral("n"))
            .toInteger();
    };
    saida() << "O banco de dados restaurado tem " << contar("funcionarios") << " funcionários e "
            << contar("movimentacao") << " pontos";
    const Recordset ultimo = conexao->Execute(
        QStringLiteral("Select top 1 data from movimentacao where data is not null order by data desc"));
    if (!ultimo.Eof())
        saida() << ", o último em "
                << ultimo[QStringLiteral("data")].toDate().toString(QStringLiteral("dd/MM/yyyy"));
    saida() << ".\n";
}

int Restaurar(const QStringList& args) {
    const Opcoes opcoes(args, {});
    opcoes.limitarPosicionais(1);
    if (opcoes.posicionais().isEmpty())
        throw ErroUso{QStringLiteral("falta o ARQUIVO da cópia")};
    if (const std::optional<QString> servidor = configuredServer())
        throw ErroExecucao{QStringLiteral("o banco de dados em uso é %1: leve a cópia para um banco vazio "
                                          "do servidor com velto-banco criar e velto-banco migrar ARQUIVO")
                               .arg(serverPlace(*servidor))};
    const QString copia = QFileInfo(opcoes.posicionais().first()).absoluteFilePath();
    const QString arquivo = mapWindowsPath(ConnectionString::parse(kStringConexao).dbq);
    if (!QFileInfo(copia).isFile())
        throw ErroExecucao{QStringLiteral("a cópia %1 não existe").arg(copia)};
    if (QFileInfo(copia).canonicalFilePath() == QFileInfo(arquivo).canonicalFilePath())
        throw ErroExecucao{QStringLiteral("%1 é o próprio banco de dados").arg(copia)};
    if (const QStringList problemas = ProblemasDaCopia(copia); !problemas.isEmpty())
        throw ErroExecucao{
            QStringLiteral("a cópia %1 está danificada; nada foi mudado. O motor encontrou:\n%2")
                .arg(copia, problemas.join(QLatin1Char('\n')))};
    const QString pasta = QFileInfo(arquivo).absolutePath();
    QDir().mkpath(pasta);
    // Held until the copy is in place: no program starts on the file meanwhile.
    InstanceLock trava(arquivo);
    ExigirBancoFechado(trava, arquivo);
    // Written beside the file first: a full disk stops here, with nothing changed.
    const QString novo = arquivo + QStringLiteral(".restaurando");
    QFile::remove(novo);
    if (!QFile::copy(copia, novo) || !QFile::setPermissions(novo, QFile::ReadOwner | QFile::WriteOwner)) {
        QFile::remove(novo);
        throw ErroExecucao{
            QStringLiteral("não foi possível copiar %1 para %2; nada foi mudado").arg(copia, pasta)};
    }
    QString guardado;
    if (QFileInfo::exists(arquivo)) {
        guardado = pasta + QStringLiteral("/ponto-antes-de-restaurar-%1.mdb")
                               .arg(Clock::now().toString(QStringLiteral("yyyy-MM-dd-hhmmss")));
        GuardarArquivo(arquivo, guardado);
        DobrarWal(guardado);
    }
    if (!QFile::rename(novo, arquivo))
        throw ErroExecucao{QStringLiteral("não foi possível pôr %1 no lugar de %2").arg(novo, arquivo)};
    saida() << "Cópia " << copia << " restaurada em " << arquivo << ".\n";
    if (!guardado.isEmpty())
        saida() << "O arquivo anterior foi guardado como " << guardado << ".\n";
    MostrarConteudo(arquivo);
    return kSaidaSucesso;
}

// What the terminal of this PC could not register while the server was out of reach.
int Pendentes(const QStringList& args) {
    Opcoes(args, {}).limitarPosicionais(0);
    const QList<Pendente> pendentes = LerPendentes();
    if (pendentes.isEmpty()) {
        saida() << "Nenhum ponto pendente em " << ArquivoPendentes() << ".\n";
        return kSaidaSucesso;
    }
    saida() << "Pontos não registrados por falta do servidor (" << ArquivoPendentes()
            << "); lance-os em \"Lançar Horários\":\n";
    for (const Pendente& p : pendentes)
        saida() << p.cartao << "  " << p.data << "  " << p.hora << "  " << p.computador << '\n';
    return kSaidaSucesso;
}

// After schedule rows were corrected by hand or in a batch: each day's total from its own times.
int Totais(const QStringList& args) {
    Opcoes(args, {}).limitarPosicionais(0);
    AbrirConexao();
    // All rows or none, and one write to the disk instead of one per row.
    conexaoBanco->BeginTrans();
    int linhas = 0;
    try {
        linhas = atualizarTotaisHorarios();
        conexaoBanco->CommitTrans();
    } catch (const DatabaseError&) {
        conexaoBanco->RollbackTrans();
        throw;
    }
    saida() << "Totais de horas recalculados: " << linhas
            << (linhas == 1 ? " linha de horários atualizada.\n" : " linhas de horários atualizadas.\n");
    return kSaidaSucesso;
}

// One line per subcommand.
const QList<Subcomando> kSubcomandos{
    {"criar", kUsoCriar, Criar},
    {"senha", kUsoSenha, Senha},
    {"sql", kUsoSql, Sql},
    {"caminho", kUsoCaminho, Caminho},
    {"servidor", kUsoServidor, Servidor},
    {"migrar", kUsoMigrar, Migrar},
    {"copia", kUsoCopia, Copia},
    {"verificar", kUsoVerificar, Verificar},
    {"copias", kUsoCopias, Copias},
    {"restaurar", kUsoRestaurar, Restaurar},
    {"pendentes", kUsoPendentes, Pendentes},
    {"totais", kUsoTotais, Totais},
};

} // namespace

int main(int argc, char** argv) {
    SilenciarAvisosDoQt();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELTO_VERSION));
    return ExecutarFerramenta("velto-banco", kDescricao, kSubcomandos, app.arguments().mid(1));
}
