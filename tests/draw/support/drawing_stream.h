// DrawingStream: writes opcode streams of recorded drawings for the player's tests, operand
// by operand in the recorded form, so a test reads like the stream it builds.
#pragma once

#include "draw/draw.h"
#include "foundation/string_stream.h"

#include <initializer_list>

namespace QorTest {

class DrawingStream {
public:
    DrawingStream& Op(int opcode) { return Packed(opcode); }
    DrawingStream& Packed(int v) { s.SerializeCount(v); return *this; }
    DrawingStream& Int(int v) { s.Serialize(v); return *this; }
    DrawingStream& Ints(std::initializer_list<int> list)
    {
        for(int v : list)
            Int(v);
        return *this;
    }
    DrawingStream& Ink(Qor::Color c)
    {
        Qor::dword bits = c.GetBits();
        s.Serialize(bits);
        return *this;
    }
    DrawingStream& Byte(int b)
    {
        Qor::byte x = (Qor::byte)b;
        s.Serialize(x);
        return *this;
    }
    DrawingStream& Pattern(Qor::uint64 p) { s.Serialize(p); return *this; }
    DrawingStream& Text(Qor::String t) { s.Serialize(t); return *this; }
    DrawingStream& Raw(const Qor::String& bytes) { s.Put(bytes); return *this; }
    // An Image, Font, Drawing or Painting in its stream form.
    template <class T>
    DrawingStream& Item(T x)
    {
        x.Serialize(s);
        return *this;
    }

    Qor::String Data() { return s.GetText(); }

private:
    Qor::StringStream s;
};

} // namespace QorTest
