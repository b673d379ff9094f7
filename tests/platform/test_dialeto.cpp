#include "BancoTeste.h"
#include "Clock.h"
#include "DatabaseError.h"

#include <gtest/gtest.h>

namespace {

// Rows: fields by blanks (texts quoted, "nulo" for null), rows by " | "; nullptr for a refused statement.
struct CasoDialeto {
    const char* access;
    const char* resposta;
    const char* sqlite = nullptr; // its text in SQLite's dialect, where compared
};

// Run in order on one database: the writes make the rows the reads after them find.
const CasoDialeto kCasos[] = {
    {"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('05/12/2026','8:02:10', "
     "'E', 7, 'M' )",
     "",
     "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('2026-12-05','08:02:10', "
     "'E', 7, 'M' )"},
    {"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('12/05/2026','17:00:00', "
     "'S', 7, 'M' )",
     ""},
    {"Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('05/12/2026','17:30:00', "
     "'S', 7, 'M' )",
     ""},
    // Dates are stored day-first, found by month-first literals and sorted as dates.
    {"Select data, hora, funcionario from movimentacao where data = #12-05-2026# order by hora",
     "05/12/2026 08:02:10 7 | 05/12/2026 17:30:00 7"},
    {"SELECT  data FROM MOVIMENTACAO  WHERE Funcionario = 7 order by data, hora asc ",
     "12/05/2026 | 05/12/2026 | 05/12/2026"},
    {"SELECT  min(hora) as h FROM MOVIMENTACAO  WHERE Funcionario = 7 and data= #12-05-2026# and "
     "entradaSaida= 'S' AND HORA >= #08:00:00# ",
     "17:30:00"},
    {"select hora from movimentacao where data>= #12-05-2026# and data<= #01-31-2027# order by hora",
     "08:02:10 | 17:30:00",
     "select hora from movimentacao where data>= '2026-12-05' and data<= '2027-01-31' order by hora"},
    {"select hora from movimentacao where HORA >= #7:05:00# and hora <= #08:05:00#", "08:02:10",
     "select hora from movimentacao where HORA >= '07:05:00' and hora <= '08:05:00'"},
    {"select * from movimentacao where data = #13-01-2026#", nullptr},
    {"select * from movimentacao where data = #12-05-2026", nullptr},
    // String constants are never touched.
    {"select * from funcionarios where nome = 'top 1 #12-05-2026# d''Ávila'", "",
     "select * from funcionarios where nome = 'top 1 #12-05-2026# d''Ávila'"},
    {"select \"a'b\" as x", "'a'b'", "select 'a''b' as x"},
    {"Select top 1 codigo from movimentacao where  funcionario  = 7", "1",
     "Select codigo from movimentacao where  funcionario  = 7 LIMIT 1"},
    {"SELECT DISTINCT TOP 3 nome FROM funcionarios ORDER BY nome ;", "'ÁLVARO' | 'ana' | 'Beatriz'",
     "SELECT DISTINCT nome FROM funcionarios ORDER BY nome LIMIT 3 ;"},
    {"select top from (select 5 as top) as t", "5", "select top from (select 5 as top) as t"},
    // Aggregates over no rows.
    {"Select max(codigo) as s from movimentacao where  funcionario  = 9", "nulo"},
    {"Select count(EntradaSaida) as s from movimentacao where funcionario = 9", "0"},
    {"Select top 1 codigo from movimentacao where  funcionario  = 9", ""},
    // Names sort and compare without regard to case or accents.
    {"select nome from FUNCIONARIOS where NOME like 'MA%'", "'maria da silva'"},
    {"select nome from funcionarios where registro = 'abc'", "'maria da silva'"},
    // A number compared with a text column compares as its text, a text with a number column as
    // the number it reads as.
    {"select count(*) as n from funcionarios where registro = 1", "8"},
    {"select count(*) as n from movimentacao where funcionario = '7'", "3"},
    {"select count(*) as n from movimentacao where funcionario = 'sete'", "0"},
    {"Select NOME from funcionarios ORDER BY NOME ASC",
     "'ÁLVARO' | 'ana' | 'Beatriz' | 'CAIO' | 'Cássio' | 'EDSON' | 'Érica' | 'maria da silva' | 'Zeca'"},
    {"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'e%'   ORDER BY NOME", "5 'EDSON' | 2 'Érica'"},
    {"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'ERI%'   ORDER BY NOME", "2 'Érica'"},
    {"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'Á%'   ORDER BY NOME", "4 'ÁLVARO' | 3 'ana'"},
    {"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'cas%'   ORDER BY NOME", "7 'Cássio'"},
    {"Select CODIGO,NOME from FUNCIONARIOS where NOME like 'C_I%'   ORDER BY NOME", "8 'CAIO'"},
    // Texts written into date, time and number columns are converted; others are refused.
    {"update   MOVIMENTACAO set periodo= 'T', data = '1/2/2026', HORA = '13:00:00'   WHERE CODIGO = 3 ", "",
     "update   MOVIMENTACAO set periodo= 'T', data = '2026-02-01', HORA = '13:00:00'   WHERE CODIGO = 3 "},
    {"select data, hora, periodo from movimentacao where codigo = 3", "01/02/2026 13:00:00 'T'"},
    {"UPDATE FUNCIONARIOS SET nome = '12,50', VALORHORA = '1.234,50' WHERE codigo = 1", "",
     "UPDATE FUNCIONARIOS SET nome = '12,50', VALORHORA = 1234.50 WHERE codigo = 1"},
    {"INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', '')", "",
     "INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', NULL)"},
    {"INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', '12.5')", "",
     "INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', 12.5)"},
    {"select nome, VALORHORA from funcionarios where codigo = 1 or nome = 'x' order by codigo",
     "'12,50' 1234,5 | 'x' nulo | 'x' 12,5"},
    {"Insert into movimentacao(data) values('31/02/2026')", nullptr},
    {"Insert into movimentacao(hora) values('__:__:__')", nullptr},
    {"INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', 'doze')", nullptr},
    {"Selec * from funcionarios", nullptr},
    {"Select * from funcionarios where nada = 1", nullptr},
    // Codes grow and are never given again; the columns keep what the screens write.
    {"Delete From  MOVIMENTACAO  WHERE CODIGO = 3", ""},
    {"Insert into movimentacao(data) values('01/12/2026')", ""},
    {"Select max(codigo) as s from movimentacao", "4"},
    {"INSERT INTO FUNCIONARIOS(nome, registro, Aniversario, VALORHORA) VALUES('A', '1', '__/__/____', '')",
     ""},
    {"INSERT INTO FUNCIONARIOS(nome, registro, Aniversario, VALORHORA) VALUES('B', '2', '05/12/1980', "
     "'12,50')",
     ""},
    {"Select Aniversario, VALORHORA from FUNCIONARIOS where nome = 'A' or nome = 'B' order by codigo",
     "'__/__/____' nulo | '05/12/1980' 12,5"},
    // Compared literals of every kind, on a server sent as parameters of the literal's own type.
    {"UPDATE FUNCIONARIOS SET registro = 'D''Á' WHERE nome = 'B'", ""},
    {"select VALORHORA from funcionarios where registro = 'D''Á' and VALORHORA >= 12.5 and codigo < "
     "3000000000",
     "12,5"},
    {"INSERT INTO horarios(registro, DiaSemana, CODHORA, nome, tele, endereco, cidade, totalhoras) "
     "VALUES('001', 'SABADO', '7', '08:00:00', '12:00:00', '__:__:__', '__:__:__', '04:00:00')",
     ""},
    {"Select nome, endereco from horarios where registro = '001'  and CodHora = '7'  ",
     "'08:00:00' '__:__:__'"},
    // The agreed-hours table as the program creates it (a server has it already); employee 7
    // compares as text.
    {"DROP TABLE IF EXISTS HoraCombinada", ""},
    {"CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT (5), "
     "data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5))",
     ""},
    {"INSERT INTO HoraCombinada(codigo, funcionario, data) VALUES(1, '7', '05/12/2026')", ""},
    {"select combinado,data,horas,obs from HoraCombinada where funcionario='7'",
     "nulo '05/12/2026' nulo nulo"},
};

QString Linhas(const Recordset& rs) {
    QStringList linhas;
    for (int i = 0; i < rs.rowCount(); ++i) {
        QStringList campos;
        for (const Variant& v : rs.row(i)) {
            campos << (v.isNull()                        ? u"nulo"_s
                       : v.type() == Variant::Type::Text ? u"'%1'"_s.arg(v.toString())
                                                         : v.toString());
        }
        linhas << campos.join(u' ');
    }
    return linhas.join(u" | "_s);
}

// For any connection whose file has the employees of the scenario below.
void ExecutarCasos(Connection& conexao) {
    for (const CasoDialeto& caso : kCasos) {
        SCOPED_TRACE(caso.access);
        const QString access = QString::fromUtf8(caso.access);
        if (!caso.resposta)
            EXPECT_THROW(conexao.Execute(access), DatabaseError);
        else
            EXPECT_EQ(Linhas(conexao.Execute(access)), QString::fromUtf8(caso.resposta));
    }
}

QList<ColumnInfo> Colunas(const QString& tabela) {
    if (tabela.compare(u"movimentacao"_s, Qt::CaseInsensitive) == 0)
        return {{u"codigo"_s, ColumnKind::Number},      {u"data"_s, ColumnKind::Date},
                {u"hora"_s, ColumnKind::Time},          {u"EntradaSaida"_s, ColumnKind::Text},
                {u"funcionario"_s, ColumnKind::Number}, {u"periodo"_s, ColumnKind::Text}};
    if (tabela.compare(u"funcionarios"_s, Qt::CaseInsensitive) == 0)
        return {{u"nome"_s, ColumnKind::Text}, {u"VALORHORA"_s, ColumnKind::Number}};
    return {};
}

} // namespace

