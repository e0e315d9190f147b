// zlib, gzip and bzip2 over streams and Strings, in fixed 64 KiB chunks.
// The progress callback gets (input bytes consumed, total) once per input chunk and
// cancels by returning true.
#pragma once

#include "foundation/callback.h"
#include "foundation/string.h"

namespace Qor {

class Stream;

using CompressionProgress = BoolCallback2<int, int>;

String CompressGzip(const void* data, int size, CompressionProgress progress = {});
String CompressGzip(const String& s, CompressionProgress progress = {});

String CompressZlib(const void* data, int size, CompressionProgress progress = {});
String CompressZlib(const String& s, CompressionProgress progress = {});
String DecompressZlib(const void* data, int size, CompressionProgress progress = {});
String DecompressZlib(const String& s, CompressionProgress progress = {});

// The stream forms return the number of bytes written (at most INT32_MAX), or -1.
int CompressZlib(Stream& out, Stream& in, CompressionProgress progress = {});
int DecompressZlib(Stream& out, Stream& in, CompressionProgress progress = {});

// Decompressors also ask progress after every 64 KiB of output, so that a caller can
// stop a small input that expands without end. The memory forms give the void String for
// an output past the largest String; the stream form gives -1 when out fails to take it.

// The decompressed rest of in; damaged input gives the text produced up to the damage.
String DecompressBzip2(Stream& in, CompressionProgress progress = {});

} // namespace Qor
