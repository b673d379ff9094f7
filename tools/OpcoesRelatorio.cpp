#include "OpcoesRelatorio.h"

#include "HorasAritmetica.h"
#include "QtPrinter.h"
#include "SaidaRelatorio.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

DestinoImpressao::DestinoImpressao(const Opcoes& opcoes) {
    const bool pdf = opcoes.tem(QStringLiteral("--pdf"));
    const bool fila = opcoes.tem(QStringLiteral("--impressora"));
    if (pdf && fila)
        throw ErroUso{QStringLiteral("use --pdf ou --impressora, não os dois")};
    if (pdf) {
        const QFileInfo arquivo(opcoes.valor(QStringLiteral("--pdf")));
        if (!arquivo.absoluteDir().exists())
            throw ErroExecucao{QStringLiteral("a pasta %1 não existe").arg(arquivo.absolutePath())};
        if (arquivo.isDir())
            throw ErroExecucao{QStringLiteral("%1 é uma pasta").arg(arquivo.filePath())};
        impressora_ = std::make_unique<QtPrinter>(arquivo.absoluteFilePath());
    } else if (fila) {
        impressora_ = std::make_unique<QtPrinter>(QtPrinter::Destination::SystemDefault,
                                                  opcoes.valor(QStringLiteral("--impressora")));
        impressora_->collectDocuments();
    }
}

DestinoImpressao::~DestinoImpressao() {
    // A run stopped by a message or an error leaves no file and sends no job of half the cards.
    if (impressora_ && !concluido_)
        impressora_->discardFile();
}

Printer* DestinoImpressao::impressora() const {
    return impressora_.get();
}

bool DestinoImpressao::falhou() const {
    return impressora_ && !impressora_->lastError().isEmpty();
}

int DestinoImpressao::concluir() {
    concluido_ = true;
    if (!impressora_)
        return kSaidaSucesso;
    if (!impressora_->closeFile()) {
        const QString motivo = impressora_->lastError();
        if (motivo.isEmpty())
            return kSaidaSucesso; // nothing was printed at all
        throw ErroExecucao{motivo};
    }
    if (const QString aviso = impressora_->lastDocumentNotice(); !aviso.isEmpty())
        throw ErroExecucao{aviso};
    return kSaidaSucesso;
}

QList<FuncionarioRelatorio> FuncionariosEscolhidos(const Opcoes& opcoes, bool aceitaTodos) {
    const bool todos = aceitaTodos && opcoes.tem(QStringLiteral("--todos"));
    const bool porCodigo = opcoes.tem(QStringLiteral("--funcionario"));
    const bool porCartao = opcoes.tem(QStringLiteral("--cartao"));
    if (int(todos) + int(porCodigo) + int(porCartao) != 1)
        throw ErroUso{aceitaTodos ? QStringLiteral("escolha um de --funcionario, --cartao e --todos")
                                  : QStringLiteral("escolha um de --funcionario e --cartao")};
    if (todos)
        return FuncionariosPorNome();
    const QString valor =
        opcoes.valor(porCodigo ? QStringLiteral("--funcionario") : QStringLiteral("--cartao"));
    // A code that is no number gets the report's own message.
    if (porCodigo && !EhNumeroInteiro(valor))
        return {FuncionarioRelatorio{valor, {}}};
    if (const auto achado = porCodigo ? FuncionarioPorCodigo(valor) : FuncionarioPorCartao(valor))
        return {*achado};
    throw ErroExecucao{QStringLiteral("Funcionário não encontrado")};
}

PeriodoEscolhido LerPeriodo(const Opcoes& opcoes) {
    PeriodoEscolhido periodo{opcoes.obrigatorio(QStringLiteral("--de")),
                             opcoes.obrigatorio(QStringLiteral("--ate"))};
    const QDate de = LerDataRelatorio(periodo.de);
    const QDate ate = LerDataRelatorio(periodo.ate);
    if (de.isValid() && ate.isValid() && ate < de)
        throw ErroExecucao{
            QStringLiteral("o período termina (%1) antes de começar (%2)").arg(periodo.ate, periodo.de)};
    return periodo;
}
