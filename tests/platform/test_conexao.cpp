#include "BancoTeste.h"
#include "DatabaseError.h"
#include "DiscoCheio.h"
#include "PtBrText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Conexao, DataGravadaDiaPrimeiroEAchadaPeloLiteralMesPrimeiro) {
    BancoTeste banco;
    const qint64 f = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
    banco.ponto(f, QStringLiteral("05/12/2026"), QStringLiteral("08:02:10"), QStringLiteral("E"));
    banco.ponto(f, QStringLiteral("12/05/2026"), QStringLiteral("17:00:00"), QStringLiteral("S"));
    banco.ponto(f, QStringLiteral("05/12/2026"), QStringLiteral("17:30:00"), QStringLiteral("S"));

    Recordset rs = banco.sql(QStringLiteral("Select * from movimentacao where data = #12-05-2026#"));
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs["DATA"].toString(), QStringLiteral("05/12/2026"));
    EXPECT_EQ(rs["Hora"].toString(), QStringLiteral("08:02:10"));
    EXPECT_EQ(rs["data"].type(), Variant::Type::Date);
    EXPECT_EQ(rs["funcionario"].toString(), QString::number(f));
    rs.MoveNext();
    EXPECT_EQ(rs["hora"].toString(), QStringLiteral("17:30:00"));
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());

    // Sorting is by date, not by the day-first text.
    rs = banco.sql(
        QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = %1 order by data, hora asc ")
            .arg(f));
    EXPECT_EQ(rs["data"].toString(), QStringLiteral("12/05/2026"));
    rs = banco.sql(QStringLiteral("SELECT  min(hora) as h FROM MOVIMENTACAO  WHERE Funcionario = %1 and "
                                  "data= #12-05-2026# and entradaSaida= 'S' AND HORA >= #08:00:00# ")
                       .arg(f));
    EXPECT_EQ(rs["h"].toString(), QStringLiteral("17:30:00"));
    EXPECT_EQ(rs["h"].type(), Variant::Type::Time);
}

TEST(Conexao, AgregadosSemLinhasEColunasSemCaixa) {
    BancoTeste banco;
    Recordset rs =
        banco.sql(QStringLiteral("Select max(codigo) as s from movimentacao where  funcionario  = 9"));
    ASSERT_FALSE(rs.Eof());
    EXPECT_TRUE(rs["S"].isNull());
    rs = banco.sql(QStringLiteral("Select count(EntradaSaida) as s from movimentacao where funcionario = 9"));
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs["s"].toInteger(), 0);
    EXPECT_TRUE(
        banco.sql(QStringLiteral("Select top 1 codigo from movimentacao where  funcionario  = 9")).Eof());
    EXPECT_THROW(rs["naoexiste"], DatabaseError);

    // Text compares without regard to case.
    banco.funcionario(QStringLiteral("maria da silva"), QStringLiteral("ABC"));
    EXPECT_FALSE(banco.sql(QStringLiteral("select * from FUNCIONARIOS where NOME like 'MA%'")).Eof());
    EXPECT_FALSE(banco.sql(QStringLiteral("select * from funcionarios where registro = 'abc'")).Eof());
}

TEST(Conexao, ResultadoEstaticoSobreviveAReconexao) {
    BancoTeste banco;
    banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
    banco.funcionario(QStringLiteral("BIA"), QStringLiteral("2"));
    Recordset rs = banco.sql(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC"));
    AbrirConexao();
    banco.sql(QStringLiteral("Delete from FUNCIONARIOS where codigo = 1"));
    conexaoBanco.reset();
    EXPECT_EQ(rs["nome"].toString(), QStringLiteral("ANA"));
    rs.MoveNext();
    EXPECT_EQ(rs["nome"].toString(), QStringLiteral("BIA"));
    rs.MovePrevious();
    EXPECT_EQ(rs["nome"].toString(), QStringLiteral("ANA"));
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.MoveNext(), DatabaseError);
}

TEST(Conexao, ObservadorVeOTextoExatoTambemAposReconectar) {
    BancoTeste banco;
    banco.enviadas().clear();
    const QString sql = QStringLiteral("Select * from funcionarios where  registro  = '123'");
    banco.sql(sql);
    AbrirConexao();
    banco.sql(QStringLiteral("Select * from permissao where  codigo  =1"));
    EXPECT_EQ(banco.enviadas(),
              QStringList({sql, QStringLiteral("Select * from permissao where  codigo  =1")}));
}

