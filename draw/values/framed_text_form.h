// The XML and JSON form shared by the binary value types of the drawing library: the
// framed stream form as lower-case hex in the attribute or member "data".
#pragma once

#include "foundation/callback.h"
#include "foundation/callback_action.h"
#include "foundation/stream.h"

namespace Qor {

class XmlizeIo;
class JsonizeIo;

// A callback running x->Serialize(stream), for the framed store and load.
template <class T>
Callback1<Stream&> SerializeCallbackOf(T* x)
{
    using M = void (T::*)(Stream&);
    return Callback1<Stream&>(new CallbackMethodAction<T, M>(x, static_cast<M>(&T::Serialize)));
}

// Storing writes the hex of the framed form; loading reads it back, skipping anything
// that is not a hex digit. A damaged frame leaves the value as it was and throws nothing;
// a loading error escaping the frame becomes XmlError "xmlize by serialize error" or
// JsonizeError "jsonize by serialize error". A JSON "data" member that is neither text
// nor Null throws JsonizeError "string expected".
void XmlizeByFramedForm(XmlizeIo& io, const Callback1<Stream&>& serialize);
void JsonizeByFramedForm(JsonizeIo& io, const Callback1<Stream&>& serialize);

} // namespace Qor
