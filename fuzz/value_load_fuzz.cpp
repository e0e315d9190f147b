// Fuzz target for the binary Value loader. The input is loaded as a bare binary form from
// a stream that knows its size, from one that throws, and as a framed text. Checked: a
// failed load leaves nothing but void or the empty String; a successful load stores again
// in a form that loads without error and stores to the same bytes; a failed framed load
// leaves its target untouched.
#include "fuzz/fuzz_support.h"
#include "foundation/string_stream.h"
#include "foundation/values/value_registry.h"
#include "tests/registration/foundation_value_types.h"

#include <cstdint>
#include <cstdlib>

using namespace Qor;

namespace {

bool IsEmptyResult(const Value& v)
{
    return v.IsVoid() || (v.IsStringForm() && v.StringRef().IsEmpty());
}

String Store(Value& v)
{
    StringStream s;
    SerializeValue(s, v);
    if(s.IsError())
        std::abort();
    return s.GetText();
}

// Loads text; false when the load failed (then the Value must be empty).
bool LoadChecked(const String& text, Value& v, bool throwing)
{
    StringStream s(text);
    s.SetLoadThrowing(throwing);
    bool thrown = false;
    try {
        SerializeValue(s, v);
    }
    catch(const LoadingError&) {
        thrown = true;
    }
    if(thrown && !throwing)
        std::abort();
    if(s.IsError() && !IsEmptyResult(v))
        std::abort();
    return !s.IsError();
}

} // namespace

// The inputs can only reach the types registered before the entry point: a target that
// lost any of the library's registrations would fuzz a smaller loader than programs run.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    for(const FoundationValueType& t : foundation_value_types)
        if(LookupValueTypeNumber(t.name) != t.number || LookupValueTypeName(t.number) != t.name)
            std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 1 << 16)
        return 0;
    String text((const char*)data, (int)size);

    Value v("previous content");
    bool ok = LoadChecked(text, v, false);
    Value thrown_v(1);
    if(LoadChecked(text, thrown_v, true) != ok)
        std::abort();

    // A stream that cannot tell its size must agree with one that can.
    {
        UnsizedStream m(data, size);
        Value w;
        SerializeValue(m, w);
        if(m.IsError() == ok || (m.IsError() && !IsEmptyResult(w)))
            std::abort();
    }

    if(ok) {
        // Loading normalises (a bool byte, a flagged length), so compare from the first store on.
        String once = Store(v);
        Value again;
        if(!LoadChecked(once, again, false))
            std::abort();
        if(Store(again) != once)
            std::abort();
    }

    Value target(12345);
    if(!LoadFromString(target, text) && !(target.IsInPlace(INT_V) && target.ToInt() == 12345))
        std::abort();
    return 0;
}