TEST(Conexao, ErrosNomeiamOsDoisCaminhos) {
    BancoTeste banco;
    const QString real = banco.caminhoArquivo();
    const auto mensagem = [](const QString& cs) {
        try {
            Connection::Open(cs);
        } catch (const DatabaseError& e) {
            return e.message();
        }
        return QString();
    };
    const QString faltando = mensagem(QStringLiteral("Dbq=C:\\PONTO\\outro.mdb;Pwd=QWZRTLK;"));
    EXPECT_TRUE(faltando.contains(QStringLiteral("velto-banco criar"))) << faltando.toStdString();
    EXPECT_TRUE(faltando.contains(QStringLiteral("C:\\PONTO\\outro.mdb"))) << faltando.toStdString();
    EXPECT_TRUE(faltando.contains(banco.raiz() + QStringLiteral("/C/PONTO/outro.mdb")))
        << faltando.toStdString();
    EXPECT_FALSE(QFile::exists(banco.raiz() + QStringLiteral("/C/PONTO/outro.mdb")))
        << "opening must not create";

    const QString senhaErrada = mensagem(QStringLiteral("Dbq=C:\\PONTO\\ponto.mdb;Pwd=ERRADA;"));
    EXPECT_TRUE(senhaErrada.contains(QStringLiteral("senha"))) << senhaErrada.toStdString();
    EXPECT_TRUE(senhaErrada.contains(real)) << senhaErrada.toStdString();

    QFile lixo(banco.raiz() + QStringLiteral("/C/PONTO/lixo.mdb"));
    ASSERT_TRUE(lixo.open(QIODevice::WriteOnly));
    lixo.write(QByteArray(8192, 'x'));
    lixo.close();
    const QString naoBanco = mensagem(QStringLiteral("Dbq=C:\\PONTO\\lixo.mdb;Pwd=QWZRTLK;"));
    EXPECT_TRUE(naoBanco.contains(QStringLiteral("não é um banco de dados"))) << naoBanco.toStdString();

    EXPECT_THROW(banco.sql(QStringLiteral("Selec * from funcionarios")), DatabaseError);
    // What the program was doing in Portuguese, then the engine's own message.
    try {
        banco.sql(QStringLiteral("Select * from naoexiste"));
        ADD_FAILURE() << "a missing table must fail";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("O banco de dados não executou a instrução.\n")))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: naoexiste")))
            << e.message().toStdString();
    }
    EXPECT_THROW(Connection::Create(kStringConexao), DatabaseError) << "creating must not overwrite";
}

TEST(Conexao, InstrucoesRepetidasVeemOsDadosNovos) {
    BancoTeste banco;
    const QString todos = QStringLiteral("Select * from funcionarios ORDER BY NOME ASC");
    EXPECT_TRUE(banco.sql(todos).Eof());
    banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
    EXPECT_EQ(banco.sql(todos).rowCount(), 1);
    {
        // Inside a snapshot the reads agree with each other; after it, the new row shows.
        const Connection::ReadSnapshot leitura(*conexaoBanco);
        EXPECT_EQ(banco.sql(todos).rowCount(), 1);
        EXPECT_EQ(banco.sql(todos).rowCount(), 1);
    }
    banco.funcionario(QStringLiteral("BIA"), QStringLiteral("2"));
    EXPECT_EQ(banco.sql(todos).rowCount(), 2);
    // A changed table is read with its new columns.
    banco.sql(QStringLiteral("CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, "
                             "funcionario TEXT (5))"));
    EXPECT_EQ(banco.sql(QStringLiteral("Select * from HoraCombinada")).columns().size(), 2);
    banco.sql(QStringLiteral("ALTER TABLE HoraCombinada ADD COLUMN obs TEXT (50)"));
    EXPECT_EQ(banco.sql(QStringLiteral("Select * from HoraCombinada")).columns().size(), 3);
    // A failing statement leaves nothing locked: a write still goes through.
    EXPECT_THROW(banco.sql(QStringLiteral("Select * from funcionarios where nada = 1")), DatabaseError);
    EXPECT_NO_THROW(banco.funcionario(QStringLiteral("CIA"), QStringLiteral("3")));
}

