#include "Clipboard.h"

#include "BarCodePicture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void Clipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

void Clipboard::SetData(const BarCodePicture& picture) {
    auto* data = new QMimeData;
    const QByteArray wmf = picture.toWmf();
    data->setData(QStringLiteral("image/x-wmf"), wmf);
    data->setData(QStringLiteral("application/x-openoffice-wmf;windows_formatname=\"Image WMF\""), wmf);
    data->setData(QStringLiteral("image/svg+xml"), picture.toSvg());
    // Four dots per module: sharp when pasted at its own size on a screen or a page.
    const QImage image = picture.toImage(4);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}
