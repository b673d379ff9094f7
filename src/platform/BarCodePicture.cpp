#include "BarCodePicture.h"

#include <QFont>
#include <QPainter>
#include <QtEndian>

#include <ZXing/BarcodeFormat.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <cmath>
#include <exception>

namespace {

// The width of a card code's symbol: the empty picture keeps the size of a card's, so a
// screen that shows it does not jump.
constexpr int kCardModules = 123 + 2 * BarCodePicture::kQuietModules;

// The bars of the text's Code 128 symbol, as runs of modules; empty when the writer refuses it.
QList<BarCodePicture::Run> Encode(const QString& text, int& width) {
    QList<BarCodePicture::Run> runs;
    width = 0;
    for (const QChar c : text) {
        if (c.unicode() > 127)
            return runs;
    }
    try {
        const ZXing::BitMatrix matrix = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::Code128)
                                            .setMargin(0)
                                            .encode(text.toStdString(), 0, 0);
        width = matrix.width();
        for (int x = 0; x < width;) {
            if (!matrix.get(x, 0)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && matrix.get(x, 0))
                ++x;
            runs.append({start, x});
        }
    } catch (const std::exception&) {
        runs.clear();
        width = 0;
    }
    return runs;
}

bool Printable(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

// Little-endian words of a Windows metafile.
class Wmf {
public:
    void word(int value) {
        const quint16 w = qToLittleEndian(quint16(value));
        bytes.append(reinterpret_cast<const char*>(&w), 2);
    }
    void dword(quint32 value) {
        word(int(value & 0xffff));
        word(int(value >> 16));
    }
    // One record: its size in words, its function, then its parameters (words).
    void record(int function, const QList<int>& params) {
        const int size = 3 + int(params.size());
        maxRecord = std::max(maxRecord, size);
        dword(quint32(size));
        word(function);
        for (int p : params)
            word(p);
    }
    QByteArray bytes;
    int maxRecord = 0;
};

constexpr int META_SETBKMODE = 0x0102;
constexpr int META_SETMAPMODE = 0x0103;
constexpr int META_SETWINDOWORG = 0x020B;
constexpr int META_SETWINDOWEXT = 0x020C;
constexpr int META_SETTEXTCOLOR = 0x0209;
constexpr int META_SETTEXTALIGN = 0x012E;
constexpr int META_SELECTOBJECT = 0x012D;
constexpr int META_CREATEPENINDIRECT = 0x02FA;
constexpr int META_CREATEBRUSHINDIRECT = 0x02FC;
constexpr int META_CREATEFONTINDIRECT = 0x02FB;
constexpr int META_RECTANGLE = 0x041B;
constexpr int META_EXTTEXTOUT = 0x0A32;

} // namespace

BarCodePicture::BarCodePicture()
    : modules_(kCardModules) {}

BarCodePicture BarCodePicture::ofText(const QString& text) {
    BarCodePicture picture;
    int width = 0;
    QList<Run> runs = Encode(text, width);
    if (runs.isEmpty())
        return picture;
    picture.text_ = text;
    picture.modules_ = width + 2 * kQuietModules;
    for (Run& run : runs) {
        run.start += kQuietModules;
        run.end += kQuietModules;
    }
    picture.runs_ = std::move(runs);
    picture.showsText_ = Printable(text) && text.size() * kTextSize * kAdvance <= width * kModule;
    return picture;
}

QRectF BarCodePicture::textRect() const {
    const double top = kBarHeight + kTextGap;
    return {0, top, size().width(), kHeight - top};
}

void BarCodePicture::draw(QPainter& painter, const QRectF& target) const {
    const double sx = target.width() / size().width();
    const double sy = target.height() / size().height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(target, Qt::white);
    for (const Run& run : runs_) {
        painter.fillRect(QRectF(target.left() + run.start * kModule * sx, target.top(),
                                (run.end - run.start) * kModule * sx, kBarHeight * sy),
                         Qt::black);
    }
    const int pixels = int(std::lround(kTextSize * sy));
    if (showsText_ && pixels > 0) {
        QFont font(kFontName);
        font.setPixelSize(pixels);
        font.setHintingPreference(QFont::PreferNoHinting);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRectF box = textRect();
        painter.drawText(QRectF(target.left() + box.left() * sx, target.top() + box.top() * sy,
                                box.width() * sx, box.height() * sy),
                         Qt::AlignHCenter | Qt::AlignTop, text_);
    }
    painter.restore();
}