TEST(Conexao, NomesOrdenadosEAchadosSemCaixaNemAcento) {
    BancoTeste banco;
    for (const char* nome : {"Zeca", "Érica", "ana", "ÁLVARO", "EDSON", "Beatriz", "Cássio", "CAIO"})
        banco.funcionario(QString::fromUtf8(nome), QStringLiteral("1"));
    const auto nomes = [&](const QString& sql) {
        QStringList lista;
        for (Recordset rs = banco.sql(sql); !rs.Eof(); rs.MoveNext())
            lista << rs["NOME"].toString();
        return lista;
    };
    EXPECT_EQ(nomes(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC")),
              QStringList({"ÁLVARO", "ana", "Beatriz", "CAIO", "Cássio", "EDSON", "Érica", "Zeca"}));
    const auto comeco = [&](const QString& texto) {
        return nomes(QStringLiteral("Select CODIGO,NOME from FUNCIONARIOS where NOME like '") + texto +
                     QStringLiteral("%'   ORDER BY NOME"));
    };
    EXPECT_EQ(comeco(QStringLiteral("e")), QStringList({"EDSON", "Érica"}));
    EXPECT_EQ(comeco(QStringLiteral("ERI")), QStringList({"Érica"}));
    EXPECT_EQ(comeco(QStringLiteral("Á")), QStringList({"ÁLVARO", "ana"}));
    EXPECT_EQ(comeco(QStringLiteral("cas")), QStringList({"Cássio"}));
    EXPECT_EQ(comeco(QStringLiteral("C_I")), QStringList({"CAIO"}));
    struct Caso {
        const char *valor, *padrao;
        bool casa;
    };
    for (const Caso& c : {Caso{"100%", "100\\%", true},
                          {"1000", "100\\%", false},
                          {"a_b", "a\\_b", true},
                          {"axb", "a\\_b", false},
                          {"ab\\", "ab\\", true},
                          {"Érica", "%RI_A", true},
                          {"abc", "a%%c", true},
                          {"abc", "a_%_", true},
                          {"ab", "a_%_", false},
                          {"", "%", true},
                          {"", "_", false},
                          {"abcb", "%b", true},
                          {"abc", "%b", false},
                          {"João", "jo_o", true},
                          {"mississippi", "%ss%ipp%", true},
                          {"mississippi", "m%sis%sis%", false}})
        EXPECT_EQ(likePtBr(QString::fromUtf8(c.valor), QString::fromUtf8(c.padrao), QLatin1Char('\\')),
                  c.casa)
            << c.valor << " like " << c.padrao;
    // Many wildcards before a letter the name lacks: time in proportion to the two lengths.
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_FALSE(
        likePtBr(QString(255, QLatin1Char('a')), QStringLiteral("%_").repeated(20) + QLatin1Char('z')));
    EXPECT_LT(relogio.elapsed(), 10);
    // The name index agrees with the comparison the rows were sorted by.
    EXPECT_EQ(banco.sql(QStringLiteral("PRAGMA integrity_check"))["integrity_check"].toString(),
              QStringLiteral("ok"));
}

namespace {

DatabaseError ErroAoAbrir(const QString& arquivo,
                          Connection::OpenMode modo = Connection::OpenMode::ReadWrite) {
    try {
        Connection::Open("Dbq=C:\\PONTO\\" + arquivo + ";Pwd=QWZRTLK;", modo);
    } catch (const DatabaseError& e) {
        return e;
    }
    return DatabaseError(QStringLiteral("abriu"));
}

} // namespace

TEST(Conexao, AberturaRecusaArquivoVazioOuSemTabelasSemNuncaCriarUmBanco) {
    BancoTeste banco;
    const QString pasta = banco.raiz() + QStringLiteral("/C/PONTO/");
    QFile vazio(pasta + QStringLiteral("vazio.mdb"));
    ASSERT_TRUE(vazio.open(QIODevice::WriteOnly));
    vazio.close();
    for (const auto modo : {Connection::OpenMode::ReadWrite, Connection::OpenMode::ReadOnly}) {
        const DatabaseError e = ErroAoAbrir(QStringLiteral("vazio.mdb"), modo);
        EXPECT_TRUE(e.message().contains(QStringLiteral("0 bytes"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("C:\\PONTO\\vazio.mdb")));
        EXPECT_TRUE(e.message().contains(pasta + QStringLiteral("vazio.mdb")));
        EXPECT_EQ(QFileInfo(vazio).size(), 0) << "the refused file is left as it was";
    }
    Connection::Create(QStringLiteral("Dbq=C:\\PONTO\\semtabelas.mdb;Pwd=QWZRTLK;")).reset();
    EXPECT_TRUE(ErroAoAbrir(QStringLiteral("semtabelas.mdb")).message().contains(QStringLiteral("tabelas")));
    const DatabaseError faltando = ErroAoAbrir(QStringLiteral("outro.mdb"));
    EXPECT_EQ(faltando.cause(), DatabaseError::Cause::FileMissing);
    EXPECT_FALSE(QFile::exists(pasta + QStringLiteral("outro.mdb")));
}

TEST(Conexao, LeitorAbreSoParaLeitura) {
    BancoTeste banco;
    banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
    const auto leitor = Connection::Open(kStringConexao, Connection::OpenMode::ReadOnly);
    EXPECT_TRUE(leitor->isReadOnly());
    EXPECT_FALSE(conexaoBanco->isReadOnly());
    EXPECT_EQ(leitor->Execute(QStringLiteral("Select * from funcionarios")).rowCount(), 1);
    try {
        leitor->Execute(QStringLiteral("Delete from funcionarios"));
        ADD_FAILURE() << "a reader wrote";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::Cause::ReadOnly) << e.message().toStdString();
    }
}

TEST(Conexao, BancoNovoSoODonoLe) {
    BancoTeste banco;
    const auto modo = [](const QString& caminho) {
        struct stat s {};
        return ::stat(QFile::encodeName(caminho).constData(), &s) == 0 ? s.st_mode & 07777 : 0;
    };
    EXPECT_EQ(modo(banco.raiz() + QStringLiteral("/C")), 0700u);
    EXPECT_EQ(modo(banco.raiz() + QStringLiteral("/C/PONTO")), 0700u);
    EXPECT_EQ(modo(banco.caminhoArquivo()), 0600u);
}

TEST(Conexao, LeBlobsETextosInteiros) {
    BancoTeste banco;
    Recordset rs = banco.sql(QStringLiteral("Select zeroblob(1000) as z, cast('abc' as blob) as b, "
                                            "zeroblob(0) as v, 'a' || char(0) || 'b' as t"));
    EXPECT_EQ(rs["z"].type(), Variant::Type::Bytes);
    EXPECT_EQ(rs["z"].toBytes(), QByteArray(1000, '\0'));
    EXPECT_EQ(rs["z"].toString(), "X'" + QString(2000, QLatin1Char('0')) + "'");
    EXPECT_EQ(rs["b"].toString(), QStringLiteral("X'616263'"));
    EXPECT_TRUE(rs["v"].toBytes().isEmpty());
    EXPECT_EQ(rs["t"].toString(), QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    rs = banco.sql(QStringLiteral("Select zeroblob(20000000) as z"));
    EXPECT_EQ(rs["z"].toBytes().size(), 20000000);
}

TEST(Conexao, BloqueioDeOutroProgramaEDiscoCheioTemCausa) {
    BancoTeste banco;
    const auto outro = Connection::Open(kStringConexao);
    auto trava = std::make_unique<Connection::WriteTransaction>(*outro);
    int esperas = 0;
    QElapsedTimer relogio;
    relogio.start();
    try {
        const Connection::BusyWait espera(*conexaoBanco, 300, [&esperas] {
            ++esperas;
            QThread::msleep(10);
        });
        banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
        ADD_FAILURE() << "wrote while another program held the lock";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::Cause::Busy) << e.message().toStdString();
        EXPECT_EQ(e.engineMessage(), QStringLiteral("database is locked"));
    }
    EXPECT_GE(relogio.elapsed(), 300);
    EXPECT_GT(esperas, 5);

    // The lock given back during the wait: the statement goes through.
    {
        const Connection::BusyWait espera(*conexaoBanco, 5000, [&trava] {
            trava.reset();
            QThread::msleep(5);
        });
        banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
    }
    {
        const DiscoCheio cheio;
        try {
            banco.funcionario(QStringLiteral("BIA"), QStringLiteral("2"));
            ADD_FAILURE() << "wrote on a full disk";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.cause(), DatabaseError::Cause::Full) << e.message().toStdString();
        }
    }
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from funcionarios"))["n"].toInteger(), 1);
}
