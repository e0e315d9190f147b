// The process log: one text file under the home folder, fed through a stream
// that cuts the bytes into lines, indents them by a nesting level and sends
// each line to the enabled outputs (the file, stdout, stderr, syslog). Past a
// size limit the file is rotated and restarted.
#pragma once

#include "foundation/stream.h"
#include "foundation/types.h"

namespace Qor {

// Option bits of the log record; bits 24-31 hold the number of old copies.
enum : int32 {
    LOG_FILE = 0x1,            // each line to the log file
    LOG_COUT = 0x2,            // a copy to the standard output stream
    LOG_CERR = 0x4,            // a copy to the standard error stream before the file write
    LOG_CERR_AFTER = 0x8,      // a copy to the standard error stream after the file write
    LOG_SYSLOG = 0x10,         // a copy to syslog (without the time stamp)
    LOG_TIMESTAMP = 0x100,     // each line begins with the local time
    LOG_TIMESTAMP_UTC = 0x200, // each line begins with the UTC time (wins over local)
    LOG_APPEND = 0x400,        // the first opening appends instead of starting empty
    LOG_ROTATE_GZIP = 0x800,   // old copy 2 and older are kept as gzip files
};
constexpr int32 LogOldCopies(int count) { return int32((uint32)(count & 255) << 24); }

// Bytes that open and close one nesting level (one tab each, at most 20).
enum : byte { LOG_BEGIN = 30, LOG_END = 31 };

// No buffer of its own, so every byte reaches PutOverflow. The line buffer and
// the nesting level are process-wide, shared by every LogStream.
class LogStream : public Stream {
public:
    LogStream() { style = STRM_WRITE; }
    void PutOverflow(int c) override;
    void PutBlock(const void* data, uint32 size) override;
    // Bytes of lines sent since the file was last opened.
    int64 GetSize() const override;
    bool IsOpen() const override;
    ~LogStream() override = default;
};

// Built on the first call, which computes the path and opens the file; never destroyed.
Stream& StandardLog();
// The log stream in use: StandardLog, taken on the first call and kept.
Stream& CurrentLog();

// Computes the path: $HOME (or "/root") + "/.qor/NAME/NAME.log", NAME being the
// executable's file name; creates the .qor and NAME folders. A path longer than 511
// bytes is not cut: the path stays empty and no file is written.
void LogFilePath();
// Rotates the old copies (not when appending), opens the file and writes the header.
void OpenLogFile(bool append);
// Sends one line to the enabled outputs; rotates once the limit is crossed.
void WriteLogLine(const char* text, int length, int nesting);

// The log file's full path; empty until computed.
const char* LogFilePathText();

// Puts one piece of the panic block into CurrentLog; start-up installs it as
// the panic's log writer (SetPanicLogWriter).
void WritePanicToLog(const char* text);

// Nothing in the system changes the record's settings from their start values
// (LOG_FILE, 10485760 bytes, log number 0); this exists for tests of the
// outputs and of rotation.
void SetLogSettings(int32 options, int32 size_limit, int32 log_number);

} // namespace Qor
