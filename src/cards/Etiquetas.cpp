#include "Etiquetas.h"

#include "Conexao.h"
#include "Printer.h"

#include <array>

namespace {

struct Coluna {
    double figuraX;
    double textoX;
};

// Twips from the paper's top-left corner.
constexpr std::array<Coluna, 3> kColunas = {{{300, 500}, {4200, 4400}, {8200, 8400}}};
constexpr double kFiguraY = 400;
constexpr double kTextoY = 1400;
constexpr double kAlturaLinha = 1800;
constexpr int kLinhasPorPagina = 9;
constexpr int kLarguraNome = 25;

// The label fonts and the paper's corner as origin for one job; the printer gets its own
// settings back afterwards, so a report printed next is not in label type.
class TrabalhoEtiquetas {
public:
    explicit TrabalhoEtiquetas(Printer& impressora)
        : impressora_(impressora)
        , fonte_(impressora.fontName())
        , tamanho_(impressora.fontSize())
        , negrito_(impressora.fontBold())
        , origem_(impressora.origin()) {
        impressora.setOrigin(Printer::Origin::PaperCorner);
        impressora.setFontName(QStringLiteral("Courier New"));
        impressora.setFontSize(7);
        impressora.setFontBold(true);
    }
    ~TrabalhoEtiquetas() {
        impressora_.setFontName(fonte_);
        impressora_.setFontSize(tamanho_);
        impressora_.setFontBold(negrito_);
        impressora_.setOrigin(origem_);
    }
    TrabalhoEtiquetas(const TrabalhoEtiquetas&) = delete;
    TrabalhoEtiquetas& operator=(const TrabalhoEtiquetas&) = delete;

private:
    Printer& impressora_;
    QString fonte_;
    double tamanho_;
    bool negrito_;
    Printer::Origin origem_;
};

// One cell: the employee shown on the fields, his barcode at the picture point, his name in a
// field of 25 characters at the text point, at 10 points.
void ImprimirCelula(CamposEtiqueta& campos, Printer& impressora, const Recordset& funcionario, double figuraX,
                    double figuraY, double textoX, double textoY) {
    campos.setCodigo(funcionario["registro"].toString());
    const QString nome = funcionario["NOME"].toString();
    campos.setNome(nome);
    campos.redesenhar();
    impressora.paintPicture(campos.figura(), figuraX, figuraY);
    const QString campoNome = nome.left(kLarguraNome).leftJustified(kLarguraNome, QLatin1Char(' '));
    impressora.setCurrentX(textoX);
    impressora.setCurrentY(textoY);
    impressora.setFontSize(10);
    impressora.print(campoNome);
    impressora.setFontSize(7);
}

int ImprimirFolha(CamposEtiqueta& campos, Printer& impressora);

} // namespace

void CamposTexto::setCodigo(const QString& codigo) {
    codigo_ = codigo;
    figura_ = BarCodePicture::ofText(codigo);
}

int A4_4ColunasEtiquetaCodBarW(CamposEtiqueta& campos, Printer& impressora) {
    const TrabalhoEtiquetas trabalho(impressora);
    // A database error halfway drops the half sheet, as the reports drop theirs.
    try {
        return ImprimirFolha(campos, impressora);
    } catch (...) {
        impressora.abortDoc();
        throw;
    }
}

namespace {

int ImprimirFolha(CamposEtiqueta& campos, Printer& impressora) {
    Recordset lista = conexaoBanco->Execute(QStringLiteral("Select * from FUNCIONARIOS  order by codigo"));
    int impressas = 0;
    double linha = 0;
    int linhasNaPagina = 0;
    for (;;) {
        for (const Coluna& coluna : kColunas) {
            if (lista.Eof())
                continue;
            const Recordset funcionario =
                conexaoBanco->Execute(QStringLiteral("Select * from FUNCIONARIOS where codigo = ") +
                                      lista["codigo"].toString() + QStringLiteral(" "));
            if (!funcionario.Eof()) {
                ImprimirCelula(campos, impressora, funcionario, coluna.figuraX, linha + kFiguraY,
                               coluna.textoX, linha + kTextoY);
                ++impressas;
            }
            lista.MoveNext();
        }
        if (lista.Eof())
            break;
        if (++linhasNaPagina < kLinhasPorPagina) {
            linha += kAlturaLinha;
        } else {
            // The next row is the top of a new page; no page is started for a list at its end.
            impressora.newPage();
            linha = 0;
            linhasNaPagina = 0;
        }
    }
    impressora.endDoc();
    return impressas;
}

} // namespace

bool UnicaEtiqueta(CamposEtiqueta& campos, Printer& impressora) {
    const TrabalhoEtiquetas trabalho(impressora);
    const QString codigo = campos.codigo().remove(QLatin1Char('\''));
    campos.setCodigo(codigo);
    const Recordset funcionario = conexaoBanco->Execute(
        QStringLiteral("Select * from FUNCIONARIOS  where registro= '") + codigo + QStringLiteral("' "));
    const bool achado = !funcionario.Eof();
    if (achado) {
        const Coluna& primeira = kColunas.front();
        ImprimirCelula(campos, impressora, funcionario, primeira.figuraX, kFiguraY, primeira.textoX, kTextoY);
    }
    impressora.endDoc();
    return achado;
}
