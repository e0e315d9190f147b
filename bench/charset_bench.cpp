// Charset conversions against the C library's iconv on 1 MB of mixed text, and
// the case operations of the lookup path over dictionary-like lines against
// the C library's wide-character case functions.
#include "foundation/charset.h"
#include "foundation/string.h"
#include "foundation/wstring.h"

#include <benchmark/benchmark.h>

#include <iconv.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

using namespace Qor;

namespace {

const char* const mixed_words[] = {
    "the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "and", "then", "some", "more", "text",
    "caf\xC3\xA9", "na\xC3\xAFve", "gar\xC3\xA7on", "\xC3\xBC" "ber", "stra\xC3\x9F" "e",           // Latin-1
    "\xC5\xBEluou\xC4\x8Dk\xC3\xBD", "k\xC5\xAF\xC5\x88", "\xC3\xBA\x70\xC4\x9Bl", "\xC4\x8F\xC3\xA1\x62\x65lsk\xC3\xA9", // Czech
    "\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1", "\xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xB5",                 // Greek
    "\xE4\xB8\xAD\xE6\x96\x87", "\xE6\x97\xA5\xE6\x9C\xAC",                                          // CJK
};

const char* const czech_words[] = {
    "the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "and", "then", "some", "more", "text",
    "caf\xC3\xA9", "\xC3\xBC" "ber", "stra\xC3\x9F" "e", "\xC5\xBEluou\xC4\x8Dk\xC3\xBD", "k\xC5\xAF\xC5\x88",
    "\xC3\xBA\x70\xC4\x9Bl", "\xC4\x8F\xC3\xA1\x62\x65lsk\xC3\xA9", "\xC5\x99\x65\xC5\xA1it", "\xC5\xA1\xC3\xADp",
};

template <size_t N>
String MakeText(const char* const (&words)[N], int size)
{
    std::mt19937 rng(42);
    std::string s;
    while((int)s.size() < size) {
        s += words[rng() % (rng() % 3 ? 13 : N)]; // mostly ASCII words
        s += rng() % 12 ? ' ' : '\n';
    }
    return String(s.data(), (int)s.size());
}

const String& MixedUtf8()
{
    static String s = MakeText(mixed_words, 1 << 20);
    return s;
}

const String& CzechUtf8()
{
    static String s = MakeText(czech_words, 1 << 20);
    return s;
}

int Cp1250() { return FindCharset("windows-1250"); }

// The texts as the conversions take them: UTF-8 and windows-1250 bytes, and
// the 16-bit units of each.
struct Texts {
    String utf8 = MixedUtf8();
    WString utf8_units = DecodeUtf8(utf8);
    String cp1250 = EncodeText(DecodeUtf8(CzechUtf8()), Cp1250());
    WString cp1250_units = DecodeText(cp1250, Cp1250());
};

const Texts& GetTexts()
{
    static Texts t;
    return t;
}

// Pieces of a text: the whole 1 MB at once, or pieces of about 16 KiB cut at
// spaces. The whole text needs a fresh 2 MB result block per conversion, whose
// page faults weigh as much as the conversion; the pieces reuse heap blocks
// and show the conversion itself.
template <class Unit>
std::vector<std::pair<const Unit*, int>> Pieces(const Unit* text, int length, bool whole)
{
    std::vector<std::pair<const Unit*, int>> pieces;
    int pos = 0;
    while(pos < length) {
        int end = whole ? length : std::min(pos + 16384, length);
        while(end < length && text[end - 1] != ' ')
            end++;
        pieces.push_back({text + pos, end - pos});
        pos = end;
    }
    return pieces;
}

enum Direction { DECODE_UTF8, ENCODE_UTF8, DECODE_1250, ENCODE_1250 };

void RunQor(benchmark::State& state, Direction d)
{
    const Texts& t = GetTexts();
    bool whole = state.range(0);
    int64_t bytes = 0;
    if(d == DECODE_UTF8 || d == DECODE_1250) {
        const String& s = d == DECODE_UTF8 ? t.utf8 : t.cp1250;
        int charset = d == DECODE_UTF8 ? CHARSET_UTF8 : Cp1250();
        auto pieces = Pieces(s.Begin(), s.GetLength(), whole);
        for(auto _ : state)
            for(auto [p, n] : pieces)
                benchmark::DoNotOptimize(DecodeText(p, n, charset));
        bytes = s.GetLength();
    }
    else {
        const WString& w = d == ENCODE_UTF8 ? t.utf8_units : t.cp1250_units;
        int charset = d == ENCODE_UTF8 ? CHARSET_UTF8 : Cp1250();
        auto pieces = Pieces(w.Begin(), w.GetLength(), whole);
        for(auto _ : state)
            for(auto [p, n] : pieces)
                benchmark::DoNotOptimize(EncodeText(p, n, charset));
        bytes = d == ENCODE_UTF8 ? t.utf8.GetLength() : t.cp1250.GetLength();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes); // bytes on the 8-bit side
}

// iconv into a preallocated buffer: it gets the allocation for free.
void RunIconv(benchmark::State& state, Direction d)
{
    const Texts& t = GetTexts();
    bool whole = state.range(0);
    const char* to = d == DECODE_UTF8 || d == DECODE_1250 ? "UTF-16LE" : d == ENCODE_UTF8 ? "UTF-8" : "CP1250";
    const char* from = d == ENCODE_UTF8 || d == ENCODE_1250 ? "UTF-16LE" : d == DECODE_UTF8 ? "UTF-8" : "CP1250";
    std::vector<std::pair<const char*, int>> pieces; // in bytes
    int64_t bytes = 0;
    if(d == DECODE_UTF8 || d == DECODE_1250) {
        const String& s = d == DECODE_UTF8 ? t.utf8 : t.cp1250;
        pieces = Pieces(s.Begin(), s.GetLength(), whole);
        bytes = s.GetLength();
    }
    else {
        const WString& w = d == ENCODE_UTF8 ? t.utf8_units : t.cp1250_units;
        for(auto [p, n] : Pieces(w.Begin(), w.GetLength(), whole))
            pieces.push_back({(const char*)p, 2 * n});
        bytes = d == ENCODE_UTF8 ? t.utf8.GetLength() : t.cp1250.GetLength();
    }
    iconv_t cd = iconv_open(to, from);
    if(cd == (iconv_t)-1) {
        state.SkipWithError("iconv_open failed");
        return;
    }
    std::vector<char> out(4 * bytes + 64);
    for(auto _ : state)
        for(auto [p, n] : pieces) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char* ip = (char*)p;
            size_t il = n;
            char* op = out.data();
            size_t ol = out.size();
            if(iconv(cd, &ip, &il, &op, &ol) == (size_t)-1)
                state.SkipWithError("iconv failed");
            benchmark::DoNotOptimize(op);
        }
    iconv_close(cd);
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_Utf8Decode_Qor(benchmark::State& state) { RunQor(state, DECODE_UTF8); }
void BM_Utf8Decode_Iconv(benchmark::State& state) { RunIconv(state, DECODE_UTF8); }
void BM_Utf8Encode_Qor(benchmark::State& state) { RunQor(state, ENCODE_UTF8); }
void BM_Utf8Encode_Iconv(benchmark::State& state) { RunIconv(state, ENCODE_UTF8); }
void BM_Cp1250Decode_Qor(benchmark::State& state) { RunQor(state, DECODE_1250); }
void BM_Cp1250Decode_Iconv(benchmark::State& state) { RunIconv(state, DECODE_1250); }
void BM_Cp1250Encode_Qor(benchmark::State& state) { RunQor(state, ENCODE_1250); }
void BM_Cp1250Encode_Iconv(benchmark::State& state) { RunIconv(state, ENCODE_1250); }

// 2,000 lines "term|meaning" as the lookup program holds them.
const std::vector<String>& DictionaryLines()
{
    static std::vector<String> lines = [] {
        std::mt19937 rng(7);
        std::vector<String> v;
        for(int i = 0; i < 2000; i++) {
            std::string line;
            int words = 1 + rng() % 2;
            for(int w = 0; w < words; w++)
                line += std::string(w ? " " : "") + czech_words[rng() % (sizeof(czech_words) / sizeof(czech_words[0]))];
            line += "|";
            words = 2 + rng() % 6;
            for(int w = 0; w < words; w++)
                line += std::string(w ? " " : "") + mixed_words[rng() % (sizeof(mixed_words) / sizeof(mixed_words[0]))];
            v.push_back(String(line.data(), (int)line.size()));
        }
        return v;
    }();
    return lines;
}

void BM_CaseLines_Qor(benchmark::State& state)
{
    const std::vector<String>& lines = DictionaryLines();
    for(auto _ : state)
        for(const String& line : lines)
            benchmark::DoNotOptimize(LowerCaseText(CapitalizeWords(line.Begin(), CHARSET_UTF8), CHARSET_UTF8));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(lines.size()));
}

