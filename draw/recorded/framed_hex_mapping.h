// The XML and JSON form shared by the binary value types of the drawing layer: the
// value's stream form in the checked "data" frame, as lower-case hex in the attribute or
// member "data".
#pragma once

#include "foundation/callback.h"
#include "foundation/callback_action.h"
#include "foundation/string.h"

namespace Qor {

class Stream;
class XmlizeIo;
class JsonizeIo;

// The framed stream form written by serialize, without a version.
String StoreFramedString(const Callback1<Stream&>& serialize);
// Loads the framed form; false, the object restored by the frame, when the frame or
// payload is damaged.
bool LoadFramedString(const Callback1<Stream&>& serialize, const String& text);

// Throws XmlError "xmlize by serialize error" when a load error escapes the frame.
void XmlizeFramedHex(XmlizeIo& io, const Callback1<Stream&>& serialize);
// Throws JsonizeError "string expected" for a "data" member that is not text, and
// "jsonize by serialize error" when a load error escapes the frame.
void JsonizeFramedHex(JsonizeIo& io, const Callback1<Stream&>& serialize);

// The forms for a type with a Serialize (Stream&) member.
template <class T>
void XmlizeBySerialize(XmlizeIo& io, T& x) { XmlizeFramedHex(io, MakeCallback(&x, &T::Serialize)); }
template <class T>
void JsonizeBySerialize(JsonizeIo& io, T& x) { JsonizeFramedHex(io, MakeCallback(&x, &T::Serialize)); }

} // namespace Qor
