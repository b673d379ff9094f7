#pragma once

#include "BarCodePicture.h"

#include <QString>

class Printer;

// The fields the card labels are printed through: on the barcode form its code field
// (DataToEncodeText), name field (txtdescricao) and barcode (BarCode1), which show each
// employee as his label prints; on the command line plain texts.
class CamposEtiqueta {
public:
    virtual ~CamposEtiqueta() = default;

    virtual QString codigo() const = 0;
    // Puts the text into the code field; the barcode follows it at once.
    virtual void setCodigo(const QString& codigo) = 0;
    virtual void setNome(const QString& nome) = 0;
    // Shows the fields as they are now, before the next statement runs.
    virtual void redesenhar() {}
    virtual BarCodePicture figura() const = 0;
};

// The fields without a screen.
class CamposTexto : public CamposEtiqueta {
public:
    QString codigo() const override { return codigo_; }
    void setCodigo(const QString& codigo) override;
    QString nome() const { return nome_; }
    void setNome(const QString& nome) override { nome_ = nome; }
    BarCodePicture figura() const override { return figura_; }

private:
    QString codigo_;
    QString nome_;
    BarCodePicture figura_;
};

// The sheet of every employee's label, in ascending codigo: three columns and nine rows to an
// A4 page, one print job with a page break after each full page. Returns the labels printed.
int A4_4ColunasEtiquetaCodBarW(CamposEtiqueta& campos, Printer& impressora);

// One label, in the sheet's first cell, for the card code in the code field (less its
// apostrophes). The document is ended whether or not an employee has that code; with nobody,
// nothing is printed. Returns whether an employee was found.
bool UnicaEtiqueta(CamposEtiqueta& campos, Printer& impressora);
