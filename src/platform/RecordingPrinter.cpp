#include "RecordingPrinter.h"

#include "BarCodePicture.h"

QStringList RecordingPrinter::lines() const {
    QStringList out;
    for (const PrintedItem& item : items_) {
        if (item.kind == PrintedItem::Kind::Text)
            out << item.text;
    }
    return out;
}

QList<PrintedItem> RecordingPrinter::items(PrintedItem::Kind kind) const {
    QList<PrintedItem> out;
    for (const PrintedItem& item : items_) {
        if (item.kind == kind)
            out << item;
    }
    return out;
}

void RecordingPrinter::drawText(const QString& text, double x, double y) {
    items_.append(
        PrintedItem{PrintedItem::Kind::Text, text, fontName(), fontSize(), fontBold(), x, y, 0, 0, page_});
}

void RecordingPrinter::drawPicture(const QImage& picture, double x, double y, double width, double height) {
    Q_UNUSED(picture);
    items_.append(PrintedItem{
        PrintedItem::Kind::Picture, {}, fontName(), fontSize(), fontBold(), x, y, width, height, page_});
}

void RecordingPrinter::drawBarCode(const BarCodePicture& picture, double x, double y) {
    items_.append(PrintedItem{PrintedItem::Kind::BarCode, picture.text(), fontName(), fontSize(), fontBold(),
                              x, y, picture.size().width(), picture.size().height(), page_});
}

void RecordingPrinter::startPage() {
    if (page_ == 1)
        documentStart_ = items_.size();
    if (page_ > 1)
        items_.append(PrintedItem{PrintedItem::Kind::NewPage, {}, {}, 0, false, 0, 0, 0, 0, page_});
}

void RecordingPrinter::discardDocument() {
    documentStart_ = -1;
    items_.append(PrintedItem{PrintedItem::Kind::Abort, {}, {}, 0, false, 0, 0, 0, 0, page_});
}

void RecordingPrinter::dropEmptyDocument() {
    if (documentStart_ >= 0)
        items_.remove(documentStart_, items_.size() - documentStart_);
    documentStart_ = -1;
}

void RecordingPrinter::finishDocument() {
    documentStart_ = -1;
    ++documents_;
    items_.append(PrintedItem{PrintedItem::Kind::EndDoc, {}, {}, 0, false, 0, 0, 0, 0, page_});
}
