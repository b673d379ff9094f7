#include "BancoTeste.h"
#include "CopiaBanco.h"
#include "InstanceLock.h"
#include "Processo.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

class VeltoBanco : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTO_DRIVE_ROOT", pasta.path().toUtf8());
        if (BancoTeste::noServidor())
            servidor = NovoBancoNoServidor();
    }
    void TearDown() override {
        conexaoBanco.reset();
        qputenv("VELTO_DRIVE_ROOT", antes);
        qunsetenv("VELTO_BANCO");
    }
    Execucao rodar(const QStringList& args, const QByteArray& entrada = {}) {
        return ExecutarProcesso(QStringLiteral(VELTO_BANCO), args, entrada);
    }
    QString arquivo() const { return pasta.path() + u"/C/PONTO/ponto.mdb"_s; }
    // Where the database is, as the tools name it.
    QString onde() const {
        return servidor.isEmpty()
                   ? u"C:\\PONTO\\ponto.mdb (%1)"_s.arg(arquivo())
                   : u"%1 no servidor %2"_s.arg(servidor, qEnvironmentVariable("VELTO_TESTE_PG"));
    }
    const QByteArray antes = qgetenv("VELTO_DRIVE_ROOT");
    QTemporaryDir pasta;
    QString servidor; // the test's database on the test server, if there is one
};

const QString kSenha = u"Select senha from permissao"_s;

} // namespace

TEST_F(VeltoBanco, CriarComExemploConsultarTotaisEUso) {
    const Execucao criar = rodar({"criar", "--exemplo"});
    ASSERT_EQ(criar.status, 0) << criar.erro.toStdString();
    EXPECT_TRUE(criar.saida.contains(u"Senha de manutenção: "_s) && criar.saida.contains(onde()))
        << criar.saida.toStdString();
    EsperarExecucao(rodar({"sql", "Select count(*) as n from funcionarios where length(registro) = 13"}), 0,
                    u"n\n12\n"_s);
    EXPECT_GT(rodar({"sql", "Select count(*) as n from movimentacao"}).saida.section(u'\n', 1, 1).toInt(),
              300);
    const Execucao outra = rodar({"criar"});
    EXPECT_TRUE(outra.status == 1 && outra.erro.contains(onde()) &&
                outra.erro.contains(u"não será substituído."_s))
        << outra.erro.toStdString();
    // The night schedule's real hours (03:00-06:00, 22:00-02:00); a row corrected by hand, its new total.
    const QStringList totais = {
        "sql", "Select registro, CODHORA, totalhoras from horarios order by registro, CODHORA"};
    EXPECT_TRUE(rodar(totais).saida.contains(u"002\t3\t07:00:00\n"_s));
    EsperarExecucao(rodar({"totais"}), 0,
                    u"Totais de horas recalculados: 11 linhas de horários atualizadas.\n"_s);
    ASSERT_EQ(rodar({"sql"},
                    "update horarios set cidade = '18:30:00' where registro = '001' and CODHORA = '2'\n"
                    "delete from horarios where not (registro = '001' and CODHORA = '2')\n")
                  .status,
              0);
    EsperarExecucao(rodar({"totais"}), 0,
                    u"Totais de horas recalculados: 1 linha de horários atualizada.\n"_s);
    EXPECT_EQ(rodar(totais).saida, u"registro\tCODHORA\ttotalhoras\n001\t2\t09:30:00\n"_s);
    for (const auto& [opcao, texto] :
         {std::pair{"--help", "velto-banco copia ARQUIVO"}, {"--version", "velto-banco 2."}}) {
        const Execucao r = rodar({opcao});
        EXPECT_TRUE(r.status == 0 && r.saida.contains(QString::fromUtf8(texto)) && r.erro.isEmpty()) << opcao;
    }
    const QStringList errados[] = {{},
                                   {"nada"},
                                   {"criar", "--senha"},
                                   {"criar", "--sennha", "x"},
                                   {"senha"},
                                   {"copia"},
                                   {"caminho", "a"},
                                   {"totais", "x"},
                                   {"restaurar"},
                                   {"copias", "x"}};
    for (const QStringList& args : errados)
        EsperarExecucao(rodar(args), 2, {}, u"velto-banco: "_s);
    // The configuration: VELTO_BANCO over the user's velto.conf; "arquivo" is the file; a
    // password is refused and never printed.
    QFile conf(pasta.path() + u"/velto/velto.conf"_s);
    ASSERT_TRUE(QDir().mkpath(pasta.path() + u"/velto"_s) && conf.open(QIODevice::WriteOnly));
    conf.write("# o servidor do escritorio\nbanco = host=/nao/ha dbname=ponto  # fora do ar\n");
    conf.close();
    qputenv("XDG_CONFIG_HOME", pasta.path().toUtf8());
    const std::pair<const char*, QString> configuracoes[] = {
        {nullptr, u"velto-banco: Não foi possível conectar ao banco de dados ponto no servidor /nao/ha.\n"_s},
        {"postgresql://velto:segredo@/ponto?host=/nao/ha",
         u"velto-banco: O banco de dados configurado em VELTO_BANCO traz uma senha"_s},
        {"arquivo", {}},
    };
    for (const auto& [banco, erro] : configuracoes) {
        SCOPED_TRACE(banco ? banco : "velto.conf");
        banco ? qputenv("VELTO_BANCO", banco) : qunsetenv("VELTO_BANCO");
        const Execucao r = rodar({"sql", "Select 1 as x"});
        EXPECT_TRUE(erro.isEmpty()
                        ? !r.erro.contains(u"servidor"_s)
                        : r.status == 1 && r.erro.startsWith(erro) && !r.erro.contains(u"segredo"_s))
            << r.erro.toStdString();
    }
    qunsetenv("XDG_CONFIG_HOME");
}

