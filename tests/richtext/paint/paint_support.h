// Painting paragraphs into the tests' recording Draw: log lines in the recorder's format,
// with rectangles logging their raw colour bits so that the selection's invert colour is
// told apart from plain red.
#pragma once

#include "foundation/bitset.h"
#include "richtext/model/paragraph.h"
#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "tests/draw/support/image_fixtures.h"
#include "tests/draw/support/recording_draw.h"

#include <cstdio>
#include <string>
#include <vector>

namespace QorTest {

inline std::string RectLine(int x, int y, int cx, int cy, Qor::Color c)
{
    char b[96];
    std::snprintf(b, sizeof b, "Rect(%d, %d, %d, %d, %08X)", x, y, cx, cy, (unsigned)c.GetBits());
    return b;
}

class BitsDraw : public RecordingDraw {
public:
    using Draw::DrawRect;
    using RecordingDraw::RecordingDraw;
    void DrawRect(int x, int y, int cx, int cy, Color color) override { log.push_back(RectLine(x, y, cx, cy, color)); }

    // The log lines that start with prefix.
    std::vector<std::string> Lines(const std::string& prefix) const
    {
        std::vector<std::string> r;
        for(const std::string& s : log)
            if(s.compare(0, prefix.size(), prefix) == 0)
                r.push_back(s);
        return r;
    }
};

inline std::string TextRunLine(int x, int y, const std::string& text, Qor::Font font, Qor::Color ink,
                               const std::vector<int>& dx)
{
    char f[24];
    std::snprintf(f, sizeof f, "font %016llX", (unsigned long long)font.GetData());
    std::string s = "DrawTextRun(" + std::to_string(x) + ", " + std::to_string(y) + ", 0, \"" + text + "\", " + f +
                    ", " + RecordingDraw::Text(ink) + ", [";
    for(size_t i = 0; i < dx.size(); i++)
        s += (i ? " " : "") + std::to_string(dx[i]);
    return s + "])";
}

// An object type that paints a rectangle of its size and makes solid images, noting the
// context it was given.
class PaintTestObjectType : public Qor::RichObjectType {
public:
    using Qor::RichObjectType::Paint;
    using Qor::RichObjectType::ToImage;
    mutable void* seen_context = nullptr;

    Qor::String GetTypeName(const Qor::Value&) const override { return "paint test object"; }
    void Paint(const Qor::Value&, Qor::Draw& w, Qor::Size sz, void* context) const override
    {
        seen_context = context;
        w.DrawRect(0, 0, sz.cx, sz.cy, Qor::Color(7, 7, 7));
    }
    Qor::Image ToImage(const Qor::Value&, Qor::Size sz, void* context) const override
    {
        seen_context = context;
        return SolidImage(sz.cx, sz.cy, Opaque(7, 7, 7));
    }
};

inline PaintTestObjectType& PaintTestType()
{
    static PaintTestObjectType& t = []() -> PaintTestObjectType& {
        static PaintTestObjectType type;
        Qor::RegisterObjectType("paint test object", &type);
        return type;
    }();
    return t;
}

// An object of the test type shown at a size in dots.
inline Qor::EmbeddedObject PaintTestObject(Qor::Size shown)
{
    PaintTestType();
    Qor::EmbeddedObject o;
    o.ReadObject("paint test object", "x", shown);
    return o;
}

// Paints p at the top of the page rectangle through one Draw.
inline void PaintParagraph(Qor::Draw& w, const Qor::UnpackedParagraph& p, const Qor::RichPaintInfo& pi,
                           const Qor::Rect& page = Qor::Rect(0, 0, 5000, 5000),
                           Qor::PagePosition py = Qor::PagePosition(0, 0),
                           const Qor::NumberingCounters& counters = Qor::NumberingCounters(),
                           const Qor::BitSet& marked = Qor::BitSet())
{
    Qor::SimplePageDraw pw(w);
    p.Paint(pw, page, py, pi, counters, marked, 0, 0);
}

// Default paint parameters without link and index-entry colours, so that only what a test
// sets shows.
inline Qor::RichPaintInfo PlainInfo()
{
    Qor::RichPaintInfo pi;
    pi.link_color = Qor::Color();
    pi.index_entry_color = Qor::Color();
    return pi;
}

} // namespace QorTest
