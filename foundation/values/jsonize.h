// JSON mapping of program variables: JsonizeIo either stores variables into a tree of
// Values (objects as ValueMaps with String keys) or loads them back from one. Loading is
// strict: data of the wrong shape throws JsonizeError and leaves the variable as it was.
#pragma once

#include "foundation/exc.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/date.h"
#include "foundation/values/time.h"
#include "foundation/values/value.h"
#include "foundation/values/value_map.h"
#include "foundation/wstring.h"

namespace Qor {

// Thrown by loading; the text is one of the fixed English messages of the loaders.
class JsonizeError : public Exc {
public:
    using Exc::Exc;
};

class JsonizeIo {
public:
    // A storing context: no source, no map, void target.
    JsonizeIo() : source(nullptr), map(nullptr) {}
    // A loading context reading json, which must outlive the context.
    explicit JsonizeIo(const Value& json) : source(&json), map(nullptr) {}
    JsonizeIo(const Value&&) = delete; // a temporary would be gone before it is read
    JsonizeIo(const JsonizeIo&) = delete;
    JsonizeIo& operator=(const JsonizeIo&) = delete;
    ~JsonizeIo();

    bool IsLoading() const { return source != nullptr; }
    bool IsStoring() const { return source == nullptr; }

    // The value being read (loading only).
    const Value& Get() const { return *source; }
    // What a scalar mapping writes while storing.
    void Set(const Value& v) { target = v; }
    const Value& GetTarget() const { return target; }

    // The result of storing: the object made by member steps (sharing its data) when
    // there is one, else the target.
    Value GetResult() const;

    // One object member: loading reads the source's member name into value (a missing,
    // void or error member leaves value unchanged); storing appends (name, value's form)
    // to the object being built. Returns this context so that members chain.
    template <class T>
    JsonizeIo& Member(const char* name, T& value);

    // Gives the context a new empty object, destroying any previous one.
    void CreateMap();
    void ReleaseMap();
    ValueMap* GetMap() const { return map; }

private:
    const Value* source; // not null exactly when loading
    ValueMap* map;       // owned; made by the first stored member
    Value target;

    // Appends (name, result of the nested storing context) to this context's map.
    void AddMember(const char* name, const JsonizeIo& nested);
    static bool IsAbsent(const Value& v);
};

// Scalar mappings against the context's own source or target.
void Jsonize(JsonizeIo& io, double& x);
void Jsonize(JsonizeIo& io, int& x);
void Jsonize(JsonizeIo& io, int16& x);
void Jsonize(JsonizeIo& io, bool& x);
void Jsonize(JsonizeIo& io, int64& x);
void Jsonize(JsonizeIo& io, String& x);
void Jsonize(JsonizeIo& io, WString& x);
void Jsonize(JsonizeIo& io, Date& x);
void Jsonize(JsonizeIo& io, Time& x);

// Puts the forms above into the in-place Value records (String form, int, double, Date,
// Time, int64, bool) and the String and WString representations. Run by the library's
// registration unit; later calls do nothing.
void RegisterBasicValueJsonize();

// Stores x and returns the result (an object as a ValueMap Value, or a scalar Value).
template <class T>
Value StoreJsonValue(T& x)
{
    JsonizeIo io;
    Jsonize(io, x);
    return io.GetResult();
}

// Loads x from json; throws JsonizeError and leaves x unchanged on data of the wrong shape.
template <class T>
void LoadJsonValue(T& x, const Value& json)
{
    JsonizeIo io(json);
    Jsonize(io, x);
}

template <class T>
JsonizeIo& JsonizeIo::Member(const char* name, T& value)
{
    if(source) {
        const Value& v = (*source)[name];
        if(!IsAbsent(v)) {
            JsonizeIo nested(v);
            Jsonize(nested, value);
        }
        return *this;
    }
    if(!map)
        CreateMap();
    JsonizeIo nested;
    Jsonize(nested, value);
    AddMember(name, nested);
    return *this;
}

} // namespace Qor