TEST_F(VeltoBanco, SenhaSqlLoteCopiaEArquivoIlegivelOuSemPermissao) {
    ASSERT_EQ(rodar({"criar", "--senha", "s'enha"}).status, 0);
    EsperarExecucao(rodar({"sql", "Select senha from permissao where  codigo  =1"}), 0, u"senha\ns'enha\n"_s);
    ASSERT_EQ(rodar({"senha", "nova'senha"}).status, 0);
    EXPECT_EQ(rodar({"sql", kSenha}).saida, u"senha\nnova'senha\n"_s);
    // Passwords from standard input stay out of the arguments.
    ASSERT_EQ(rodar({"senha", "-"}, "com espaço\r\n").status, 0);
    EXPECT_EQ(rodar({"sql", kSenha}).saida, u"senha\ncom espaço\n"_s);
    EXPECT_EQ(rodar({"senha", "--senha", "-"}, "").status, 1);
    EXPECT_EQ(rodar({"sql", kSenha}).saida, u"senha\ncom espaço\n"_s);
    // A batch is applied whole or not at all.
    EXPECT_EQ(rodar({"sql"}, "INSERT INTO funcionarios(nome, registro) VALUES('A', '1')\n\nInsert into "
                             "movimentacao(data,hora,entradaSaida,funcionario,periodo) values('05/12/2026',"
                             "'08:00:00', 'E', 1, 'M' )\n")
                  .status,
              0);
    const Execucao falha = rodar({"sql"}, "INSERT INTO funcionarios(nome, registro) VALUES('B', '2')\n"
                                          "Insert into movimentacao(data) values('32/12/2026')\n");
    EXPECT_NE(falha.status, 0);
    EXPECT_TRUE(falha.erro.contains(u"linha 2"_s)) << falha.erro.toStdString();
    EXPECT_EQ(rodar({"sql", "Select nome, VALORHORA from funcionarios"}).saida, u"nome\tVALORHORA\nA\t\n"_s);
    EXPECT_EQ(
        rodar({"sql", "Select * from movimentacao where data>= #12-01-2026#"}).saida.section(u'\n', 1, 1),
        u"1\t05/12/2026\t08:00:00\tE\t1\tM"_s);
    const Execucao erro = rodar({"sql", "Select * from nada"});
    EXPECT_TRUE(erro.status != 0 && erro.saida.isEmpty() && erro.erro.contains(u"nada"_s));
    EsperarExecucao(rodar({"sql", "select zeroblob(1000) as z"}), 0, "z\nX'" + QString(2000, u'0') + "'\n");
    const Execucao sqlcipher = ExecutarProcesso(u"sqlcipher"_s, {arquivo()}, ".tables\n");
    EXPECT_TRUE((sqlcipher.saida + sqlcipher.erro).contains(u"not a database"_s))
        << sqlcipher.erro.toStdString();
    // A copy taken while the program holds the file open, with punches still in the write-ahead log.
    AbrirConexao();
    for (int i = 0; i < 200; ++i)
        conexaoBanco->Execute(u"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                              u"values('05/12/2026','08:00:00', '%1', 1, 'M' )"_s.arg(i % 2 ? u'S' : u'E'));
    ASSERT_GT(QFileInfo(arquivo() + u"-wal"_s).size(), 0) << "the punches are in the log";
    const QString copia = pasta.path() + u"/copia.mdb"_s;
    EsperarExecucao(rodar({"copia", copia}), 0, u"Cópia gravada e verificada: %1\n"_s.arg(copia));
    conexaoBanco.reset();
    {
        auto c = Connection::Open(u"Dbq=%1;Pwd=QWZRTLK;"_s.arg(copia));
        EXPECT_EQ(c->Execute(u"Select count(*) as n from movimentacao"_s)["n"].toInteger(), 201);
        EXPECT_TRUE(c->IntegrityCheck().isEmpty());
    }
    const Execucao verificada = rodar({"verificar", copia});
    EXPECT_TRUE(verificada.status == 0 && verificada.saida.contains(u"está íntegro"_s))
        << verificada.saida.toStdString();
    EsperarExecucao(rodar({"copia", copia}), 1, {},
                    u"velto-banco: O arquivo %1 já existe; não será substituído.\n"_s.arg(copia));
    QFile f(copia);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() - 2000);
    f.write(QByteArray(500, 'x'));
    f.close();
    EsperarExecucao(rodar({"verificar", copia}), 1, {}, u"velto-banco: "_s);
    // A file the tools may not write (root runs them as another account): writers refuse, readers read.
    QStringList comoOutro;
    if (::geteuid() == 0) {
        comoOutro = {"--reuid=65534", "--regid=65534", "--clear-groups"};
        for (const QString& caminho : {pasta.path(), pasta.path() + u"/C"_s, pasta.path() + u"/C/PONTO"_s})
            ASSERT_EQ(::chmod(QFile::encodeName(caminho).constData(), 0755), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(arquivo()).constData(), 0444), 0);
    const auto executar = [&](const char* programa, const QStringList& args) {
        return comoOutro.isEmpty() ? ExecutarProcesso(QString::fromUtf8(programa), args)
                                   : ExecutarProcesso(u"setpriv"_s, comoOutro + QStringList{programa} + args);
    };
    const Execucao grava = executar(VELTO_BANCO, {"senha", "nova"});
    EXPECT_EQ(grava.status, 1);
    for (const QString& trecho : {u"sem permissão para gravar"_s, u"C:\\PONTO\\ponto.mdb"_s, arquivo()})
        EXPECT_TRUE(grava.erro.contains(trecho)) << grava.erro.toStdString();
    // The error output is not compared: a coverage build run as another account adds its own notes there.
    const Execucao le = executar(VELTO_BANCO, {"sql", kSenha});
    EXPECT_EQ(le.status, 0) << le.erro.toStdString();
    EXPECT_EQ(le.saida, u"senha\ncom espaço\n"_s);
    EXPECT_EQ(
        executar(VELTO_RELATORIO, {"cartao", "--todos", "--de", "01/11/2026", "--ate", "30/11/2026"}).status,
        0);
}

