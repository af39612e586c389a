// Draws the add-in's pictures and writes them into the first folder given:
//   Picture1.ico  the add-in's icon, 32 x 32, 24-bit colour (also the toolbar
//                 button's face)
//   Dialog.ico    a blank 32 x 32 icon for the question dialog
//   Image1.jpg    the choice window's picture, 522 x 443
// and into the second, the LibreOffice extension's folder:
//   icon.png      the same icon for the office's extension manager, 42 x 42
//                 as it shows them, on a transparent ground
// Everything is drawn from shapes, without system fonts, so that running the
// tool again on another machine gives the same pictures.
#include <QCoreApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int iconSize = 32;
constexpr int extensionIconSize = 42;
constexpr int imageWidth = 522;
constexpr int imageHeight = 443;

const QColor bandBlue(29, 95, 166);
const QColor accentBlue(111, 168, 220);
const QColor tagRed(208, 38, 45);
const QColor tagRedDark(150, 24, 30);
const QColor inkGrey(154, 163, 173);
const QColor outlineGrey(74, 85, 99);

// ---- The icon: drawn pixel by pixel so that it stays sharp at 32 px. ----

// 3 x 5 pixel letters, one row a string.
const char* const pixelP[5] = {"###", "#.#", "###", "#..", "#.."};
const char* const pixelD[5] = {"##.", "#.#", "#.#", "#.#", "##."};
const char* const pixelF[5] = {"###", "#..", "##.", "#..", "#.."};

void fill(QImage& image, int left, int top, int width, int height, const QColor& colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) image.setPixelColor(x, y, colour);
}

void pixelLetter(QImage& image, const char* const rows[5], int left, int top) {
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            if (rows[y][x] == '#') image.setPixelColor(left + x, top + y, Qt::white);
}

// The icon file is opaque: readers that ignore an icon's mask (Qt's does for
// 24-bit icons) would otherwise show black around the sheet. Its ground is
// the light grey of a window or a toolbar, on which it is shown.
QImage drawIcon(const QColor& ground) {
    QImage icon(iconSize, iconSize, QImage::Format_ARGB32);
    icon.fill(ground);

    // The sheet, with a shadow on its right and bottom edge.
    fill(icon, 6, 2, 22, 30, QColor(196, 199, 203));
    fill(icon, 5, 1, 22, 30, outlineGrey);
    fill(icon, 6, 2, 20, 28, Qt::white);
    // The letterhead.
    fill(icon, 6, 2, 20, 6, bandBlue);
    fill(icon, 6, 8, 20, 1, accentBlue);
    fill(icon, 8, 4, 2, 2, Qt::white);
    fill(icon, 11, 4, 7, 2, QColor(200, 220, 240));
    // Lines of text.
    const int lineLengths[] = {15, 12, 16, 9};
    for (int i = 0; i < 4; ++i) fill(icon, 8, 11 + 2 * i, lineLengths[i], 1, inkGrey);

    // The tag reaches over the sheet's right edge, as a sticker would.
    fill(icon, 14, 20, 18, 10, tagRed);
    fill(icon, 14, 29, 18, 1, tagRedDark);
    pixelLetter(icon, pixelP, 17, 22);
    pixelLetter(icon, pixelD, 21, 22);
    pixelLetter(icon, pixelF, 25, 22);
    return icon;
}

