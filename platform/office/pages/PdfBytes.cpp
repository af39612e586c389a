#include "platform/office/pages/PdfBytes.h"

#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

namespace office {

std::string pdfBytes(QPDF& pdf) {
    std::string bytes;
    Pl_String sink("pdf", nullptr, bytes);
    QPDFWriter writer(pdf);
    writer.setOutputPipeline(&sink);
    writer.write();
    return bytes;
}

}  // namespace office
