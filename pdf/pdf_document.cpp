// PdfDraw: the document skeleton - objects, streams, pages, the page tree, the catalog,
// the cross-reference table and the trailer - and the drawing-to-PDF converter.
#include "pdf/pdf_draw.h"

#include "draw/font/font_metrics.h"
#include "draw/target/draw_hooks.h"
#include "foundation/values/format.h"
#include "foundation/values/uuid.h"
#include "pdf/pdf_out_internal.h"

namespace Qor {

void PdfDraw::Init(int cx, int cy, int margin, bool pdfa)
{
    out.SetLength(0);
    page.Clear();
    offsets.Clear();
    fontFiles.Clear();
    fontInfo.Clear();
    fonts.Clear();
    instanceChars.Clear();
    charCodes.Clear();
    images.Clear();
    imageRects.Clear();
    patterns.Clear();
    // The comment line of bytes above 127 marks the file as binary for transfer programs.
    out.Append("%PDF-1.3\n%\xF1\xF2\xF3\xF4\n\n");
    pageSize = Size(cx + margin, cy + margin);
    this->margin = margin;
    this->pdfa = pdfa;
    Draw& w = *this;
    w.StartPage();
}

void PdfDraw::ResetState()
{
    fillColor = Color();
    strokeColor = Color();
    currentFont = -1;
    fontHeight = DOUBLE_NULL;
    lineWidth = -1.0;
    currentPattern = 0;
}

void PdfDraw::StartPage()
{
    ResetState();
    if(margin)
        Offset(Point(margin, margin));
    pageSetup = page.GetLength();
}

void PdfDraw::EndPage()
{
    if(margin)
        End();
    PutStream(page.Begin(), page.GetLength(), String());
    page.Clear();
    pageSetup = 0;
}

dword PdfDraw::GetInfoFlags() const { return DOTS | DRAW_TEXT_LINES; }

Size PdfDraw::GetPageSize() const { return pageSize; }

int PdfDraw::BeginObj()
{
    offsets.Add(out.GetLength());
    int n = offsets.GetCount();
    PdfAppend(out, n, " 0 obj\n");
    return n;
}

int PdfDraw::PutStream(const String& data, const String& dict, bool compress)
{
    return PutStream(data.Begin(), data.GetLength(), dict, compress);
}

int PdfDraw::PutStream(const char* data, int length, const String& dict, bool compress)
{
    if(compress && deflater.Compress(data, length) && deflater.GetLength() < length)
        return PutDeflated(dict, deflater, length, String());
    int n = BeginObj();
    PdfAppend(out, "<< ", dict, " /Length ", length, " /Length1 ", length, " >>\n", "stream\r\n");
    out.Append(data, length);
    out.Append("\r\nendstream\nendobj\n\n");
    return n;
}

int PdfDraw::PutDeflated(const String& dict, const PdfDeflater& deflated, int length1, const String& parms)
{
    int n = BeginObj();
    PdfAppend(out, "<< ", dict, "/Length ", deflated.GetLength(), " /Length1 ", length1, " /Filter /FlateDecode ",
              parms, " >>\nstream\r\n");
    out.Append(deflated.Begin(), deflated.GetLength());
    out.Append("\r\nendstream\nendobj\n\n");
    return n;
}

String PdfDraw::GetFontFile(Font font)
{
    String path = font.GetMetrics().path;
    if(const String* known = fontFiles.FindPtr(path))
        return *known;
    String data = font.GetFilePath();
    fontFiles.Add(path, data);
    return data;
}

String PdfDraw::Finish()
{
    // Only what was drawn makes a page: the margin's offset alone does not, as a page
    // without a margin has no bytes at all.
    if(page.GetLength() > pageSetup)
        EndPage();
    int page_count = offsets.GetCount();

    Vector<int> image_objects = PutImages();
    Vector<int> pattern_objects;
    int pattern_space = PutPatterns(pattern_objects);
    Vector<int> font_objects;
    PutFonts(font_objects);

    int font_dict = BeginObj();
    out.Append("<<\n");
    for(int i = 0; i < font_objects.GetCount(); i++)
        PdfAppend(out, "/F", i + 1, " ", font_objects[i], " 0 R \n");
    out.Append(">>\nendobj\n\n");

    int color_profile = pdfa ? PutColorProfile() : 0;

    int resources = BeginObj();
    PdfAppend(out, "<< /Font ", font_dict, " 0 R\n/ProcSet [ /PDF /Text /ImageB /ImageC ]\n");
    if(image_objects.GetCount()) {
        out.Append("/XObject << ");
        for(int i = 0; i < image_objects.GetCount(); i++)
            PdfAppend(out, "/Image", i + 1, " ", image_objects[i], " 0 R ");
        out.Append(">>\n");
    }
    // A dictionary may hold each key once, so the pattern space and the default RGB
    // space share one /ColorSpace entry when both exist.
    if(pattern_space || color_profile) {
        out.Append("/ColorSpace <<");
        if(pattern_space)
            PdfAppend(out, " /Cspat ", pattern_space, " 0 R");
        if(color_profile)
            PdfAppend(out, pattern_space ? " " : "", "/DefaultRGB ", color_profile, " 0 R");
        out.Append(pattern_space ? " >>\n" : ">>\n");
    }
    if(pattern_space) {
        out.Append("/Pattern << ");
        for(int i = 0; i < pattern_objects.GetCount(); i++)
            PdfAppend(out, "/Pat", i + 1, " ", pattern_objects[i], " 0 R ");
        out.Append(">>\n");
    }
    out.Append(">>\nendobj\n\n");

    // Content streams 1 to page_count were the first objects, so page k is object
    // page_tree + k and its contents object k.
    int page_tree = BeginObj();
    out.Append("<< /Type /Pages\n/Kids [");
    for(int k = 1; k <= page_count; k++)
        PdfAppend(out, page_tree + k, " 0 R ");
    PdfAppend(out, "]\n/Count ", page_count, "\n>>\nendobj\n\n");
    for(int k = 1; k <= page_count; k++) {
        BeginObj();
        PdfAppend(out, "<< /Type /Page\n/Parent ", page_tree, " 0 R\n/MediaBox [0 0 ", pageSize.cx * 0.12, " ",
                  pageSize.cy * 0.12, "]\n/Contents ", k, " 0 R\n/Resources ", resources, " 0 R \n>>\nendobj\n\n");
    }

    int outlines = BeginObj();
    out.Append("<< /Type /Outlines\n/Count 0\n>>\nendobj\n\n");

    int metadata = pdfa ? PutMetadata() : 0;

    int catalog = BeginObj();
    PdfAppend(out, "<< /Type /Catalog\n/Outlines ", outlines, " 0 R\n/Pages ", page_tree, " 0 R\n");
    if(metadata)
        PdfAppend(out, "/Metadata ", metadata, " 0 R\n");
    out.Append(">>\nendobj\n\n");

    int xref = out.GetLength();
    int object_count = offsets.GetCount();
    PdfAppend(out, "xref\n0 ", object_count + 1, "\n0000000000 65535 f\r\n");
    for(int offset : offsets)
        out.Append(PrintfToString("%010d 00000 n\r\n", offset));
    PdfAppend(out, "\ntrailer\n<< /Size ", object_count + 1, "\n/Root ", catalog, " 0 R\n/ID [ <",
              UuidToText(NewUuid()), "> <", UuidToText(NewUuid()), "> ]\n>>\nstartxref\r\n", xref, "\r\n%%EOF\r\n");
    return TakeText(out);
}

String DrawingToPdf(const Vector<Drawing>& pages, Size page_size, int margin, bool pdfa)
{
    PdfDraw w;
    w.Init(page_size.cx + 2 * margin, page_size.cy + 2 * margin, 0, pdfa);
    for(const Drawing& drawing : pages) {
        w.StartPage();
        w.Draw::DrawDrawing(margin, margin, page_size.cx, page_size.cy, drawing);
        w.EndPage();
    }
    return w.Finish();
}

void RegisterDrawingToPdf() { SetDrawingToPdfHook(DrawingToPdf); }

} // namespace Qor
