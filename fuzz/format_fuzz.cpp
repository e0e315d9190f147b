// Fuzz target for the Format engine, the date format and the date and time patterns with
// hostile format texts and arguments. The first bytes choose up to six arguments of mixed
// types (Null ones included); the rest is the format. Checked: nothing crashes or overflows,
// and no result grows past what the caps allow.
#include "foundation/values/date_text.h"
#include "foundation/values/format.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Qor;

namespace {

// Reads a little-endian int from the input, zero-padded at its end.
int TakeInt(const uint8_t*& p, const uint8_t* end)
{
    uint32_t x = 0;
    for(int i = 0; i < 4; i++)
        x |= uint32_t(p < end ? *p++ : 0) << (8 * i);
    return (int)x;
}

Value TakeValue(const uint8_t*& p, const uint8_t* end)
{
    int kind = p < end ? *p++ : 0;
    int x = TakeInt(p, end);
    switch(kind % 9) {
    case 0: return Value(x);
    case 1: return Value(INT_NULL);
    case 2: return Value((double)x / 7.0);
    case 3: { double d; uint64_t bits = (uint64_t)(uint32_t)x << 32 | (uint32_t)TakeInt(p, end); std::memcpy(&d, &bits, 8); return Value(d); }
    case 4: return Value((int64)x * 1000003);
    case 5: return Value(Date(x % 5000, (x >> 12) % 14, (x >> 20) % 33));
    case 6: return Value(Time(x % 5000, 1 + (x >> 12) % 12, 1 + (x >> 20) % 28, (x >> 8) % 25, x % 61, (x >> 4) % 61));
    case 7: return Value(String((const char*)p, (int)((end - p) < 8 ? end - p : 8)));
    default: return Value();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 4096)
        return 0;
    const uint8_t* p = data;
    const uint8_t* end = data + size;
    int count = p < end ? *p++ % 7 : 0;
    Value values[6];
    const Value* args[6];
    for(int i = 0; i < count; i++) {
        values[i] = TakeValue(p, end);
        args[i] = &values[i];
    }
    String format((const char*)p, int(end - p));

    // Widths are capped at 65,536 per placeholder, paddings at 1000; the longest text of
    // one argument is the Roman form of the lowest int (a few million letters).
    String result = FormatValues(0, format.Begin(), args, count);
    if(result.GetLength() > (format.GetLength() + 1) * 70000 + 3000000 * 6)
        std::abort();

    String saved = GetDateFormat();
    SetDateFormat(format.Begin());
    String date = FormatDate(Date(2024, 2, 29));
    if(date.GetLength() > (format.GetLength() + 1) * 70000)
        std::abort();
    FormatTime(Time(1999, 12, 31, 23, 59, 58));
    SetDateFormat(saved.Begin());

    FormatDateByPattern(Date(2024, 2, 29), format.Begin(), 0);
    FormatTimeByPattern(Time(2000, 1, 1, 12, 0, 0), format.Begin(), 0);
    return 0;
}
