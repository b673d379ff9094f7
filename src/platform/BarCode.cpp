#include "BarCode.h"

#include <QPainter>
#include <QSaveFile>

#include <algorithm>

BarCode::BarCode(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarCode::setDataToEncode(const QString& text) {
    data_ = text;
    picture_ = BarCodePicture::ofText(text);
    // Painted before the next event is handled: a text changed while labels print shows at once.
    update();
    emit redrawn();
}

bool BarCode::SaveToFile(const QString& fileName) const {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(picture_.toWmf());
    return file.commit();
}

QSize BarCode::sizeHint() const {
    // About 4400 x 1200 twips on a screen of 96 dots per inch.
    return {300, 84};
}

void BarCode::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Whole dots per module keep every bar and space its true width on the screen.
    const BarCodePicture& p = picture_;
    const int perModule = std::max(1, width() / p.modules());
    const double scale = perModule / BarCodePicture::kModule;
    QSizeF shown = p.size() * scale;
    if (shown.height() > height())
        shown.setHeight(height());
    const QPointF corner((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    p.draw(painter, QRectF(corner, shown));
}
