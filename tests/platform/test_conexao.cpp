#include "BancoTeste.h"
#include "DatabaseError.h"
#include "Esquema.h"
#include "PtBrText.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class Conexao : public ::testing::Test {
protected:
    BancoTeste banco{u"ana e bia"_s, [](BancoTeste& b) {
                         b.funcionario(u"ANA"_s, u"1"_s);
                         b.funcionario(u"BIA"_s, u"2"_s);
                     }};
    const QString todos = u"Select * from funcionarios ORDER BY NOME ASC"_s;
};

// The error a call fails with; one of cause Other named "nenhum" when it does not fail.
template <typename F> DatabaseError Falha(F chamada) {
    try {
        chamada();
    } catch (const DatabaseError& e) {
        return e;
    }
    return DatabaseError(u"nenhum"_s);
}

DatabaseError ErroAoAbrir(const QString& arquivoESenha,
                          Connection::OpenMode modo = Connection::OpenMode::ReadWrite) {
    return Falha([&] { Connection::Open(u"Dbq=C:\\PONTO\\%1;"_s.arg(arquivoESenha), modo); });
}

} // namespace

// A result outlives its connection and its rows; a repeated statement sees what changed since.
TEST_F(Conexao, ResultadoEstaticoEInstrucoesRepetidasVeemOsDadosNovos) {
    Recordset rs = banco.sql(todos);
    AbrirConexao();
    banco.sql(u"Delete from FUNCIONARIOS where codigo = 2"_s);
    EXPECT_EQ(banco.sql(todos).rowCount(), 1);
    banco.funcionario(u"CIA"_s, u"3"_s);
    EXPECT_EQ(banco.sql(todos).rowCount(), 2);
    // What the program was doing in Portuguese, then the engine's own message; nothing stays locked.
    const QString erro = Falha([&] { banco.sql(u"Select * from naoexiste"_s); }).message();
    EXPECT_TRUE(erro.startsWith(u"O banco de dados não executou a instrução.\n"_s)) << erro.toStdString();
    EXPECT_TRUE(erro.contains(u"no such table: naoexiste"_s)) << erro.toStdString();
    EXPECT_NO_THROW(banco.funcionario(u"DORA"_s, u"4"_s));
    const auto leitor = Connection::Open(kStringConexao, Connection::OpenMode::ReadOnly);
    EXPECT_EQ(Falha([&] { leitor->Execute(u"Delete from funcionarios"_s); }).cause(),
              DatabaseError::Cause::ReadOnly);
    conexaoBanco.reset();
    EXPECT_EQ(rs["nome"].toString(), u"ANA"_s);
    rs.MoveNext();
    EXPECT_EQ(rs["nome"].toString(), u"BIA"_s);
    rs.MovePrevious();
    EXPECT_EQ(rs["nome"].toString(), u"ANA"_s);
    EXPECT_THROW(rs["naoexiste"], DatabaseError);
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.MoveNext(), DatabaseError);
    rs = leitor->Execute(u"Select zeroblob(20000000) as z, zeroblob(0) as v, 'a' || char(0) || 'b' as t"_s);
    EXPECT_EQ(rs["z"].toBytes(), QByteArray(20000000, '\0'));
    EXPECT_TRUE(rs["v"].toBytes().isEmpty());
    EXPECT_EQ(rs["t"].toString(), u"a"_s + QChar(0) + u"b"_s);
}

