#include "LinhaComando.h"

#include "Console.h"
#include "DatabaseError.h"

#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

Opcoes::Opcoes(const QStringList& args, const QStringList& comValor, const QStringList& semValor,
               const QStringList& valorOpcional) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString nome = args.at(i);
        if (!nome.startsWith(QLatin1String("--")) || nome == QLatin1String("--")) {
            posicionais_.append(nome);
            continue;
        }
        QString valor;
        bool temValor = false;
        if (const qsizetype igual = nome.indexOf(QLatin1Char('=')); igual > 0) {
            valor = nome.mid(igual + 1);
            nome.truncate(igual);
            temValor = true;
        }
        const bool exige = comValor.contains(nome);
        const bool aceita = exige || valorOpcional.contains(nome);
        if (!aceita && !semValor.contains(nome))
            throw ErroUso{QStringLiteral("opção desconhecida: %1").arg(nome)};
        if (temValor && !aceita)
            throw ErroUso{QStringLiteral("a opção %1 não leva valor").arg(nome)};
        if (presentes_.contains(nome))
            throw ErroUso{QStringLiteral("a opção %1 foi dada duas vezes").arg(nome)};
        const bool seguinteEhValor = i + 1 < args.size() && (exige || !args.at(i + 1).startsWith(u'-') ||
                                                             args.at(i + 1) == QLatin1String("-"));
        if (aceita && !temValor && seguinteEhValor) {
            valor = args.at(++i);
            temValor = true;
        }
        if (exige && (!temValor || valor.isEmpty()))
            throw ErroUso{QStringLiteral("falta o valor da opção %1").arg(nome)};
        presentes_.insert(nome);
        if (temValor)
            valores_.append({nome, valor});
    }
}

QString Opcoes::valor(const QString& nome) const {
    for (const auto& [n, v] : valores_)
        if (n == nome)
            return v;
    return {};
}

QString Opcoes::obrigatorio(const QString& nome) const {
    if (!tem(nome))
        throw ErroUso{QStringLiteral("falta a opção %1").arg(nome)};
    return valor(nome);
}

void Opcoes::limitarPosicionais(qsizetype maximo) const {
    if (posicionais_.size() > maximo)
        throw ErroUso{QStringLiteral("argumento inesperado: %1").arg(posicionais_.at(maximo))};
}

namespace {

// Turns the terminal's echo off while it lives.
class SemEco {
public:
    SemEco() {
        ativo_ = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &antes_) == 0;
        if (!ativo_)
            return;
        termios sem = antes_;
        sem.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &sem);
    }
    ~SemEco() {
        if (ativo_)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &antes_);
    }
    SemEco(const SemEco&) = delete;
    SemEco& operator=(const SemEco&) = delete;
    bool ativo() const { return ativo_; }

private:
    termios antes_{};
    bool ativo_ = false;
};

} // namespace

QString LerSenha(const QString& valor) {
    if (valor != QLatin1String("-"))
        return valor;
    QString linha;
    {
        const SemEco semEco;
        if (semEco.ativo()) {
            erro() << "Senha: ";
            erro().flush();
        }
        QTextStream entrada(stdin);
        linha = entrada.readLine();
        if (semEco.ativo()) {
            erro() << '\n';
            erro().flush();
        }
    }
    if (linha.endsWith(QLatin1Char('\r')))
        linha.chop(1);
    if (linha.isEmpty())
        throw ErroExecucao{QStringLiteral("nenhuma senha na entrada padrão")};
    return linha;
}

namespace {

QString TextoDeUso(const char* ferramenta, const char* descricao, const QList<Subcomando>& subcomandos) {
    QString texto = QString::fromUtf8(descricao) + QStringLiteral("\n\nUso:\n");
    for (const Subcomando& s : subcomandos)
        texto += QString::fromUtf8(s.uso);
    texto += QStringLiteral("  %1 --help | --version\n").arg(QLatin1String(ferramenta));
    return texto;
}

// Qt speaks only when something is wrong with the toolkit itself; a tool's user has nothing to
// do with that, and scripts read standard error.
void SemAvisosDoQt(QtMsgType tipo, const QMessageLogContext&, const QString& mensagem) {
    if (tipo == QtFatalMsg) {
        std::fputs(mensagem.toLocal8Bit().constData(), stderr);
        std::abort();
    }
}

int MostrarVersao(const char* ferramenta) {
    saida() << ferramenta << ' ' << VELTO_VERSION << '\n';
    saida().flush();
    return kSaidaSucesso;
}

} // namespace

int UsoErrado(const char* ferramenta, const QString& mensagem) {
    saida().flush();
    erro() << ferramenta << ": " << mensagem << "\nUse \"" << ferramenta << " --help\" para ver as opções.\n";
    erro().flush();
    return kSaidaUso;
}

int LinhaDoPrograma(const char* programa, const char* uso, const QStringList& proprias, int argc,
                    char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    try {
        const Opcoes opcoes(args, {},
                            proprias + QStringList{QStringLiteral("--help"), QStringLiteral("--version")});
        if (opcoes.tem(QStringLiteral("--help"))) {
            saida() << QString::fromUtf8(uso);
            saida().flush();
            return kSaidaSucesso;
        }
        return opcoes.tem(QStringLiteral("--version")) ? MostrarVersao(programa) : -1;
    } catch (const ErroUso& e) {
        return UsoErrado(programa, e.mensagem);
    }
}

int ExecutarFerramenta(const char* ferramenta, const char* descricao, const QList<Subcomando>& subcomandos,
                       const QStringList& args) {
    SilenciarAvisosDoQt();
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        saida() << TextoDeUso(ferramenta, descricao, subcomandos);
        saida().flush();
        return kSaidaSucesso;
    }
    if (args.contains(QLatin1String("--version")))
        return MostrarVersao(ferramenta);
    if (args.isEmpty())
        return UsoErrado(ferramenta, QStringLiteral("falta o comando"));
    for (const Subcomando& s : subcomandos) {
        if (args.first() != QLatin1String(s.nome))
            continue;
        try {
            const int status = s.executar(args.mid(1));
            saida().flush();
            erro().flush();
            return status;
        } catch (const ErroUso& e) {
            return UsoErrado(ferramenta, e.mensagem);
        } catch (const ErroExecucao& e) {
            return Falhar(ferramenta, e.mensagem);
        } catch (const DatabaseError& e) {
            return Falhar(ferramenta, e.message());
        } catch (const std::overflow_error& e) {
            return Falhar(ferramenta, QString::fromLocal8Bit(e.what()));
        }
    }
    return UsoErrado(ferramenta, QStringLiteral("comando desconhecido: %1").arg(args.first()));
}

void SilenciarAvisosDoQt() {
    qInstallMessageHandler(SemAvisosDoQt);
}

bool ArgumentoPresente(int argc, char** argv, const char* opcao) {
    const std::size_t n = std::strlen(opcao);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], opcao, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '='))
            return true;
    return false;
}