QByteArray BarCodePicture::toWmf() const {
    const int width = int(size().width());
    const int height = int(size().height());
    Wmf body;
    // Header of the metafile proper; its size fields are patched in at the end.
    body.word(1);      // in memory
    body.word(9);      // header words
    body.word(0x0300); // Windows 3.0
    body.dword(0);     // size in words
    body.word(showsText_ ? 4 : 3);
    body.dword(0); // largest record
    body.word(0);

    body.record(META_SETMAPMODE, {8}); // anisotropic: the player fits the window to its frame
    body.record(META_SETWINDOWORG, {0, 0});
    body.record(META_SETWINDOWEXT, {height, width});
    body.record(META_SETBKMODE, {1});                     // transparent
    body.record(META_CREATEPENINDIRECT, {5, 0, 0, 0, 0}); // no outline, object 0
    body.record(META_SELECTOBJECT, {0});
    body.record(META_CREATEBRUSHINDIRECT, {0, 0xffff, 0x00ff, 0}); // solid white, object 1
    body.record(META_SELECTOBJECT, {1});
    body.record(META_RECTANGLE, {height, width, 0, 0});
    body.record(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0}); // solid black, object 2
    body.record(META_SELECTOBJECT, {2});
    for (const Run& run : runs_) {
        body.record(META_RECTANGLE, {int(kBarHeight), int(run.end * kModule), 0, int(run.start * kModule)});
    }
    if (showsText_) {
        // The width is given, not left to the player: libwmf would draw the text wider than the bars.
        QList<int> font = {-int(kTextSize), int(std::lround(kTextSize * kAdvance)), 0, 0, 400};
        font << 0       // not italic, not underlined
             << 0       // not struck out, ANSI character set
             << 0       // default precisions
             << 0x3100; // default quality; fixed pitch, modern family
        QByteArray face = QByteArrayLiteral("Courier New");
        face.resize(32, '\0');
        for (int i = 0; i < face.size(); i += 2)
            font << (quint8(face.at(i)) | quint8(face.at(i + 1)) << 8);
        body.record(META_CREATEFONTINDIRECT, font); // object 3
        body.record(META_SELECTOBJECT, {3});
        body.record(META_SETTEXTCOLOR, {0, 0});
        body.record(META_SETTEXTALIGN, {0}); // left at x, top at y
        // The start and every advance are given, so each player sets the text where it belongs.
        const QByteArray latin = text_.toLatin1();
        const int advance = int(std::lround(kTextSize * kAdvance));
        const int start = (width - advance * int(latin.size())) / 2;
        QList<int> params = {int(textRect().top()), start, int(latin.size()), 0};
        QByteArray padded = latin;
        if (padded.size() % 2)
            padded.append('\0');
        for (int i = 0; i < padded.size(); i += 2)
            params << (quint8(padded.at(i)) | quint8(padded.at(i + 1)) << 8);
        for (int i = 0; i < latin.size(); ++i)
            params << advance;
        body.record(META_EXTTEXTOUT, params);
    }
    body.record(0, {}); // end of file
    const quint32 words = quint32(body.bytes.size() / 2);
    qToLittleEndian(words, body.bytes.data() + 6);
    qToLittleEndian(quint32(body.maxRecord), body.bytes.data() + 12);

    // The placeable header: bounding box in twips, 1440 to the inch, and the checksum (the
    // exclusive or of its first ten words).
    Wmf head;
    head.dword(0x9AC6CDD7);
    head.word(0);
    head.word(0);
    head.word(0);
    head.word(width);
    head.word(height);
    head.word(1440);
    head.dword(0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(head.bytes.constData() + i);
    head.word(checksum);
    return head.bytes + body.bytes;
}

QByteArray BarCodePicture::toSvg() const {
    const QSizeF s = size();
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1in\" height=\"%2in\" "
                                 "viewBox=\"0 0 %3 %4\">\n"
                                 "<rect width=\"%3\" height=\"%4\" fill=\"#fff\"/>\n")
                      .arg(s.width() / 1440.0)
                      .arg(s.height() / 1440.0)
                      .arg(s.width())
                      .arg(s.height());
    if (!runs_.isEmpty()) {
        svg += QStringLiteral("<path fill=\"#000\" d=\"");
        for (const Run& run : runs_) {
            svg += QStringLiteral("M%1 0h%2v%3h-%2z")
                       .arg(run.start * kModule)
                       .arg((run.end - run.start) * kModule)
                       .arg(kBarHeight);
        }
        svg += QStringLiteral("\"/>\n");
    }
    if (showsText_) {
        // The baseline sits one ascent (0.83 em for Courier New) below the top of the text.
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"'Courier New', 'Liberation Mono', "
                              "monospace\" font-size=\"%3\" text-anchor=\"middle\" fill=\"#000\">%4</text>\n")
                   .arg(s.width() / 2)
                   .arg(textRect().top() + std::round(kTextSize * 0.83))
                   .arg(kTextSize)
                   .arg(text_.toHtmlEscaped());
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QImage BarCodePicture::toImage(int pixelsPerModule) const {
    const int w = modules_ * pixelsPerModule;
    const int h = int(std::lround(kHeight / kModule * pixelsPerModule));
    QImage image(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(pixelsPerModule / kModule * 1440 / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    QPainter painter(&image);
    draw(painter, QRectF(0, 0, w, h));
    return image;
}
