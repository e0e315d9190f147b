// Caption text measured and drawn, plain or rich.

#include "widgets/label/label_text.h"

#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "foundation/charset.h"
#include "richtext/paint/page_draw.h"
#include "richtext/qtf/qtf_reader.h"
#include "richtext/text/rich_text.h"
#include "widgets/label/access_key.h"

#include <algorithm>
#include <cstring>

namespace Qor {

namespace {

RichText ReadCaption(const char* text, int access_key)
{
    RichText rich = ReadQtfDocument(text + 1, access_key);
    rich.ApplyZoom(RichScreenZoom());
    return rich;
}

// A run of the multi-line painter: characters up to a line feed, a tab or another control
// character, which is where it restarts counting key positions.
bool EndsRun(wchar16 c) { return c < ' '; }

// The key of one line of a plain caption: the access key's position counts characters from
// the caption's start, the painter's from the start of a run, and only the run holding the
// marked character may carry it (else an earlier line could underline the same letter).
int LineAccessKey(const WString& text, int line_start, int line_end, int access_key)
{
    int pos = AccessKeyPosition(access_key);
    if(pos == 0)
        return access_key;
    int at = pos - 1;
    if(at < line_start || at >= line_end)
        return 0;
    int run_start = at;
    while(run_start > line_start && !EndsRun(text[run_start - 1]))
        run_start--;
    return (at - run_start + 1) << 16 | AccessKeyChar(access_key);
}

} // namespace

Size GetLabelTextSize(const char* text, Font font, int max_width)
{
    if(IsRichCaption(text)) {
        RichText rich = ReadCaption(text, 0);
        int cx = std::min(max_width, rich.GetWidth());
        return Size(cx, rich.GetHeight(ZoomRatio(1, 1), cx));
    }
    WString wide = DecodeText(text, text ? (int)std::strlen(text) : 0);
    return GetMultilineTextSize(wide.Begin(), font);
}

void DrawLabelText(Draw& w, int x, int y, int cx, const char* text, Font font, Color ink, int access_key)
{
    if(IsRichCaption(text)) {
        ReadCaption(text, access_key).Paint(ZoomRatio(1, 1), w, x, y, cx);
        return;
    }
    WString wide = DecodeText(text, text ? (int)std::strlen(text) : 0);
    if(AccessKeyPosition(access_key) == 0) {
        DrawMultilineText(w, x, y, cx, wide.Begin(), font, ink, (dword)access_key);
        return;
    }
    // Line by line, so that the marked line alone carries the key.
    int line_height = font.GetMetrics().height;
    int n = wide.GetLength();
    for(int start = 0; start <= n;) {
        int end = start;
        while(end < n && wide[end] != '\n')
            end++;
        WString line(wide.Begin() + start, end - start);
        DrawMultilineText(w, x, y, cx, line.Begin(), font, ink, (dword)LineAccessKey(wide, start, end, access_key));
        y += line_height;
        start = end + 1;
    }
}

} // namespace Qor
