// Fuzz target for the scanners and converters of dates, times and numbers. The first
// byte picks a scan order and converter bounds; the rest is the text. Checked: whatever a
// converter accepts lies within its bounds, and a date it accepts formats and scans back
// to the same date.
#include "fuzz/fuzz_support.h"
#include "foundation/values/convert.h"
#include "foundation/values/date_text.h"
#include "foundation/values/number_scan.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

using namespace Qor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size == 0 || size > 4096)
        return 0;
    int choice = data[0];
    String text((const char*)data + 1, int(size - 1));
    const char* s = text.Begin();

    static const char* const orders[] = {"dmy", "mdy", "ymd", "yd", "d", "xyz", ""};
    Date base(2020, 6, 15);
    Date d;
    const char* end = ScanDate(orders[choice % 7], d, s, base);
    FuzzCheck(!end || (end >= s && end <= text.End()));
    StrToDate(d, s, base);
    CharFilterDate(choice);

    for(unsigned base_digits : {2u, 8u, 10u, 16u, 36u}) {
        const char* e = nullptr;
        ScanIntText(s, &e, base_digits);
        ScanInt64Text(s, &e, base_digits);
        ScanDigits(s, &e, base_digits);
        ScanDigits64(s, &e, base_digits);
    }
    const char* e = nullptr;
    ScanDoubleText(s, &e, choice & 1);
    ScanInt64Value(s);

    Value typed(text);
    ConvertInt ints(-1000, 1000 + choice);
    Value i = ints.Scan(typed);
    FuzzCheck(IsError(i) || i.IsNull() || (i.ToInt64() >= -1000 && i.ToInt64() <= 1000 + choice));
    ConvertDouble doubles(-5.0, 5.0, false, choice & 1);
    Value x = doubles.Scan(typed);
    FuzzCheck(IsError(x) || x.IsNull() || (x.ToDouble() >= -5.0 && x.ToDouble() <= 5.0));
    doubles.Format(x);

    ConvertDate dates(Date(1900, 1, 1), Date(2100, 12, 31), base);
    Value date = dates.Scan(typed);
    if(!IsError(date) && !date.IsNull()) {
        Date got = date.ToDate();
        FuzzCheck(got >= Date(1900, 1, 1) && got <= Date(2100, 12, 31));
        Value shown = dates.Format(date);
        FuzzCheck(dates.Scan(shown) == date);
    }
    ConvertTime times(Time(1900, 1, 1), Time(2100, 12, 31), Time(2020, 6, 15, 12), false, choice & 2);
    Value time = times.Scan(typed);
    if(!IsError(time) && !time.IsNull())
        times.Format(time);
    for(const Convert* c : {(const Convert*)&SharedConvertString(), (const Convert*)&SharedConvert(),
                            (const Convert*)&SharedConvertTimeNotNull()})
        c->Scan(typed);
    return 0;
}
