#pragma once
// A document built with libqpdf, written out as the bytes of a PDF file.
#include <string>

class QPDF;

namespace office {

std::string pdfBytes(QPDF& pdf);

}  // namespace office