TEST_F(VeltoBanco, RestaurarGuardaOArquivoAtualComSeuWalECopiasListadas) {
    ASSERT_EQ(rodar({"criar", "--exemplo"}).status, 0);
    const QString copias = pasta.path() + u"/copias"_s, copia = copias + u"/ponto-2026-12-01.mdb"_s;
    ASSERT_TRUE(QDir().mkpath(copias));
    ASSERT_EQ(rodar({"copia", copia}).status, 0);
    const auto pontos = [](const QString& arquivo) {
        return Connection::OpenFile(StringConexaoDe(arquivo))
            ->Execute(u"Select count(*) as n from movimentacao"_s)["n"]
            .toInteger();
    };
    const qint64 naCopia = pontos(copia);
    const QString lado = pasta.path() + u"/lado"_s;
    {
        // Open here, and then the program's lock: both refuse.
        auto aberto = Connection::OpenFile(kStringConexao);
        for (int i = 0; i < 5; ++i)
            aberto->Execute(u"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                            u"values('07/12/2026','08:00:00', 'E', 1, 'M' )"_s);
        ASSERT_GT(QFileInfo(arquivo() + u"-wal"_s).size(), 0);
        ASSERT_TRUE(QFile::copy(arquivo(), lado) && QFile::copy(arquivo() + u"-wal"_s, lado + u"-wal"_s));
        EsperarExecucao(
            rodar({"restaurar", copia}), 1, {},
            u"velto-banco: outro programa (processo %1) está com o banco de dados"_s.arg(getpid()));
        InstanceLock trava(arquivo());
        ASSERT_EQ(trava.tryLock(), InstanceLock::Result::Locked);
        EsperarExecucao(rodar({"restaurar", copia}), 1, {}, u"velto-banco: o Velto está aberto"_s);
    }
    // As a power cut leaves it: the newest punches only in the -wal.
    for (const char* sufixo : {"", "-wal", "-shm"})
        QFile::remove(arquivo() + QLatin1String(sufixo));
    ASSERT_TRUE(QFile::copy(lado, arquivo()) && QFile::copy(lado + u"-wal"_s, arquivo() + u"-wal"_s));
    const QString danificada = copias + u"/ponto-2026-11-30.mdb"_s;
    ASSERT_TRUE(QFile::copy(copia, danificada));
    QFile f(danificada);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(f.size() - 2000));
    f.write(QByteArray(500, 'x'));
    f.close();
    EsperarExecucao(rodar({"restaurar", danificada}), 1, {},
                    u"velto-banco: a cópia %1 está danificada; nada foi mudado."_s.arg(danificada));
    qputenv("VELTO_BANCO", "host=/nao/ha dbname=ponto");
    const Execucao servidor = rodar({"restaurar", copia});
    EXPECT_TRUE(servidor.status == 1 && servidor.erro.contains(u"velto-banco migrar ARQUIVO"_s))
        << servidor.erro.toStdString();
    qunsetenv("VELTO_BANCO");
    const QDir dados(pasta.path() + u"/C/PONTO"_s);
    ASSERT_TRUE(dados.entryList({u"ponto-antes*"_s}).isEmpty() && QFileInfo::exists(arquivo() + u"-wal"_s));

    const Execucao r = rodar({"restaurar", copia});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.contains(
        u"O banco de dados restaurado tem 12 funcionários e %1 pontos, o último em "_s.arg(naCopia)))
        << r.saida.toStdString();
    EXPECT_EQ(pontos(arquivo()), naCopia);
    struct stat modo {};
    ASSERT_EQ(::stat(QFile::encodeName(arquivo()).constData(), &modo), 0);
    EXPECT_EQ(modo.st_mode & 0777, 0600u);
    const QStringList guardado = dados.entryList({u"ponto-antes-de-restaurar-*"_s});
    ASSERT_EQ(guardado.size(), 1) << guardado.join(u' ').toStdString();
    EXPECT_TRUE(r.saida.contains(dados.filePath(guardado[0])));
    EXPECT_FALSE(QFileInfo::exists(dados.filePath(guardado[0]) + u"-wal"_s)) << "folded into it";
    EXPECT_EQ(pontos(dados.filePath(guardado[0])), naCopia + 5) << "with its -wal's punches";

    // The list of the copies, the damaged one told apart, on the database's disk.
    QFile conf(pasta.path() + u"/velto/velto.conf"_s);
    ASSERT_TRUE(QDir().mkpath(pasta.path() + u"/velto"_s) && conf.open(QIODevice::WriteOnly));
    conf.write("copias = " + copias.toUtf8() + "\n");
    conf.close();
    QFile(copias + u"/outra.mdb"_s).open(QIODevice::WriteOnly);
    qputenv("XDG_CONFIG_HOME", pasta.path().toUtf8());
    const Execucao lista = rodar({"copias"});
    const QStringList linhas = lista.saida.split(u'\n');
    EXPECT_TRUE(lista.status == 0 && linhas.size() == 5 &&
                linhas[0] == u"Cópias automáticas em %1:"_s.arg(copias) &&
                linhas[1].startsWith(u"Atenção: a pasta fica no mesmo disco"_s) &&
                linhas[2].startsWith(u"  01/12/2026  "_s) &&
                linhas[2].endsWith(u"  confere  ponto-2026-12-01.mdb"_s) &&
                linhas[3].startsWith(u"  30/11/2026  "_s) &&
                linhas[3].endsWith(u"  danificada  ponto-2026-11-30.mdb"_s))
        << lista.saida.toStdString();
    conf.open(QIODevice::WriteOnly);
    conf.write("copias = 0\n");
    conf.close();
    EXPECT_TRUE(rodar({"copias"}).saida.startsWith(u"Este computador não faz cópias automáticas"_s));
    qunsetenv("XDG_CONFIG_HOME");
}

