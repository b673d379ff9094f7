#include "Printer.h"

#include <cmath>

void Printer::ensureDocument() {
    if (documentOpen_)
        return;
    documentOpen_ = true;
    page_ = 1;
    currentX_ = 0;
    currentY_ = 0;
    startPage();
}

void Printer::print(const QString& line) {
    ensureDocument();
    const double height = textHeight();
    if (currentY_ > 0 && currentY_ + height > scaleHeight())
        newPage();
    const double room = scaleWidth() - currentX_;
    const double width = textWidth(line);
    if (width > room && room > 0) {
        const double size = fontSize_;
        fontSize_ = std::floor(size * room / width * 10) / 10;
        drawText(line, currentX_, currentY_);
        fontSize_ = size;
    } else {
        drawText(line, currentX_, currentY_);
    }
    currentX_ = 0;
    currentY_ += height;
}

void Printer::paintPicture(const QImage& picture, double x, double y, double width, double height) {
    ensureDocument();
    drawPicture(picture, x, y, width, height);
}

void Printer::newPage() {
    ensureDocument();
    ++page_;
    currentX_ = 0;
    currentY_ = 0;
    startPage();
}

void Printer::endDoc() {
    if (!documentOpen_)
        return;
    finishDocument();
    documentOpen_ = false;
    page_ = 0;
    currentX_ = 0;
    currentY_ = 0;
}

void Printer::abortDoc() {
    if (!documentOpen_)
        return;
    discardDocument();
    documentOpen_ = false;
    page_ = 0;
    currentX_ = 0;
    currentY_ = 0;
}

void Printer::printForm(const QImage& screen) {
    const bool wasOpen = documentOpen_;
    if (wasOpen)
        endDoc();
    ensureDocument();
    const double inch = 1440.0;
    double width = screen.width() * inch / 96.0;
    double height = screen.height() * inch / 96.0;
    if (width > scaleWidth()) {
        height *= scaleWidth() / width;
        width = scaleWidth();
    }
    drawPicture(screen, 0, 0, width, height);
    endDoc();
}