// The extension manager's icon is larger: the 32-pixel icon stays sharp in
// its middle instead of being scaled.
QImage drawExtensionIcon() {
    QImage icon(extensionIconSize, extensionIconSize, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const int margin = (extensionIconSize - iconSize) / 2;
    painter.drawImage(margin, margin, drawIcon(Qt::transparent));
    painter.end();
    return icon;
}

QImage drawBlankIcon() {
    QImage icon(iconSize, iconSize, QImage::Format_ARGB32);
    icon.fill(Qt::white);
    return icon;
}

// ---- The icon file: one 32 x 32 image, 24-bit colour with a 1-bit mask. ----

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void put32(std::vector<std::uint8_t>& out, unsigned value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

std::size_t paddedRow(std::size_t bytes) {
    return (bytes + 3) / 4 * 4;
}

// Pixels with less than half alpha are transparent: their mask bit is set and
// their colour black, so that the screen shows through unchanged.
std::vector<std::uint8_t> icoFile(const QImage& image) {
    const auto size = static_cast<unsigned>(image.width());
    const std::size_t colourRow = paddedRow(size * 3);
    const std::size_t maskRow = paddedRow((size + 7) / 8);
    const auto imageBytes = static_cast<unsigned>(40 + size * (colourRow + maskRow));
    constexpr unsigned headerBytes = 6 + 16;

    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, 1);  // one image
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(0);  // no palette
    out.push_back(0);
    put16(out, 1);   // planes
    put16(out, 24);  // bits per pixel
    put32(out, imageBytes);
    put32(out, headerBytes);

    put32(out, 40);        // header size
    put32(out, size);      // width
    put32(out, size * 2);  // height of colour and mask together
    put16(out, 1);         // planes
    put16(out, 24);        // bits per pixel
    put32(out, 0);         // uncompressed
    put32(out, imageBytes - 40);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    const int rows = image.height();
    for (int y = rows - 1; y >= 0; --y) {
        std::size_t written = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const bool shown = pixel.alpha() >= 128;
            out.push_back(static_cast<std::uint8_t>(shown ? pixel.blue() : 0));
            out.push_back(static_cast<std::uint8_t>(shown ? pixel.green() : 0));
            out.push_back(static_cast<std::uint8_t>(shown ? pixel.red() : 0));
            written += 3;
        }
        out.insert(out.end(), colourRow - written, 0);
    }
    for (int y = rows - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() < 128)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// ---- The picture: a letterhead sheet on a desk. ----

// Letters as strokes on a grid: baseline at 0, x-height 1, capitals 1.45 high.
// Each adds its outline at `x` and returns its advance.
double glyph(QPainterPath& path, char letter, double x) {
    constexpr double cap = 1.45;
    switch (letter) {
        case 'K':
            path.moveTo(x, 0);
            path.lineTo(x, -cap);
            path.moveTo(x + 0.8, -cap);
            path.lineTo(x + 0.05, -0.55);
            path.moveTo(x + 0.3, -0.8);
            path.lineTo(x + 0.85, 0);
            return 0.85;
        case 'a':
        case 'o':
            path.addEllipse(QRectF(x, -1, 1, 1));
            if (letter == 'a') {
                path.moveTo(x + 1, -1);
                path.lineTo(x + 1, 0);
            }
            return 1;
        case 'l':
            path.moveTo(x, -cap);
            path.lineTo(x, 0);
            return 0;
        case 'm':
            path.moveTo(x, 0);
            path.lineTo(x, -1);
            path.moveTo(x, -0.6);
            path.arcTo(QRectF(x, -1, 0.7, 0.8), 180, -180);
            path.lineTo(x + 0.7, 0);
            path.moveTo(x + 0.7, -0.6);
            path.arcTo(QRectF(x + 0.7, -1, 0.7, 0.8), 180, -180);
            path.lineTo(x + 1.4, 0);
            return 1.4;
        case 'r':
            path.moveTo(x, 0);
            path.lineTo(x, -1);
            path.moveTo(x, -0.5);
            path.arcTo(QRectF(x, -1, 1, 1), 180, -90);
            return 0.55;
        case 'P':
            path.moveTo(x, 0);
            path.lineTo(x, -cap);
            path.lineTo(x + 0.4, -cap);
            path.arcTo(QRectF(x + 0.05, -cap, 0.7, 0.7), 90, -180);
            path.lineTo(x, -cap + 0.7);
            return 0.75;
        case 'D':
            path.moveTo(x, 0);
            path.lineTo(x, -cap);
            path.lineTo(x + 0.25, -cap);
            path.arcTo(QRectF(x + 0.25 - cap / 2, -cap, cap, cap), 90, -180);
            path.lineTo(x, 0);
            return 0.25 + cap / 2;
        case 'F':
            path.moveTo(x, 0);
            path.lineTo(x, -cap);
            path.lineTo(x + 0.7, -cap);
            path.moveTo(x, -0.78);
            path.lineTo(x + 0.55, -0.78);
            return 0.7;
        default: return 0.5;
    }
}

// The word's outline in grid units; `width` gets its width without the
// trailing letter space.
QPainterPath wordPath(const std::string& text, double weight, double& width) {
    QPainterPath path;
    double x = 0;
    const double space = 0.4 + weight;
    for (const char letter : text) x += glyph(path, letter, x) + space;
    width = text.empty() ? 0 : x - space;
    return path;
}

// Draws a word with its baseline starting at `origin`; returns its width.
double word(QPainter& painter, const std::string& text, QPointF origin, double xHeight, const QColor& colour,
            double weight) {
    double x = 0;
    const QPainterPath path = wordPath(text, weight, x);
    painter.save();
    painter.translate(origin);
    painter.scale(xHeight, xHeight);
    QPen pen(colour, weight);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
    return x * xHeight;
}

void textLine(QPainter& painter, double x, double y, double length, double thickness, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(x, y, length, thickness), thickness / 2, thickness / 2);
}

