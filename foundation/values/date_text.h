// Dates as text: month and weekday names in any language, the per-language
// date settings (format, scan order, input filter), formatting, scanning and
// the filter for typed date characters.
#pragma once

#include "foundation/string.h"
#include "foundation/values/language_code.h"
#include "foundation/values/time.h"

namespace Qor {

// Names through the translation catalogue, language 0 meaning the current one;
// the English text when the language has none, empty for an index out of range.
String MonthName(int i, LanguageCode language = 0);      // 0..11 from January
String ShortMonthName(int i, LanguageCode language = 0); // 0..11
String DayName(int i, LanguageCode language = 0);        // 0..6 from Sunday
String ShortDayName(int i, LanguageCode language = 0);   // 0..6

// The three process-wide settings; each setter keeps at most 63 characters
// (null counts as empty). A language change renews all three.
void SetDateFormat(const char* text);
void SetDateScan(const char* text);
void SetDateFilter(const char* text);
const char* GetDateFormat();
const char* GetDateScan();
const char* GetDateFilter();
// What a language change calls, in the order format, scan order, filter.
void RenewDateSettings(const char* format, const char* scan, const char* filter);
// Makes every language change renew the three settings; run before the entry point.
void RegisterDateSettingsHook();

// The date format with the arguments 1 year, 2 month, 3 day, 4 weekday;
// empty for Null.
String FormatDate(Date date);
// FormatDate, then " hh:mm:ss" or " hh:mm"; empty for Null.
String FormatTime(Time time, bool seconds = true);

// Reads the fields named by order ('d', 'm', 'y'; others read and ignore a
// number) from text, starting from base (today when base is Null). Returns
// where reading stopped, null on failure; the empty text gives Null.
const char* ScanDate(const char* order, Date& out, const char* text, Date base = Date());
// ScanDate with the stored scan order.
const char* StrToDate(Date& out, const char* text, Date base = Date());

// The character to insert for a typed c (a letter may become its capital),
// or 0 to refuse it, by the stored input filter.
int CharFilterDate(int c);

} // namespace Qor
