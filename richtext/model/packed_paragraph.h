// The packed paragraph form: a paragraph stored as the differences of its formats from its
// style's, with its text and short format codes, and the objects kept beside it.
#pragma once

#include "foundation/owned_array.h"
#include "richtext/model/paragraph.h"

namespace Qor {

// The packed form of p relative to the style's format; objects is refilled with copies of
// p's objects in text order. Values that do not fit the form's 16-bit fields are clamped,
// control characters other than the tab are left out of the text.
String PackParagraph(const UnpackedParagraph& p, const ParagraphFormat& style, OwnedArray<EmbeddedObject>& objects);

// Rebuilds p from a packed form against the style's format, taking object parts from the
// list in order. With a cache key, a cached paragraph of that key is taken over instead.
// Damaged or hostile data gives whatever it holds that reads: an object code past the list
// is passed over, fields nest to a bounded depth.
void UnpackParagraph(UnpackedParagraph& p, const String& packed, const OwnedArray<EmbeddedObject>& objects,
                     const ParagraphFormat& style);

} // namespace Qor