// A shadow without a blur filter: a few widening, faint copies of the shape.
void softShadow(QPainter& painter, const QRectF& shape, QPointF offset, double radius) {
    painter.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        painter.setBrush(QColor(20, 30, 45, 14));
        const double grow = i * 1.5;
        painter.drawRoundedRect(shape.translated(offset).adjusted(-grow, -grow, grow, grow), radius + grow,
                                radius + grow);
    }
}

void sheet(QPainter& painter, QPointF centre, double angle, const QColor& paper) {
    const QRectF page(-135, -191, 270, 382);
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    softShadow(painter, page, QPointF(5, 7), 2);
    painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
    painter.setBrush(paper);
    painter.drawRect(page);
    painter.restore();
}

void letterhead(QPainter& painter, QPointF centre, double angle) {
    sheet(painter, centre, angle, QColor(255, 255, 255));
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.translate(-135, -191);

    painter.setPen(Qt::NoPen);
    painter.setBrush(bandBlue);
    painter.drawRect(QRectF(0, 0, 270, 56));
    painter.setBrush(accentBlue);
    painter.drawRect(QRectF(0, 56, 270, 4));
    word(painter, "Kalmora", QPointF(24, 39), 16, Qt::white, 0.18);
    for (int i = 0; i < 3; ++i) textLine(painter, 206, 18 + 9 * i, 44 - 8 * i, 3, QColor(255, 255, 255, 170));

    const QColor ink(181, 189, 198);
    textLine(painter, 24, 82, 92, 4, ink);
    textLine(painter, 24, 93, 118, 4, ink);
    textLine(painter, 24, 104, 74, 4, ink);
    textLine(painter, 190, 128, 56, 4, ink);
    textLine(painter, 24, 148, 132, 5, QColor(86, 98, 112));
    const double body[] = {222, 214, 226, 198, 120, 0, 218, 224, 206, 150};
    double y = 168;
    for (const double length : body) {
        if (length > 0) textLine(painter, 24, y, length, 4, ink);
        y += 12;
    }

    // A signature.
    QPainterPath signature;
    signature.moveTo(26, 314);
    signature.cubicTo(40, 288, 52, 330, 62, 308);
    signature.cubicTo(70, 292, 78, 322, 90, 306);
    signature.cubicTo(98, 298, 104, 316, 124, 304);
    QPen pen(QColor(30, 58, 110), 2.2);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(signature);

    // The footer with three columns of small print.
    painter.setPen(Qt::NoPen);
    painter.setBrush(accentBlue);
    painter.drawRect(QRectF(24, 350, 222, 1.5));
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 2; ++row)
            textLine(painter, 24 + 78 * column, 357 + 7 * row, 56 - 12 * row, 2.5, QColor(196, 203, 210));
    painter.restore();
}

