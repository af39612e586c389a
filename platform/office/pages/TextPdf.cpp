#include "platform/office/pages/TextPdf.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "platform/office/pages/PdfBytes.h"

#include "platform/win32/Codepage.h"

namespace office {

namespace {

// A4 in points, with a margin of one inch on every side.
constexpr int kPageWidth = 595;
constexpr int kPageHeight = 842;
constexpr int kMargin = 72;
constexpr int kFontSize = 11;
constexpr int kLeading = 14;
constexpr int kFirstBaseline = kPageHeight - kMargin;
constexpr std::size_t kLinesPerPage = (kFirstBaseline - kMargin) / kLeading + 1;
constexpr int kTabWidth = 8;  // columns between tab stops

// Glyph widths of Helvetica in 1/1000 of the font size, by Windows-1252 code
// from 32 (space) to 255, from the font's published metrics. The positions
// that Windows-1252 leaves unused are 0; printable() keeps them out of the text.
constexpr std::array<std::int16_t, 224> kHelveticaWidths = {
    278,  278, 355, 556, 556, 889,  667,  191,  333, 333,  389, 584, 278,  333, 278, 278,  // 32
    556,  556, 556, 556, 556, 556,  556,  556,  556, 556,  278, 278, 584,  584, 584, 556,  // 48
    1015, 667, 667, 722, 722, 667,  611,  778,  722, 278,  500, 667, 556,  833, 722, 778,  // 64
    667,  778, 722, 667, 611, 722,  667,  944,  667, 667,  611, 278, 278,  278, 469, 556,  // 80
    333,  556, 556, 500, 556, 556,  278,  556,  556, 222,  222, 500, 222,  833, 556, 556,  // 96
    556,  556, 333, 500, 278, 556,  500,  722,  500, 500,  500, 334, 260,  334, 584, 0,    // 112
    556,  0,   222, 556, 333, 1000, 556,  556,  333, 1000, 667, 333, 1000, 0,   611, 0,    // 128
    0,    222, 222, 333, 333, 350,  556,  1000, 333, 1000, 500, 333, 944,  0,   500, 667,  // 144
    278,  333, 556, 556, 556, 556,  260,  556,  333, 737,  370, 556, 584,  333, 737, 333,  // 160
    400,  584, 333, 333, 333, 578,  537,  278,  333, 333,  365, 556, 834,  834, 834, 611,  // 176
    667,  667, 667, 667, 667, 667,  1000, 722,  667, 667,  667, 667, 278,  278, 278, 278,  // 192
    722,  722, 778, 778, 778, 778,  778,  584,  778, 722,  722, 722, 722,  667, 667, 611,  // 208
    556,  556, 556, 556, 556, 556,  889,  500,  556, 556,  556, 556, 278,  278, 278, 278,  // 224
    556,  556, 556, 556, 556, 556,  556,  584,  611, 556,  556, 556, 556,  500, 556, 500,  // 240
};

// Widths are summed in 1/1000 point per point of font size, so that the
// comparison stays in whole numbers.
constexpr long kLineRoom = static_cast<long>(kPageWidth - 2 * kMargin) * 1000 / kFontSize;

long glyphWidth(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 ? 0 : kHelveticaWidths[code - 32u];
}

using Line = std::string;  // Windows-1252, printable characters only
using Page = std::vector<Line>;

// Tabs become blanks up to the next tab stop; other control characters
// (the "\r" of Windows line ends among them) take no room and are dropped.
Line printable(std::string_view line) {
    Line out;
    for (const char c : line) {
        if (c == '\t') {
            out.append(kTabWidth - out.size() % kTabWidth, ' ');
        } else if (static_cast<unsigned char>(c) >= 32 && c != '\x7F') {
            out += c;
        }
    }
    return out;
}

// Appends `line` to `lines`, broken into pieces that fit the type area.
void wrap(Line line, std::vector<Line>& lines) {
    for (;;) {
        std::size_t fits = 0;
        for (long width = 0; fits < line.size(); ++fits) {
            width += glyphWidth(line[fits]);
            if (width > kLineRoom) break;
        }
        if (fits == line.size()) break;
        // A character wider than the whole area still takes one line.
        fits = std::max<std::size_t>(fits, 1);
        const std::size_t blank = line.rfind(' ', fits);
        if (blank != Line::npos && blank > 0) {
            lines.push_back(line.substr(0, blank));
            line.erase(0, blank + 1);  // the blank at the break is not printed
        } else {
            lines.push_back(line.substr(0, fits));
            line.erase(0, fits);
        }
    }
    lines.push_back(std::move(line));
}

std::vector<Page> layOut(std::string_view text) {
    std::vector<Page> pages;
    for (;;) {
        const std::size_t formFeed = text.find('\f');
        std::string_view section = text.substr(0, formFeed);
        // A line end closes its line; it does not open another before the
        // page break or the end of the file.
        if (!section.empty() && section.back() == '\n') section.remove_suffix(1);
        std::vector<Line> lines;
        for (;;) {
            const std::size_t end = section.find('\n');
            wrap(printable(section.substr(0, end)), lines);
            if (end == std::string_view::npos) break;
            section.remove_prefix(end + 1);
        }
        for (std::size_t first = 0; first < lines.size(); first += kLinesPerPage) {
            const std::size_t last = std::min(lines.size(), first + kLinesPerPage);
            pages.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(first),
                               lines.begin() + static_cast<std::ptrdiff_t>(last));
        }
        if (formFeed == std::string_view::npos) break;
        text.remove_prefix(formFeed + 1);
    }
    return pages;
}

std::string pdfString(const Line& line) {
    std::string out = "(";
    for (const char c : line) {
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += c;
    }
    return out + ")";
}

// The five bytes that Windows-1252 leaves unused have no glyph: they print
// as "?", as characters the code page lacks do.
std::string printable(std::string ansi) {
    for (char& c : ansi) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0x80 && kHelveticaWidths[code - 32u] == 0) c = '?';
    }
    return ansi;
}

std::string contentStream(const Page& page) {
    std::string content = "BT\n/F1 " + std::to_string(kFontSize) + " Tf\n" + std::to_string(kLeading) + " TL\n" +
                          std::to_string(kMargin) + " " + std::to_string(kFirstBaseline) + " Td\n";
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (i > 0) content += "T*\n";
        if (!page[i].empty()) content += pdfString(page[i]) + " Tj\n";
    }
    return content + "ET\n";
}

}  // namespace

std::string textToPdf(std::string_view text) {
    QPDF pdf;
    pdf.emptyPDF();
    // One of the standard fonts every PDF reader has: no font file needed.
    const QPDFObjectHandle font = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
    fonts.replaceKey("/F1", font);
    resources.replaceKey("/Font", fonts);

    QPDFPageDocumentHelper pages(pdf);
    for (const Page& page : layOut(printable(win32::utf8ToAnsi(text, win32::InvalidUtf8::KeepBytes)))) {
        QPDFObjectHandle object = QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 " + std::to_string(kPageWidth) + " " + std::to_string(kPageHeight) + "] >>");
        object.replaceKey("/Resources", resources);
        object.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, contentStream(page)));
        pages.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(object)), false);
    }

    return pdfBytes(pdf);
}

}  // namespace office
