#include "LeitorCodigos.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <ZXing/ReadBarcode.h>

CodigoLido LerCodigo(const QImage& imagem) {
    const QImage cinza = imagem.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints dicas;
    dicas.setFormats(ZXing::BarcodeFormat::Code128);
    dicas.setTryHarder(true);
    const ZXing::ImageView vista(cinza.constBits(), cinza.width(), cinza.height(), ZXing::ImageFormat::Lum,
                                 int(cinza.bytesPerLine()));
    // One symbol at a time: the reader of this version can trip over several linear ones at once.
    const ZXing::Result r = ZXing::ReadBarcode(vista, dicas);
    if (!r.isValid())
        return {};
    const auto& p = r.position();
    const QPoint a(p.topLeft().x, p.topLeft().y);
    const QPoint b(p.bottomRight().x, p.bottomRight().y);
    return {QString::fromStdString(r.text()), QRect(a, b).normalized()};
}

QString LerCodigoEm(const QImage& imagem, const QRect& regiao) {
    return LerCodigo(imagem.copy(regiao)).texto;
}

QList<QImage> PaginasPdf(const QString& arquivo, int dpi) {
    QTemporaryDir pasta;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
             arquivo, pasta.filePath(QStringLiteral("p"))});
    QList<QImage> paginas;
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return paginas;
    const QStringList nomes =
        QDir(pasta.path()).entryList({QStringLiteral("p-*.png")}, QDir::Files, QDir::Name);
    for (const QString& nome : nomes)
        paginas.append(QImage(pasta.filePath(nome)));
    return paginas;
}

QImage DesenharWmf(const QString& arquivo) {
    QTemporaryDir pasta;
    const QString png = pasta.filePath(QStringLiteral("wmf.png"));
    QProcess p;
    p.start(QStringLiteral("wmf2gd"),
            {QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("--maxpect"),
             QStringLiteral("--maxwidth=1430"), QStringLiteral("--maxheight=1430"), QStringLiteral("-o"), png,
             arquivo});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(png);
}
