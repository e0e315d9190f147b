// Reading back what PdfDraw writes: objects found through the cross-reference table,
// their dictionaries and (inflated) streams, and the outside PDF tools run on a file.
#pragma once

#include "foundation/compression.h"
#include "pdf/pdf_draw.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

// Whether `what` occurs in `s`.
inline bool Has(const std::string& s, const std::string& what) { return s.find(what) != std::string::npos; }

// How many times `piece` starts in `text`, overlapping starts counted.
inline int CountOf(const std::string& text, const std::string& piece)
{
    int n = 0;
    for(size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        n++;
    return n;
}

inline bool HasTool(const char* name)
{
    static std::map<std::string, bool> known;
    auto found = known.find(name);
    if(found == known.end())
        found = known.emplace(name, std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0)
                    .first;
    return found->second;
}

#define SKIP_WITHOUT_TOOL(name)                                                                                        \
    if(!HasTool(name))                                                                                                 \
    GTEST_SKIP() << name << " is not installed"

struct ToolRun {
    int status = -1;
    std::string output;
};

// Runs the command with its standard error joined to its output.
inline ToolRun RunTool(const std::string& command)
{
    ToolRun run;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if(!p)
        return run;
    char buffer[4096];
    size_t n;
    while((n = fread(buffer, 1, sizeof(buffer), p)) > 0)
        run.output.append(buffer, n);
    run.status = pclose(p);
    return run;
}

inline void WriteFile(const std::string& path, const Qor::String& data)
{
    std::ofstream(path, std::ios::binary).write(data.Begin(), data.GetLength());
}

// qpdf --check on the document: empty when it passes, else qpdf's report.
inline std::string QpdfProblems(const Qor::String& document)
{
    TempFolder folder;
    std::string path = folder.Path("check.pdf");
    WriteFile(path, document);
    ToolRun run = RunTool("qpdf --check " + path);
    return run.status == 0 ? std::string() : run.output;
}

struct PdfObjectText {
    int offset = -1;  // where "n 0 obj" begins
    std::string dict; // the text before "stream", or the whole body of an object without one
    std::string raw;  // the stream bytes as stored
    std::string data; // the stream bytes, inflated when the dictionary says so
    bool has_stream = false;
};

// The objects of a document by number, read through its cross-reference table. Every
// document read is also checked by qpdf when it is installed.
class PdfReading {
public:
    explicit PdfReading(const Qor::String& document) : text(Std(document))
    {
        Parse();
        if(HasTool("qpdf")) {
            EXPECT_EQ(QpdfProblems(document), "");
        }
    }

    const std::string& Text() const { return text; }
    int GetCount() const { return int(objects.size()); }
    const PdfObjectText& Object(int n) const { return objects.at(n); }
    int Xref() const { return xref; }
    int StartXref() const { return startxref; }
    bool Ok() const { return ok; }

private:
    std::string text;
    std::map<int, PdfObjectText> objects;
    int xref = -1;
    int startxref = -1;
    bool ok = false;

    void Parse()
    {
        size_t s = text.rfind("startxref\r\n");
        if(s == std::string::npos)
            return;
        startxref = std::atoi(text.c_str() + s + 11);
        xref = int(text.find("\nxref\n")) + 1;
        int first = 0;
        int count = 0;
        if(std::sscanf(text.c_str() + startxref, "xref\n%d %d\n", &first, &count) != 2)
            return;
        size_t entries = text.find('\n', text.find('\n', startxref) + 1) + 1;
        for(int n = 1; n < count; n++) {
            PdfObjectText o;
            o.offset = std::atoi(text.c_str() + entries + 20 * n);
            ReadBody(n, o);
            objects[n] = o;
        }
        ok = true;
    }

    void ReadBody(int n, PdfObjectText& o)
    {
        std::string head = std::to_string(n) + " 0 obj\n";
        if(text.compare(o.offset, head.size(), head) != 0)
            return;
        size_t body = o.offset + head.size();
        size_t end = text.find("endobj", body);
        size_t stream = text.find(">>\nstream", body);
        if(stream == std::string::npos || stream > end) {
            o.dict = text.substr(body, end - body);
            return;
        }
        o.has_stream = true;
        o.dict = text.substr(body, stream + 2 - body);
        size_t start = stream + 9;
        start += text.compare(start, 2, "\r\n") == 0 ? 2 : 1;
        std::smatch m;
        std::regex length("/Length (\\d+)");
        if(!std::regex_search(o.dict, m, length))
            return;
        o.raw = text.substr(start, std::stoul(m[1].str()));
        o.data = o.raw;
        if(o.dict.find("/FlateDecode") != std::string::npos) {
            Qor::String inflated = Qor::DecompressZlib(o.raw.data(), int(o.raw.size()));
            o.data = Std(inflated);
            std::smatch p;
            if(std::regex_search(o.dict, p, std::regex("/Predictor (\\d+) /Colors (\\d+) /Columns (\\d+)")))
                o.data = UndoPngRows(o.data, std::stoi(p[2].str()), std::stoi(p[3].str()));
        }
    }

    // The samples behind rows that each start with a PNG filter tag; empty when a row is cut
    // short or its tag is unknown.
    static std::string UndoPngRows(const std::string& in, int colors, int columns)
    {
        size_t row = size_t(colors) * size_t(columns);
        std::string samples;
        std::string previous(row, '\0');
        for(size_t at = 0; at < in.size(); at += row + 1) {
            if(in.size() - at < row + 1)
                return std::string();
            std::string r = in.substr(at + 1, row);
            for(size_t i = 0; i < row; i++) {
                int a = i >= size_t(colors) ? Qor::byte(r[i - colors]) : 0;
                int b = Qor::byte(previous[i]);
                int c = i >= size_t(colors) ? Qor::byte(previous[i - colors]) : 0;
                int guess = 0;
                switch(in[at]) {
                case 0:
                    break;
                case 1:
                    guess = a;
                    break;
                case 2:
                    guess = b;
                    break;
                case 3:
                    guess = (a + b) / 2;
                    break;
                case 4: {
                    int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
                    guess = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                    break;
                }
                default:
                    return std::string();
                }
                r[i] = char(Qor::byte(r[i]) + guess);
            }
            samples += r;
            previous = r;
        }
        return samples;
    }
};

// The content stream of a one-page document drawn by draw.
inline std::string PageContent(const std::function<void(Qor::PdfDraw&)>& draw, int cx = 6000, int cy = 6000)
{
    Qor::PdfDraw w;
    w.Init(cx, cy);
    draw(w);
    w.EndPage();
    PdfReading pdf(w.Finish());
    return pdf.Object(1).data;
}

// A page rendered at 72 pixels per inch without smoothing, so that one pixel is one point.
struct RenderedPage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    // 0xRRGGBB of pixel (x, y) counted from the top-left corner.
    unsigned Pixel(int x, int y) const
    {
        size_t i = 3 * (size_t(y) * width + x);
        return unsigned(rgb[i]) << 16 | unsigned(rgb[i + 1]) << 8 | rgb[i + 2];
    }
};

inline RenderedPage RenderFirstPage(const Qor::String& document)
{
    RenderedPage page;
    TempFolder folder;
    std::string path = folder.Path("page.pdf");
    WriteFile(path, document);
    ToolRun run = RunTool("pdftoppm -r 72 -aa no -aaVector no -f 1 -singlefile " + path + " " + folder.Path("page"));
    std::ifstream in(folder.Path("page.ppm"), std::ios::binary);
    std::string magic;
    int max = 0;
    in >> magic >> page.width >> page.height >> max;
    in.get();
    if(magic != "P6" || max != 255) {
        ADD_FAILURE() << "pdftoppm gave no page: " << run.output;
        return RenderedPage();
    }
    page.rgb.resize(size_t(page.width) * page.height * 3);
    in.read((char*)page.rgb.data(), page.rgb.size());
    return page;
}