TEST(Dialeto, InstrucoesDoAccess) {
    BancoTeste banco(u"nomes"_s, [](BancoTeste& b) {
        for (const char* nome : {"Zeca", "Érica", "ana", "ÁLVARO", "EDSON", "Beatriz", "Cássio", "CAIO"})
            b.funcionario(QString::fromUtf8(nome), u"1"_s);
        b.funcionario(u"maria da silva"_s, u"ABC"_s);
    });
    for (const CasoDialeto& caso : kCasos) {
        if (caso.sqlite) {
            EXPECT_EQ(translateAccessSql(QString::fromUtf8(caso.access), Colunas),
                      QString::fromUtf8(caso.sqlite));
        }
    }
    ExecutarCasos(*conexaoBanco);
    // A failed statement inside a transaction fails alone: screens that skip its error go on.
    {
        Connection::WriteTransaction transacao(*conexaoBanco);
        banco.sql(u"Insert into movimentacao(data) values('02/12/2026')"_s);
        try {
            banco.sql(u"Select * from naoexiste"_s);
            ADD_FAILURE() << "ran";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.cause(), DatabaseError::Cause::Other);
            EXPECT_TRUE(e.message().startsWith(u"O banco de dados não executou a instrução.\n"_s) &&
                        e.message().endsWith(u"\n(instrução: Select * from naoexiste)"_s));
        }
        banco.sql(u"Insert into movimentacao(data) values('03/12/2026')"_s);
        transacao.Commit();
    }
    // A report's snapshot reads what was committed when it began, whatever commits meanwhile.
    const QString contar = u"Select count(*) as n from movimentacao"_s;
    qint64 antes = 0;
    {
        const auto outro = Connection::Open(kStringConexao);
        const Connection::ReadSnapshot leitura(*conexaoBanco);
        antes = banco.sql(contar)[u"n"_s].toInteger();
        outro->Execute(u"Insert into movimentacao(data) values('04/12/2026')"_s);
        EXPECT_EQ(banco.sql(contar)[u"n"_s].toInteger(), antes);
        // A statement whose answer changes by itself is asked again.
        EXPECT_NE(Linhas(banco.sql(u"Select random() as r"_s)), Linhas(banco.sql(u"Select random() as r"_s)));
    }
    {
        const Connection::ReadSnapshot leitura(*conexaoBanco);
        EXPECT_EQ(banco.sql(contar)[u"n"_s].toInteger(), antes + 1);
    }
    // Only the punch sent from outside the program is in the record of hand changes.
    EXPECT_EQ(Linhas(banco.sql(u"Select operacao, origem from auditoria_movimentacao"_s)),
              u"'LANCADO' 'fora do programa'"_s);
    EXPECT_EQ(Linhas(banco.sql(u"select data from movimentacao where data >= #12-02-2026# order by data"_s)),
              u"02/12/2026 | 03/12/2026 | 04/12/2026 | 05/12/2026"_s);
    // A connection the server dropped fails as out of reach, and the next statement makes it again.
    if (conexaoBanco->OnServer()) {
        Connection::Open(kStringConexao)
            ->ExecuteNative(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = "
                            u"current_database() AND pid <> pg_backend_pid()"_s);
        try {
            banco.sql(u"Select count(*) as n from feriados"_s);
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.cause(), DatabaseError::Cause::Unreachable);
        }
        EXPECT_EQ(Linhas(banco.sql(u"Select count(*) as n from feriados"_s)), u"0"_s);
        // Every PC keeps the server's time: a clock an hour behind is put right as a connection opens.
        Clock::setOffset(-3600 * 1000);
        AbrirConexao();
        const Recordset servidor = banco.sql(u"SELECT extract(epoch FROM clock_timestamp()) * 1000 AS ms"_s);
        EXPECT_NEAR(Clock::now().toMSecsSinceEpoch(), servidor[u"ms"_s].toReal(), 1000);
    }
    // The name index agrees with the comparison the rows were sorted by.
    EXPECT_EQ(conexaoBanco->IntegrityCheck(), QStringList());
}
