#include "Printer.h"

#include "BarCodePicture.h"

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
    if (!line.trimmed().isEmpty())
        inked_ = true;
    const double height = textHeight();
    if (currentY_ > 0 && currentY_ + height > scaleHeight())
        newPage();
    drawFitted(line);
    currentX_ = 0;
    currentY_ += height;
}

// A line wider than the page keeps its columns and its size: the text after the last gap of
// two or more blanks before the edge (on a report, its last field) goes on the next line, up
// against the right edge. A line without such a gap is printed smaller as a whole.
void Printer::drawFitted(const QString& line) {
    const double room = scaleWidth() - currentX_;
    if (room <= 0 || textWidth(line) <= room) {
        drawText(line, currentX_, currentY_);
        return;
    }
    qsizetype split = -1;
    for (qsizetype i = line.indexOf(QLatin1String("  ")); i >= 0;
         i = line.indexOf(QLatin1String("  "), i + 1)) {
        qsizetype end = i;
        while (end < line.size() && line.at(end) == QLatin1Char(' '))
            ++end;
        if (end >= line.size() || textWidth(line.left(end)) > room)
            break;
        split = end;
        i = end - 1;
    }
    const QString tail = line.mid(split);
    if (split <= 0 || textWidth(tail) > scaleWidth()) {
        const double size = fontSize_;
        fontSize_ = std::floor(size * room / textWidth(line) * 10) / 10;
        drawText(line, currentX_, currentY_);
        fontSize_ = size;
        return;
    }
    drawText(line.left(split), currentX_, currentY_);
    currentY_ += textHeight();
    if (currentY_ + textHeight() > scaleHeight())
        newPage();
    drawText(tail, scaleWidth() - textWidth(tail), currentY_);
}

void Printer::paintPicture(const QImage& picture, double x, double y, double width, double height) {
    ensureDocument();
    inked_ = true;
    drawPicture(picture, x, y, width, height);
}

void Printer::paintPicture(const BarCodePicture& picture, double x, double y) {
    ensureDocument();
    inked_ = true;
    drawBarCode(picture, x, y);
}

void Printer::newPage() {
    ensureDocument();
    ++page_;
    currentX_ = 0;
    currentY_ = 0;
    startPage();
}

void Printer::endDoc() {
    if (documentOpen_ && inked_)
        finishDocument();
    else
        dropEmptyDocument();
    documentOpen_ = false;
    inked_ = false;
    page_ = 0;
    currentX_ = 0;
    currentY_ = 0;
}

void Printer::abortDoc() {
    if (!documentOpen_)
        return;
    discardDocument();
    documentOpen_ = false;
    inked_ = false;
    page_ = 0;
    currentX_ = 0;
    currentY_ = 0;
}

void Printer::printForm(const QImage& screen) {
    const bool wasOpen = documentOpen_;
    if (wasOpen)
        endDoc();
    ensureDocument();
    inked_ = true;
    // At the size it has on a screen of 96 dots per inch, however finely it was grabbed.
    const double inch = 1440.0;
    double width = screen.deviceIndependentSize().width() * inch / 96.0;
    double height = screen.deviceIndependentSize().height() * inch / 96.0;
    if (width > scaleWidth()) {
        height *= scaleWidth() / width;
        width = scaleWidth();
    }
    drawPicture(screen, 0, 0, width, height);
    endDoc();
}
