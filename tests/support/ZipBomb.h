#pragma once
// A zip bomb as users were sent one: a workbook (.ods) of a few dozen kB whose
// content.xml unpacks to some 30 MB, rows of a thousand numbers each, which
// the office would spend minutes and gigabytes on. Written with python3's
// zipfile, as the office's own packages are.
#include <string>

#include "tests/support/PdfText.h"

inline void writeZipBomb(const std::string& path) {
    pdf::run(R"(python3 - )" + pdf::quoted(path) + R"( <<'EOF'
import sys, zipfile
ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"')
row = ('<table:table-row><table:table-cell table:number-columns-repeated="1000" '
       'office:value-type="float" office:value="1"/></table:table-row>')
content = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content %s office:version="1.2">'
           '<office:body><office:spreadsheet><table:table table:name="Riesig">%s</table:table>'
           '</office:spreadsheet></office:body></office:document-content>' % (ns, row * 250000))
mime = "application/vnd.oasis.opendocument.spreadsheet"
with zipfile.ZipFile(sys.argv[1], "w") as ods:
    ods.writestr("mimetype", mime)
    ods.writestr("META-INF/manifest.xml",
                 '<?xml version="1.0" encoding="UTF-8"?><manifest:manifest '
                 'xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">'
                 '<manifest:file-entry manifest:full-path="/" manifest:media-type="%s"/>'
                 '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                 '</manifest:manifest>' % mime)
    ods.writestr("content.xml", content, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
EOF
)");
}
