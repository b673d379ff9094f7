#pragma once

#include <QString>
#include <QStringList>

class Printer;

// The on-screen list a report fills when it does not print (List1 of the report screen).
class ListaRelatorio {
public:
    virtual ~ListaRelatorio() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const QString& item) = 0;
};

// A list held as texts: for the command-line tool and for tests.
class ListaTexto : public ListaRelatorio {
public:
    void Clear() override { itens_.clear(); }
    void AddItem(const QString& item) override { itens_.append(item); }
    const QStringList& itens() const { return itens_; }

private:
    QStringList itens_;
};

// Where a report goes: the printer when the print box is ticked, the list otherwise.
struct DestinoRelatorio {
    ListaRelatorio* lista = nullptr;
    Printer* impressora = nullptr;
};

// One report's lines on their way to the printer or to the list. Bold, font and the document
// end only concern the printer; lines meant for paper only are left out of the list.
class SaidaRelatorio {
public:
    // Throws std::invalid_argument when the chosen destination is missing.
    SaidaRelatorio(const DestinoRelatorio& destino, bool imprimir);

    bool imprimindo() const { return impressora_ != nullptr; }
    // Printer: sets the font before the first line. List: clears it.
    void iniciar();
    void linha(const QString& texto);
    void linhaSoImpressa(const QString& texto);
    void linhaSoNaLista(const QString& texto);
    void negrito(bool ligado);
    void terminar();
    // A report stopped by an error: the printer drops what it had.
    void abortar();

private:
    ListaRelatorio* lista_ = nullptr;
    Printer* impressora_ = nullptr;
};

// A fixed-width field: the text cut or padded with blanks on the right.
QString Campo(const QString& texto, int largura);
// Right-aligned in a field of the width; longer texts are not cut.
QString ADireita(const QString& texto, int largura);
QString Brancos(int quantos);

// The 113 "-" rule under the report titles.
QString Regua();

class QDate;

// The report heading shared by the time card and the day reports.
QString LinhaTitulo(const QString& inicio, const QString& fim);
// The employee code as a whole number right-aligned in 4 characters, then the name.
QString LinhaFuncionario(const QString& codigo, const QString& nome);

// A period date as the masked date fields hold it, dd/mm/yyyy; an invalid QDate otherwise.
QDate LerDataRelatorio(const QString& texto);
// The month-first literal of the Access dialect: "#mm-dd-yyyy#".
QString LiteralData(const QDate& data);