// The same work through the C library: multibyte to wide, towupper/towlower by
// the same word rule, back to multibyte, twice.
void BM_CaseLines_Libc(benchmark::State& state)
{
    if(!std::setlocale(LC_ALL, "C.UTF-8")) {
        state.SkipWithError("no C.UTF-8 locale");
        return;
    }
    const std::vector<String>& lines = DictionaryLines();
    std::vector<wchar_t> wide(4096);
    std::vector<char> narrow(4096);
    for(auto _ : state)
        for(const String& line : lines) {
            size_t n = std::mbstowcs(wide.data(), line.Begin(), wide.size());
            bool start = true;
            for(size_t i = 0; i < n; i++) {
                wint_t c = wide[i];
                wide[i] = start ? std::towupper(c) : std::towlower(c);
                start = !std::iswdigit(c) && !std::iswalpha(c);
            }
            std::wcstombs(narrow.data(), wide.data(), narrow.size());
            String capitalized(narrow.data());
            n = std::mbstowcs(wide.data(), capitalized.Begin(), wide.size());
            for(size_t i = 0; i < n; i++)
                wide[i] = std::towlower(wide[i]);
            size_t m = std::wcstombs(narrow.data(), wide.data(), narrow.size());
            benchmark::DoNotOptimize(String(narrow.data(), (int)m));
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(lines.size()));
    std::setlocale(LC_ALL, "C");
}

} // namespace

BENCHMARK(BM_Utf8Decode_Qor)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Utf8Decode_Iconv)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Utf8Encode_Qor)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Utf8Encode_Iconv)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Cp1250Decode_Qor)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Cp1250Decode_Iconv)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Cp1250Encode_Qor)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_Cp1250Encode_Iconv)->ArgName("whole")->Arg(1)->Arg(0);
BENCHMARK(BM_CaseLines_Qor);
BENCHMARK(BM_CaseLines_Libc);
