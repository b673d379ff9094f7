#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// Reads printed barcodes back as a scanner would, with zxing-cpp's reader.

struct CodigoLido {
    QString texto;
    QRect posicao; // in the image's pixels
};

// The Code 128 symbol of the image (the first found); an empty text when none reads.
CodigoLido LerCodigo(const QImage& imagem);
// The symbol in the region of the image; an empty text when none reads there.
QString LerCodigoEm(const QImage& imagem, const QRect& regiao);

// The pages of a PDF file as images at the given dots per inch (pdftoppm).
QList<QImage> PaginasPdf(const QString& arquivo, int dpi);
// A Windows metafile drawn by libwmf (wmf2gd), as an image; a null image when it fails.
QImage DesenharWmf(const QString& arquivo);
