// StringStream: a stream over a String when reading and over a TextBuffer when
// writing; it changes mode on demand and hands a text past the inline area over without
// copying.
#pragma once

#include "foundation/stream.h"

namespace Qor {

class StringStream : public Stream {
public:
    StringStream() { StartWriting(); }
    StringStream(const String& text) { StartReading(text); }

    void PutOverflow(int c) override;
    int PeekUnderflow() override;
    int GetUnderflow() override;
    void PutBlock(const void* data, uint32 size) override;
    uint32 GetBlock(void* data, uint32 size) override;
    void Seek(int64 pos) override;
    int64 GetSize() const override;
    void SetSize(int64 size) override;
    bool IsOpen() const override { return true; }

    // Reads the given text from position 0 (loading).
    void StartReading(const String& text);
    // Starts an empty text (storing).
    void StartWriting();
    // The whole text written or read; ends write mode.
    String GetText();

private:
    bool write_mode = false;
    String text; // read mode: the text the window lies over
    // Write mode: the text up to its inline capacity lies in its inline area, the window
    // spanning all of it; past that, in a block whose length is the room allocated.
    TextBuffer builder;
    uint32 size = 0; // write mode: the extent written, beyond the current position

    void SetWriteMode();
    void SetReadMode();
    void EmptyBuilder();
    // Gives the builder exactly len bytes of room and re-points the window at it.
    bool Reserve(int64 len);
};

} // namespace Qor