// A file onto a server: refused whole while one value would be refused, then copied with its
// numbering; the server's copy in a file comes back onto another server the same.
TEST(ArquivoEServidor, MigrarRecusaUmValorEIdaEVoltaConferem) {
    ASSERT_FALSE(qgetenv("VELTO_TESTE_PG").isEmpty()) << "needs the test server (VELTO_TESTE_PG)";
    QTemporaryDir pasta;
    qputenv("VELTO_DRIVE_ROOT", pasta.path().toUtf8());
    const auto rodar = [](const QStringList& args) {
        return ExecutarProcesso(QStringLiteral(VELTO_BANCO), args);
    };
    const auto conferem = [](const Execucao& r) {
        EXPECT_TRUE(r.status == 0 && r.saida.contains(u"todos os valores conferem"_s))
            << r.erro.toStdString();
    };
    qputenv("VELTO_BANCO", "arquivo");
    ASSERT_EQ(rodar({"criar", "--exemplo", "--senha", "s"}).status, 0);
    // As the terminal writes, unrecorded.
    const auto noArquivo = [](const QString& sql) {
        Connection::OpenFile(kStringConexao)
            ->ExecuteNative(
                u"INSERT INTO auditoria_contexto(origem) VALUES (NULL); %1; DELETE FROM auditoria_contexto"_s
                    .arg(sql));
    };
    noArquivo(u"INSERT INTO funcionarios(nome) VALUES ('SAI'); DELETE FROM funcionarios WHERE nome = 'SAI'; "
              u"UPDATE movimentacao SET data = '05/12/2026' WHERE codigo = 3"_s);
    NovoBancoNoServidor();
    ASSERT_EQ(rodar({"criar", "--senha", "t"}).status, 0);
    EsperarExecucao(
        rodar({"migrar"}), 1, {},
        u"velto-banco: nada foi copiado: o servidor recusaria estes valores do arquivo %1:\n"
        u"  movimentacao, codigo 3, data: '05/12/2026'\n"_s.arg(pasta.path() + u"/C/PONTO/ponto.mdb"_s));
    noArquivo(u"UPDATE movimentacao SET data = '2026-12-05' WHERE codigo = 3"_s);
    conferem(rodar({"migrar"}));
    // A deleted employee's number is not given again.
    ASSERT_EQ(rodar({"sql", "INSERT INTO funcionarios(nome) VALUES('NOVO')"}).status, 0);
    EsperarExecucao(rodar({"sql", "Select codigo from funcionarios where nome = 'NOVO'"}), 0,
                    u"codigo\n14\n"_s);
    const QString copia = pasta.path() + u"/copia.mdb"_s;
    EsperarExecucao(rodar({"copia", copia}), 0, u"Cópia gravada e verificada: %1\n"_s.arg(copia));
    NovoBancoNoServidor();
    ASSERT_EQ(rodar({"criar", "--senha", "u"}).status, 0);
    conferem(rodar({"migrar", copia}));
    EXPECT_TRUE(rodar({"verificar"}).saida.contains(u"está íntegro"_s));
    qunsetenv("VELTO_BANCO");
}
