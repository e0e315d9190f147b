// The Format engine, its formatter registry, the Format entry points,
// TruncateToCharacters and the printf bridge.
#include "foundation/values/format.h"

#include "foundation/values/format_internal.h"

#include "foundation/charset.h"
#include "foundation/key_map.h"
#include "foundation/values/number_text.h"
#include "foundation/values/translate.h"
#include "foundation/wstring.h"

#include <cstdio>

namespace Qor {

namespace {

struct FormatKey {
    String id;
    int type;

    uint32 GetHashValue() const { return CombineHash((uint32)type, id.GetHashValue()); }
};

inline bool operator==(const FormatKey& a, const FormatKey& b) { return a.type == b.type && a.id == b.id; }

} // namespace

static KeyMap<FormatKey, Formatter>& Registry()
{
    static KeyMap<FormatKey, Formatter> registry;
    return registry;
}

void RegisterFormatter(int type_number, const char* id, Formatter formatter)
{
    FormatKey key{String(id ? id : ""), type_number};
    KeyMap<FormatKey, Formatter>& registry = Registry();
    if(registry.Find(key) < 0)
        registry.Add(key, formatter);
}

static Formatter FindInRegistry(const String& id, int type_number)
{
    const KeyMap<FormatKey, Formatter>& registry = Registry();
    int i = registry.Find(FormatKey{id, type_number});
    return i >= 0 ? registry[i] : nullptr;
}

// Every placeholder looks its formatter up, so found pairs of a short id (whose 16
// bytes are the whole key) and a type are kept in a small direct-mapped table. A key
// never changes its formatter once registered, so the table needs no invalidation.
namespace {
struct CachedFormatter {
    uint64 id[2];
    int type;
    Formatter formatter;
};
} // namespace

static CachedFormatter formatter_cache[64];

Formatter FindFormatter(const String& id, int type_number)
{
    if(!id.IsSmall())
        return FindInRegistry(id, type_number);
    uint64 raw[2];
    std::memcpy(raw, id.RawBytes(), 16);
    uint64 h = (raw[0] ^ raw[1] ^ (uint64)type_number) * 0x9E3779B97F4A7C15ULL;
    CachedFormatter& c = formatter_cache[h >> 58];
    if(c.formatter && c.type == type_number && c.id[0] == raw[0] && c.id[1] == raw[1])
        return c.formatter;
    Formatter f = FindInRegistry(id, type_number);
    if(f) {
        c.id[0] = raw[0];
        c.id[1] = raw[1];
        c.type = type_number;
        c.formatter = f;
    }
    return f;
}

static bool IsAsciiLetter(int c) { return (unsigned)((c | 0x20) - 'a') < 26; }

// Widths and positions beyond this are all the same to the engine (both are
// errors there); saturating keeps hostile digit runs from overflowing.
static const int NUMBER_LIMIT = 1000000000;

static void AppendInvalidPosition(TextBuffer& out, int p)
{
    out.Append("<invalid pos=");
    out.Append(IntToText(p));
    out.AppendChar('>');
}

// The text of the argument under id, shortening the id from its end until a
// formatter is found; every removed letter moves s back so it is copied as text.
static String RunFormatter(FormatItem& item, const char*& s)
{
    int type = item.arg.GetTypeNumber();
    for(;;) {
        Formatter f = FindFormatter(item.id, type);
        if(!f)
            f = FindFormatter(item.id, FORMAT_ANY_TYPE);
        if(f)
            return f(item);
        if(item.id.IsEmpty())
            return "<N/A '" + item.id + "' for type " + IntToText(type) + ">";
        item.id.Truncate(item.id.GetLength() - 1);
        s--;
    }
}

static void Align(String& text, int width, int align)
{
    if(width > 1000 || width < 0) {
        text.Append("<invalid padding>");
        return;
    }
    int length = text.CharacterCount();
    if(length >= width) {
        TruncateToCharacters(text, width);
        return;
    }
    int pad = width - length;
    int before = align == '>' ? pad : align == '<' ? 0 : pad / 2;
    String padded;
    char* p = padded.Insert(0, width - length + text.GetLength());
    std::memset(p, ' ', before);
    std::memcpy(p + before, text.Begin(), text.GetLength());
    std::memset(p + before + text.GetLength(), ' ', pad - before);
    text = static_cast<String&&>(padded);
}

static String FormatCore(LanguageCode language, const char* format, const FormatArg* args, int count)
{
    RegisterStandardFormatters();
    TextBuffer out;
    if(!format)
        return String(out);
    const char* s = format;
    int p = 0; // the next argument; it carries over from one placeholder to the next
    FormatItem item;
    item.language = language;
    for(;;) {
        const char* text = s;
        while(*s && *s != '%')
            s++;
        out.Append(text, int(s - text));
        if(!*s)
            break;
        s++;
        if(*s == '%') {
            out.AppendChar('%');
            s++;
            continue;
        }
        item.options.Clear();
        String null_text;
        bool has_null_text = false;
        int width = 0;
        int align = 0;
        int v = 0;
        bool star_missing = false; // a '*' found no argument at star_position
        int star_position = 0;
        const char* pending = s;
        for(;;) {
            int c = (byte)*s;
            if(c == '$' || c == ':') {
                p = v - 1;
                v = 0;
                pending = ++s;
            }
            else if(c == '*') {
                item.options.Append(pending, int(s - pending));
                int x = 0;
                if(p < 0 || p >= count) {
                    if(!star_missing)
                        star_position = p;
                    star_missing = true;
                }
                else {
                    Value box;
                    x = args[p++].Get(box).ToInt();
                }
                c = (byte)*++s;
                if(c && std::strchr(":$<=>", c))
                    v = x < -NUMBER_LIMIT ? -NUMBER_LIMIT : x > NUMBER_LIMIT ? NUMBER_LIMIT : x; // Null is INT_MIN
                else
                    item.options.Append(IntToText(x));
                pending = s;
            }
            else if(c == '<' || c == '>' || c == '=') {
                width = v;
                align = c;
                v = 0;
                pending = ++s;
            }
            else if(c == '[') {
                item.options.Append(pending, int(s - pending));
                const char* b = ++s;
                while(*s && *s != ']')
                    s++;
                item.options.Append(b, int(s - b));
                if(*s)
                    s++;
                pending = s;
                c = (byte)*s;
                if(!IsAsciiLetter(c) && c != '~')
                    break; // the empty id, here
            }
            else if(c == '~') {
                null_text = static_cast<String&&>(item.options);
                item.options.Clear();
                has_null_text = true;
                pending = ++s;
            }
            else if(c >= '0' && c <= '9') {
                v = v < NUMBER_LIMIT / 10 ? 10 * v + (c - '0') : NUMBER_LIMIT;
                s++;
            }
            else if(c == '`' || c == 0 || IsAsciiLetter(c)) {
                item.options.Append(pending, int(s - pending));
                break;
            }
            else {
                v = 0;
                s++;
            }
        }
        const char* id = s;
        while(IsAsciiLetter((byte)*s))
            s++;
        if(star_missing || p < 0 || p >= count) {
            AppendInvalidPosition(out, star_missing ? star_position : p);
            if(*s == '`')
                s++;
            continue;
        }
        item.id.Assign(id, int(s - id));
        const FormatArg& arg = args[p++];
        if(!align && !(has_null_text && arg.IsNull())) {
            Formatter f = FindFormatter(item.id, arg.GetTypeNumber());
            if(f && AppendPlainPlaceholder(out, f, arg, item.id, item.options)) {
                if(*s == '`')
                    s++;
                continue;
            }
        }
        if(arg.IsText())
            item.arg = String(arg.GetText(), arg.GetLength());
        else
            item.arg = arg.Get(item.arg);
        String result = has_null_text && item.arg.IsNull() ? null_text : RunFormatter(item, s);
        if(align)
            Align(result, width, align);
        out.Append(result);
        if(*s == '`')
            s++;
    }
    return String(out);
}

String FormatValues(LanguageCode language, const char* format, const Value* args[], int count)
{
    FormatArg small[16];
    Vector<FormatArg> large;
    FormatArg* list = small;
    if(count > 16) {
        large.Reserve(count);
        for(int i = 0; i < count; i++)
            large.Add(FormatArg(*args[i]));
        list = large.begin();
    }
    else
        for(int i = 0; i < count; i++)
            list[i] = FormatArg(*args[i]);
    return FormatCore(language, format, list, count);
}

String FormatArgs(LanguageCode language, const char* format, std::initializer_list<FormatArg> args)
{
    return FormatCore(language, format, args.begin(), (int)args.size());
}

LanguageCode FormatLanguage() { return GetCurrentLanguage(); }

String Format(const char* format, const Value& a1)
{
    const Value* args[] = {&a1};
    return FormatValues(GetCurrentLanguage(), format, args, 1);
}

String Format(const char* format, const Value& a1, const Value& a2)
{
    const Value* args[] = {&a1, &a2};
    return FormatValues(GetCurrentLanguage(), format, args, 2);
}

String Format(const char* format, const Value& a1, const Value& a2, const Value& a3)
{
    const Value* args[] = {&a1, &a2, &a3};
    return FormatValues(GetCurrentLanguage(), format, args, 3);
}

String Format(const char* format, const Value& a1, const Value& a2, const Value& a3, const Value& a4)
{
    const Value* args[] = {&a1, &a2, &a3, &a4};
    return FormatValues(GetCurrentLanguage(), format, args, 4);
}

String Format(const char* format, const Value& a1, const Value& a2, const Value& a3, const Value& a4,
              const Value& a5, const Value& a6)
{
    const Value* args[] = {&a1, &a2, &a3, &a4, &a5, &a6};
    return FormatValues(GetCurrentLanguage(), format, args, 6);
}

String Format(const char* format, const Vector<Value>& args)
{
    int n = args.GetCount();
    const Value* small[16];
    Vector<const Value*> large;
    const Value** list = small;
    if(n > 16) {
        large.SetCount(n);
        list = large.begin();
    }
    for(int i = 0; i < n; i++)
        list[i] = &args[i];
    return FormatValues(GetCurrentLanguage(), format, list, n);
}

void TruncateToCharacters(String& text, int n)
{
    if(n < 0)
        n = 0;
    if(text.GetLength() <= n)
        return; // no text has more characters than bytes
    if(DefaultCharset() != CHARSET_UTF8) {
        text.Truncate(n);
        return;
    }
    WString w = DecodeUtf8(text);
    if(w.GetLength() <= n)
        return;
    text = EncodeUtf8(w.Begin(), n);
}

String VPrintfToString(const char* format, va_list args)
{
    char small[1024];
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    String out;
    if(n >= (int)sizeof small) {
        char* buffer = out.Insert(0, n);
        char keep = buffer[n]; // vsnprintf ends with a zero of its own; the String keeps its own
        std::vsnprintf(buffer, n + 1, format, again);
        buffer[n] = keep;
    }
    else if(n > 0)
        out = String(small, n);
    va_end(again);
    return out;
}

String PrintfToString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    String out = VPrintfToString(format, args);
    va_end(args);
    return out;
}

String UIntToText(unsigned value) { return PrintfToString("%u", value); }

static ValueTextFunction value_text_function;
static LanguageDoubleFunction language_double_function;

void SetFormatValueFunction(ValueTextFunction f) { value_text_function = f; }
void SetLanguageDoubleFunction(LanguageDoubleFunction f) { language_double_function = f; }

String FormatValueText(const Value& v) { return value_text_function ? value_text_function(v) : v.ToString(); }

String LanguageDoubleText(LanguageCode language, int count, unsigned flags, int exponent_digits, double x)
{
    if(language_double_function)
        return language_double_function(language, count, flags, exponent_digits, x);
    return DoubleToGeneralText(count, flags, exponent_digits, x);
}

} // namespace Qor
