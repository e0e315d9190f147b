// ParagraphStyle and the style map: the named paragraph formats a document holds, keyed
// by their ids, and the default style that stands in for a missing one.
#pragma once

#include "foundation/key_map.h"
#include "foundation/values/uuid.h"
#include "richtext/model/formats.h"

namespace Qor {

struct ParagraphStyle {
    ParagraphFormat format;
    String name;
    Uuid next; // the style a new paragraph after one of this style takes
};

// Insertion order is the order in which styles are numbered when written.
using ParagraphStyleMap = OwnedKeyMap<Uuid, ParagraphStyle>;

// The id of the style every document holds as "Default", and of a format's default style.
inline constexpr Uuid DefaultStyleId = Uuid();

// One process-wide style with the default format, no name and the default next style;
// it stands in for any id a document does not hold.
const ParagraphStyle& GetDefaultParagraphStyle();

} // namespace Qor