void pen(QPainter& painter, QPointF centre, double angle) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    softShadow(painter, QRectF(-125, -7, 250, 14), QPointF(6, 8), 7);
    painter.setPen(Qt::NoPen);
    QLinearGradient body(0, -7, 0, 7);
    body.setColorAt(0, QColor(70, 84, 104));
    body.setColorAt(0.45, QColor(38, 48, 62));
    body.setColorAt(1, QColor(20, 26, 34));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(-125, -7, 205, 14), 7, 3);
    painter.setBrush(QColor(16, 20, 26));
    painter.drawRect(QRectF(78, -6.5, 30, 13));
    QLinearGradient metal(0, -6, 0, 6);
    metal.setColorAt(0, QColor(232, 235, 238));
    metal.setColorAt(1, QColor(150, 156, 162));
    painter.setBrush(metal);
    QPainterPath tip;
    tip.moveTo(108, -6.5);
    tip.lineTo(126, -1);
    tip.lineTo(126, 1);
    tip.lineTo(108, 6.5);
    tip.closeSubpath();
    painter.drawPath(tip);
    painter.drawRoundedRect(QRectF(-110, -9, 60, 4), 2, 2);  // the clip
    painter.restore();
}

void pdfTag(QPainter& painter, QPointF centre, double angle) {
    const QRectF tag(-62, -32, 124, 64);
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    softShadow(painter, tag, QPointF(4, 6), 10);
    painter.setPen(Qt::NoPen);
    QLinearGradient red(0, -32, 0, 32);
    red.setColorAt(0, QColor(226, 58, 64));
    red.setColorAt(1, tagRed.darker(115));
    painter.setBrush(red);
    painter.drawRoundedRect(tag, 10, 10);
    const double xHeight = 26;
    const double weight = 0.22;
    double width = 0;
    wordPath("PDF", weight, width);
    word(painter, "PDF", QPointF(-width * xHeight / 2, 19), xHeight, Qt::white, weight);
    painter.restore();
}

QImage drawImage() {
    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The desk: a calm blue-grey, lighter where the light falls.
    QRadialGradient desk(QPointF(220, 170), 420);
    desk.setColorAt(0, QColor(214, 224, 234));
    desk.setColorAt(1, QColor(150, 167, 186));
    painter.fillRect(image.rect(), desk);

    sheet(painter, QPointF(252, 228), 8, QColor(238, 238, 232));
    sheet(painter, QPointF(240, 226), 3, QColor(246, 246, 242));
    letterhead(painter, QPointF(230, 222), -4);
    pen(painter, QPointF(452, 215), 76);
    pdfTag(painter, QPointF(398, 352), -8);
    painter.end();
    return image;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: make-pictures <Zielordner> <Ordner der Erweiterung>\n");
        return 2;
    }
    // The JPEG writer is a plug-in, found through the application's library paths.
    QCoreApplication app(argc, argv);
    const std::string folder = argv[1];
    const std::string extensionFolder = argv[2];
    bool written = writeBytes(folder + "/Picture1.ico", icoFile(drawIcon(QColor(240, 240, 240))));
    written = writeBytes(folder + "/Dialog.ico", icoFile(drawBlankIcon())) && written;
    written = drawImage().save(QString::fromStdString(folder + "/Image1.jpg"), "JPG", 85) && written;
    written = drawExtensionIcon().save(QString::fromStdString(extensionFolder + "/icon.png"), "PNG") && written;
    if (!written) {
        std::fprintf(stderr, "make-pictures: %s, %s: nicht alle Bilder ließen sich schreiben\n", folder.c_str(),
                     extensionFolder.c_str());
        return 1;
    }
    return 0;
}
