// The base data drawing of Draw, image strips with white runs as rectangles, and the
// registry of data drawers.

#include "draw/target/data_drawer.h"
#include "draw/target/draw.h"
#include "foundation/key_map.h"

#include <cstring>

namespace Qor {

namespace {

KeyMap<String, DataDrawerFactory>& DataDrawers()
{
    static KeyMap<String, DataDrawerFactory> map;
    return map;
}

bool IsWhiteColumn(const Image& img, int x)
{
    for(int y = 0; y < img.GetHeight(); y++) {
        RGBA p = img[y][x];
        if(p.b != 255 || p.g != 255 || p.r != 255 || p.a != 255)
            return false;
    }
    return true;
}

// Bands of at most this many lines keep large data from being rendered whole.
constexpr int DATA_BAND = 32;
constexpr int DATA_BAND_LIMIT = 2048;
// Longest image piece of a strip, and the shortest white run drawn as a rectangle.
constexpr int STRIP_PIECE = 2000;
constexpr int WHITE_RUN = 16;

} // namespace

void RegisterDataDrawer(const char* type, DataDrawerFactory factory)
{
    DataDrawers().GetAdd(String(type)) = factory;
}

DataDrawer* GetDataDrawer(const String& type)
{
    int i = DataDrawers().Find(type);
    return i >= 0 && DataDrawers()[i] ? DataDrawers()[i]() : nullptr;
}

void Draw::DrawImageStrips(int x, int y, const Image& img)
{
    int cx = img.GetWidth();
    Vector<bool> draw;
    draw.SetCount(cx, true);
    if(IsDots())
        for(int i = 0; i < cx;) {
            if(!IsWhiteColumn(img, i)) {
                i++;
                continue;
            }
            int end = i + 1;
            while(end < cx && IsWhiteColumn(img, end))
                end++;
            if(end - i >= WHITE_RUN) {
                DrawRect(x + i, y, end - i, img.GetHeight(), White());
                for(int k = i; k < end; k++)
                    draw[k] = false;
            }
            i = end;
        }
    for(int i = 0; i < cx;) {
        if(!draw[i]) {
            i++;
            continue;
        }
        int end = i + 1;
        while(end < cx && draw[end] && end - i < STRIP_PIECE)
            end++;
        DrawImage(x + i, y, img, Rect(i, 0, end, img.GetHeight()));
        i = end;
    }
}

void Draw::DrawData(int x, int y, int cx, int cy, const String& data, const char* type)
{
    dword flags = GetInfoFlags();
    bool native = BeginNativeArea(flags, x, y, cx, cy);
    if(DataDrawer* drawer = GetDataDrawer(String(type))) {
        drawer->Open(data, cx, cy);
        if((cx > DATA_BAND_LIMIT || cy > DATA_BAND_LIMIT) && (flags & DATA_BANDS))
            for(int top = 0; top < cy; top += DATA_BAND) {
                PixelBuffer band(cx, cy - top < DATA_BAND ? cy - top : DATA_BAND);
                if(band.IsEmpty())
                    break;
                drawer->Render(band);
                DrawImageStrips(x, y + top, Image(band));
            }
        else {
            PixelBuffer whole(cx, cy);
            if(!whole.IsEmpty()) {
                drawer->Render(whole);
                DrawImage(x, y, Image(whole));
            }
        }
        delete drawer;
    }
    if(native)
        EndNative();
}

} // namespace Qor