TEST(ConexaoAbertura, RecusasNomeiamOsDoisCaminhosENuncaCriamUmBanco) {
    BancoTeste banco;
    for (const auto& [caminho, modo] : {std::pair{banco.raiz() + u"/C"_s, 0700u},
                                        {banco.raiz() + u"/C/PONTO"_s, 0700u},
                                        {banco.caminhoArquivo(), 0600u}}) {
        struct stat s {};
        EXPECT_TRUE(::stat(QFile::encodeName(caminho).constData(), &s) == 0 && (s.st_mode & 07777) == modo);
    }
    const QString pasta = banco.raiz() + u"/C/PONTO/"_s;
    QFile lixo(pasta + u"lixo.mdb"_s);
    ASSERT_TRUE(lixo.open(QIODevice::WriteOnly) && lixo.write(QByteArray(8192, 'x')) == 8192);
    ASSERT_TRUE(QFile(pasta + u"vazio.mdb"_s).open(QIODevice::WriteOnly));
    Connection::Create(u"Dbq=C:\\PONTO\\semtabelas.mdb;Pwd=QWZRTLK;"_s).reset();
    const std::pair<QString, QStringList> casos[] = {
        {u"outro.mdb;Pwd=QWZRTLK"_s,
         {u"velto-banco criar"_s, u"C:\\PONTO\\outro.mdb"_s, pasta + u"outro.mdb"_s}},
        {u"ponto.mdb;Pwd=ERRADA"_s, {u"senha"_s, banco.caminhoArquivo()}},
        {u"lixo.mdb;Pwd=QWZRTLK"_s, {u"não é um banco de dados"_s}},
        {u"semtabelas.mdb;Pwd=QWZRTLK"_s, {u"tabelas"_s}},
        {u"vazio.mdb;Pwd=QWZRTLK"_s, {u"0 bytes"_s, u"C:\\PONTO\\vazio.mdb"_s, pasta + u"vazio.mdb"_s}},
    };
    for (const auto& [arquivo, trechos] : casos) {
        // The reader's way for the last one; the terminal's test opens an empty file for writing.
        const QString mensagem =
            ErroAoAbrir(arquivo, arquivo.startsWith(u"vazio"_s) ? Connection::OpenMode::ReadOnly
                                                                : Connection::OpenMode::ReadWrite)
                .message();
        for (const QString& trecho : trechos)
            EXPECT_TRUE(mensagem.contains(trecho)) << mensagem.toStdString();
    }
    EXPECT_EQ(ErroAoAbrir(u"outro.mdb;Pwd=QWZRTLK"_s).cause(), DatabaseError::Cause::FileMissing);
    EXPECT_FALSE(QFile::exists(pasta + u"outro.mdb"_s)) << "opening must not create";
    // A file whose creation fails half-way (here, its first rows) leaves nothing.
    EXPECT_THROW(CriarBanco(u"Dbq=C:\\PONTO\\falho.mdb;Pwd=QWZRTLK;"_s, u"x"_s,
                            [](Connection& c) {
                                c.Execute(u"INSERT INTO funcionarios(nome) VALUES('A')"_s);
                                c.Execute(u"Insert into movimentacao(data) values('31/02/2026')"_s);
                            }),
                 DatabaseError);
    for (const char* sufixo : {"", "-wal", "-shm"})
        EXPECT_FALSE(QFile::exists(pasta + u"falho.mdb"_s + QLatin1String(sufixo))) << sufixo;
}

TEST(TextoPtBr, LikeSemCaixaNemAcentoEmTempoProporcional) {
    const char* casam[][2] = {{"100%", "100\\%"}, {"a_b", "a\\_b"},
                              {"ab\\", "ab\\"},   {"Érica", "%RI_A"},
                              {"abc", "a%%c"},    {"abc", "a_%_"},
                              {"", "%"},          {"abcb", "%b"},
                              {"João", "jo_o"},   {"mississippi", "%ss%ipp%"}};
    const char* naoCasam[][2] = {{"1000", "100\\%"}, {"axb", "a\\_b"}, {"ab", "a_%_"},
                                 {"", "_"},          {"abc", "%b"},    {"mississippi", "m%sis%sis%"}};
    for (const auto& [valor, padrao] : casam)
        EXPECT_TRUE(likePtBr(QString::fromUtf8(valor), QString::fromUtf8(padrao), u'\\'))
            << valor << " like " << padrao;
    for (const auto& [valor, padrao] : naoCasam)
        EXPECT_FALSE(likePtBr(QString::fromUtf8(valor), QString::fromUtf8(padrao), u'\\'))
            << valor << " like " << padrao;
    // Many wildcards before a letter the name lacks: an answer at all (the naive way takes ages).
    EXPECT_FALSE(likePtBr(QString(255, u'a'), u"%_"_s.repeated(20) + u'z'));
}
