// PdfDraw: what PDF/A-1b adds to a document - the sRGB profile as the default RGB space
// and the XMP metadata packet that identifies the conformance level.
#include "pdf/pdf_draw.h"

#include "foundation/values/uuid.h"
#include "pdf/pdf_out_internal.h"

// The zlib-compressed sRGB profile compiled in at build time.
extern const unsigned char qor_srgb_profile_zlib[];
extern const int qor_srgb_profile_zlib_size;

namespace Qor {

namespace {

// Everything after the packet identifier; dates, titles and names are left empty so that
// documents drawn alike differ only in their identifiers.
const char XMP_TEMPLATE[] = "\"?>\n"
                            "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\" x:xmptk=\"Qor PDF output\">\n"
                            "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                            "<rdf:Description rdf:about=\"\"\n"
                            "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
                            "<xmp:CreateDate>0000-01-01</xmp:CreateDate>\n"
                            "<xmp:ModifyDate>0000-01-01</xmp:ModifyDate>\n"
                            "<xmp:CreatorTool/>\n"
                            "</rdf:Description>\n"
                            "<rdf:Description rdf:about=\"\"\n"
                            "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                            "<dc:title>\n"
                            "<rdf:Alt>\n"
                            "<rdf:li xml:lang=\"x-default\"/>\n"
                            "</rdf:Alt>\n"
                            "</dc:title>\n"
                            "<dc:creator>\n"
                            "<rdf:Seq>\n"
                            "<rdf:li/>\n"
                            "</rdf:Seq>\n"
                            "</dc:creator>\n"
                            "<dc:description>\n"
                            "<rdf:Alt>\n"
                            "<rdf:li xml:lang=\"x-default\"/>\n"
                            "</rdf:Alt>\n"
                            "</dc:description>\n"
                            "</rdf:Description>\n"
                            "<rdf:Description rdf:about=\"\"\n"
                            "xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
                            "<pdf:Keywords/>\n"
                            "<pdf:Producer/>\n"
                            "</rdf:Description>\n"
                            "<rdf:Description rdf:about=\"\"\n"
                            "xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
                            "<pdfaid:part>1</pdfaid:part>\n"
                            "<pdfaid:conformance>B</pdfaid:conformance>\n"
                            "</rdf:Description>\n"
                            "</rdf:RDF>\n"
                            "</x:xmpmeta>\n";

} // namespace

int PdfDraw::PutColorProfile()
{
    // Written by hand: the profile is already compressed and must not be again.
    int profile = BeginObj();
    PdfAppend(out, "<</Length ", qor_srgb_profile_zlib_size, "/Filter/FlateDecode/N 3>>\nstream\n");
    out.Append((const char*)qor_srgb_profile_zlib, qor_srgb_profile_zlib_size);
    out.Append("\nendstream\nendobj\n\n");
    int space = BeginObj();
    PdfAppend(out, "[/ICCBased ", profile, " 0 R]\nendobj\n\n");
    return space;
}

int PdfDraw::PutMetadata()
{
    // Uncompressed, so that tools that look for the packet in the file find it.
    return PutStream("<?xpacket id=\"" + UuidToText(NewUuid()) + XMP_TEMPLATE, "/Type/Metadata/Subtype/XML", false);
}

} // namespace Qor
