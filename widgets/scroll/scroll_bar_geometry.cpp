// Scroll-bar arithmetic: arrows, track, thumb and positions.

#include "widgets/scroll/scroll_bar_geometry.h"

#include "foundation/numeric.h"

#include <algorithm>
#include <climits>

namespace Qor {

int ScrollArrowRoom(int length, int arrow, bool second_back, bool second_forward)
{
    return length > arrow * (int(second_back) + int(second_forward) + 3) ? arrow : 0;
}

Rect ScrollTrackRect(const Rect& view, bool horizontal, int arrow, bool second_back, bool second_forward)
{
    int near_cut = arrow + (second_forward ? arrow : 0);
    int far_cut = arrow + (second_back ? arrow : 0);
    Rect r = view;
    if(horizontal) {
        r.left += near_cut;
        r.right -= far_cut;
    }
    else {
        r.top += near_cut;
        r.bottom -= far_cut;
    }
    return r;
}

int MaxScrollPosition(int page, int total)
{
    // 64 bits: a negative page would overflow the difference.
    return int(std::clamp<int64>(int64(total) - page, 0, INT_MAX));
}

int ClampScrollPosition(int position, int page, int total)
{
    return std::max(std::min(position, MaxScrollPosition(page, total)), 0);
}

int ClampThumbOffset(int offset, int size, int track_length)
{
    if(offset + int64(size) > track_length)
        offset = track_length - size;
    return std::max(offset, 0);
}

ScrollThumb ComputeScrollThumb(int track_length, int position, int page, int total, int min_thumb)
{
    int t = std::max(track_length, 0);
    double size = t;
    double offset = 0;
    if(total > 0) {
        double s = double(int64(page) * t) / total;
        if(s >= t || s < 0) {
            size = t;
            offset = 0;
        }
        else if(s <= min_thumb) {
            size = min_thumb;
            int64 range = int64(total) - page;
            offset = range > 0 ? double(int64(t - min_thumb) * position) / double(range) : 0;
        }
        else {
            size = s;
            offset = double(int64(position) * t) / total;
        }
    }
    ScrollThumb thumb;
    thumb.size = std::min(CeilToInt(size), t);
    thumb.offset = ClampThumbOffset(FloorToInt(offset), thumb.size, t);
    return thumb;
}

int ScrollPositionFromThumb(const ScrollThumb& thumb, int track_length, int page, int total, int min_thumb)
{
    if(min_thumb > track_length || total <= page)
        return 0;
    int position;
    if(thumb.offset == track_length - thumb.size)
        position = MaxScrollPosition(page, total);
    else if(thumb.size == min_thumb)
        position = ScaleInt(thumb.offset, MaxScrollPosition(page, total), track_length - thumb.size);
    else
        position = ScaleInt(thumb.offset, total, track_length);
    return ClampScrollPosition(position, page, total);
}

Rect ScrollPartRect(const Rect& track, bool horizontal, const ScrollThumb& thumb, int part, int overlap, int min_thumb)
{
    int start = horizontal ? track.left : track.top;
    int end = horizontal ? track.right : track.bottom;
    int t = thumb.size < min_thumb ? 0 : thumb.size;
    int thumb_start = start + thumb.offset;
    int from, to;
    switch(part) {
    case SCROLL_PART_BEFORE:
        from = start;
        to = thumb_start + t / 2 - overlap;
        break;
    case SCROLL_PART_AFTER:
        from = thumb_start + t / 2 + overlap;
        to = end;
        break;
    default:
        from = thumb_start - overlap;
        to = thumb_start + t + overlap;
        break;
    }
    return horizontal ? Rect(from, track.top, to, track.bottom) : Rect(track.left, from, track.right, to);
}

} // namespace Qor
