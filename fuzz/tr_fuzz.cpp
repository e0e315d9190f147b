// Fuzz target for the ".tr" reader: arbitrary bytes are read as a translation
// file against the compiled-in modules and one of short ids. The catalogue is
// put back after every input so that the entry lists stay bounded across runs.
// Run with leak detection off (-detect_leaks=0, ASAN_OPTIONS=detect_leaks=0):
// the containers keep their pointers in the system's own paged heap, which the
// leak checker does not scan, and loaded texts are never freed by design.
#include "foundation/values/translate.h"
#include "foundation/values/translation_file.h"

#include <cstdint>
#include <vector>

using namespace Qor;

namespace {

const TranslationRecord fuzz_module[] = {
    {1, "a"}, {MakeLanguageCode('D', 'E', 'D', 'E', 255), "A"},
    {1, "b\ab"},
    {1, "c\vc"},
    {1, "a"}, // the same key again, a second list of entries
    {0, nullptr},
};

using Snapshot = std::vector<std::vector<std::vector<TranslationEntry>>>;

Snapshot TakeSnapshot()
{
    Snapshot s(TranslationModuleCount());
    for(int m = 0; m < TranslationModuleCount(); m++)
        for(const Vector<TranslationEntry>& list : GetTranslationModule(m).entries)
            s[m].emplace_back(list.begin(), list.end());
    return s;
}

void Restore(const Snapshot& s)
{
    for(int m = 0; m < TranslationModuleCount(); m++) {
        TranslationModule& module = GetTranslationModule(m);
        for(int i = 0; i < module.entries.GetCount(); i++) {
            Vector<TranslationEntry>& list = module.entries[i];
            const std::vector<TranslationEntry>& original = s[m][i];
            if(list.GetCount() > (int)original.size())
                list.Trim((int)original.size());
            for(size_t j = 0; j < original.size(); j++)
                list[(int)j] = original[j];
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Snapshot original = [] {
        RegisterTranslationModule(fuzz_module, "fuzz");
        return TakeSnapshot();
    }();
    String text((const char*)data, (int)size);
    String error;
    bool read = LoadTranslationText(text, "fuzz", &error);
    if(!read && error.IsEmpty())
        __builtin_trap(); // every failure names its reason
    Restore(original);
    return 0;
}
