#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// The picture the barcode component draws for a text: the Code 128 symbol of the text with a
// quiet zone of 10 modules on both sides and, when it fits, the text itself under the bars.
// Sizes are twips (1440 to the inch). A text the writer cannot encode (empty, longer than 80
// characters, characters outside ASCII) gives the empty picture: blank, of the size of a card's.
//
// A module is 24 twips (0.42 mm, an exact number of dots at 300, 600 and 1200 dpi), so a
// 13-digit card code (123 modules) is 3432 x 960 twips: it fits the label cell of 3900 x 1000
// twips and, at the third column (8200 twips), ends inside an A4 sheet.
class BarCodePicture {
public:
    static constexpr double kModule = 24;
    static constexpr int kQuietModules = 10;
    static constexpr double kBarHeight = 720;
    static constexpr double kTextGap = 30;
    static constexpr double kTextSize = 180; // the em of the text, 9 points
    static constexpr double kHeight = 960;
    // The text's font, and its advance per character (Courier New's is 0.6 em).
    static inline const QString kFontName = QStringLiteral("Courier New");
    static constexpr double kAdvance = 0.6;

    BarCodePicture(); // the empty picture
    static BarCodePicture ofText(const QString& text);

    // The text the bars carry; empty for the empty picture.
    QString text() const { return text_; }
    bool isEmpty() const { return runs_.isEmpty(); }
    // Width in modules, quiet zones included.
    int modules() const { return modules_; }
    QSizeF size() const { return {modules_ * kModule, kHeight}; }
    // The bars, as [first module, module after the last) from the picture's left edge.
    struct Run {
        int start;
        int end;
    };
    const QList<Run>& bars() const { return runs_; }
    // Whether the text is shown under the bars, and where (twips).
    bool showsText() const { return showsText_; }
    QRectF textRect() const;

    // Draws the picture stretched into the rectangle, in the painter's own coordinates: white
    // ground, black bars as filled rectangles, the text as text.
    void draw(QPainter& painter, const QRectF& target) const;
    // A placeable Windows metafile of the picture, in twips.
    QByteArray toWmf() const;
    QByteArray toSvg() const;
    // A bitmap with the given dots per module; its size follows.
    QImage toImage(int pixelsPerModule) const;

private:
    QString text_;
    int modules_ = 0;
    QList<Run> runs_;
    bool showsText_ = false;
};
