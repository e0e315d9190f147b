// The arithmetic of a scroll bar, apart from the control: where the arrows and the track
// lie, how long the thumb is and where it sits for a position, and which position a
// dragged thumb stands for. Lengths run along the bar; a vertical bar's run downwards.
#pragma once

#include "foundation/values/rect.h"

namespace Qor {

enum : int { SCROLL_PART_BEFORE = 0, SCROLL_PART_AFTER = 1, SCROLL_PART_THUMB = 2, SCROLL_PART_NONE = -1 };

struct ScrollThumb {
    int offset; // from the track start
    int size;
};

// The arrow size a bar of this length shows: 0 when the arrows do not fit (the length must
// exceed the arrow size times the number of arrows plus one).
int ScrollArrowRoom(int length, int arrow, bool second_back, bool second_forward);

// The track inside view: the view less the arrows at both ends, and less a second back
// arrow at the far end or a second forward arrow at the near end. arrow is the size
// ScrollArrowRoom gave.
Rect ScrollTrackRect(const Rect& view, bool horizontal, int arrow, bool second_back, bool second_forward);

// The largest first position that still fills the page, never below 0.
int MaxScrollPosition(int page, int total);
int ClampScrollPosition(int position, int page, int total);

// The thumb for a (clamped) position on a track of track_length pixels; min_thumb is the
// shortest thumb. The thumb never leaves the track.
ScrollThumb ComputeScrollThumb(int track_length, int position, int page, int total, int min_thumb);

// The thumb moved to offset and kept inside the track.
int ClampThumbOffset(int offset, int size, int track_length);

// The position a thumb at offset stands for: 0 when the track is shorter than the minimum
// thumb or nothing scrolls, the last position when the thumb touches the track end.
int ScrollPositionFromThumb(const ScrollThumb& thumb, int track_length, int page, int total, int min_thumb);

// A part of the track (SCROLL_PART_*) across its whole width. The two track parts meet
// under the middle of the thumb; overlap widens the thumb at both ends and pulls the track
// parts back from the middle. A thumb under min_thumb counts as empty.
Rect ScrollPartRect(const Rect& track, bool horizontal, const ScrollThumb& thumb, int part, int overlap, int min_thumb);

} // namespace Qor
