// CompareValues: the standard order of Values handed to list controls. Texts are
// compared by a replaceable language comparison; until the collation of the language
// information is installed, 16-bit units decide.

#include "foundation/values/value.h"

#include "foundation/values/translate.h"

namespace Qor {

static int CompareUnits(const wchar16* a, int la, const wchar16* b, int lb, LanguageCode)
{
    int n = la < lb ? la : lb;
    for(int i = 0; i < n; i++)
        if(a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return la < lb ? -1 : la > lb ? 1 : 0;
}

static ValueTextCompare text_compare = CompareUnits;

void SetValueTextCompare(ValueTextCompare compare)
{
    text_compare = compare ? compare : CompareUnits;
}

ValueTextCompare GetValueTextCompare()
{
    return text_compare;
}

template <class T>
static int Sign3(const T& a, const T& b)
{
    return a < b ? -1 : b < a ? 1 : 0; // NaN: neither is less
}

static bool IsIntOrBool(int t) { return t == INT_V || t == BOOL_V; }
static bool IsNumber(int t) { return t == INT_V || t == BOOL_V || t == DOUBLE_V || t == INT64_V; }
static bool IsDateOrTime(int t) { return t == DATE_V || t == TIME_V; }
static bool IsText(int t) { return t == STRING_V || t == WSTRING_V; }

int CompareValues(const Value& a, const Value& b, LanguageCode language)
{
    bool na = a.IsNull(), nb = b.IsNull();
    if(na || nb)
        return na && nb ? 0 : na ? -1 : 1;
    int ta = a.GetTypeNumber(), tb = b.GetTypeNumber();
    if(IsIntOrBool(ta) && IsIntOrBool(tb))
        return Sign3(a.ToInt(), b.ToInt());
    if(IsNumber(ta) && IsNumber(tb))
        return Sign3(a.ToDouble(), b.ToDouble());
    if(ta == DATE_V && tb == DATE_V) {
        Date x = a.ToDate(), y = b.ToDate();
        return Date::Less(x, y) ? -1 : Date::Less(y, x) ? 1 : 0;
    }
    if(IsDateOrTime(ta) && IsDateOrTime(tb)) {
        Time x = a.ToTime(), y = b.ToTime();
        return Time::Less(x, y) ? -1 : Time::Less(y, x) ? 1 : 0;
    }
    if(IsText(ta) && IsText(tb)) {
        WString x = a.ToWString(), y = b.ToWString();
        return text_compare(x.Begin(), x.GetLength(), y.Begin(), y.GetLength(), language);
    }
    return Sign3(ta, tb);
}

int CompareValues(const Value& a, const Value& b)
{
    return CompareValues(a, b, GetCurrentLanguage());
}

} // namespace Qor
