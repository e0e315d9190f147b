// The value type registry: number -> factory of empty representations, and the two
// parallel indexes of names and numbers. Filled before the entry point, read afterwards.

#include "foundation/values/value_registry.h"
#include "foundation/assert.h"

#include "foundation/key_map.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_rep.h"

namespace Qor {

namespace {

// Function-local statics: built on first use (registration before the entry point
// finds them ready) and released at exit.
KeyMap<int, ValueRepFactory>& Factories()
{
    QOR_SINGLE_THREADED("The value type registry");
    static KeyMap<int, ValueRepFactory> map;
    return map;
}

KeyIndex<String>& Names()
{
    QOR_SINGLE_THREADED("The value type registry");
    static KeyIndex<String> names;
    return names;
}

KeyIndex<int>& Numbers()
{
    QOR_SINGLE_THREADED("The value type registry");
    static KeyIndex<int> numbers;
    return numbers;
}

bool standard_registered = false;

Value::Void* NewWString() { return new RichValueRep<WString>(); }
Value::Void* NewComplex() { return new RichValueRep<Complex>(); }
Value::Void* NewValueArray() { return new ValueArray::Data; }
Value::Void* NewValueMap() { return new ValueMap::Data; } // its values share the empty array data

void AddName(int number, const char* name)
{
    Names().Add(String(name));
    Numbers().Add(number);
}

void AddFactory(int number, ValueRepFactory factory)
{
    KeyMap<int, ValueRepFactory>& map = Factories();
    if(map.Find(number) < 0)
        map.Add(number, factory);
}

} // namespace

void RegisterStandardValueTypes()
{
    if(standard_registered)
        return;
    standard_registered = true;
    AddFactory(WSTRING_V, NewWString);
    AddName(WSTRING_V, "WString");
    AddFactory(COMPLEX_V, NewComplex);
    AddName(COMPLEX_V, "Complex");
    AddFactory(VALUEARRAY_V, NewValueArray);
    AddName(VALUEARRAY_V, "ValueArray");
    AddFactory(VALUEMAP_V, NewValueMap);
    AddName(VALUEMAP_V, "ValueMap");
    AddName(STRING_V, "String");
    AddName(INT_V, "int");
    AddName(DOUBLE_V, "double");
    AddName(VOID_V, "void");
    AddName(DATE_V, "Date");
    AddName(TIME_V, "Time");
    AddName(INT64_V, "int64");
    AddName(BOOL_V, "bool");
    AddName(ERROR_V, "error");
}

// Registering the standard types first keeps them ahead of any duplicate name, whoever
// registers before the library's registration unit has run.
void RegisterValueType(int number, ValueRepFactory factory, const char* name)
{
    RegisterStandardValueTypes();
    AddFactory(number, factory);
    AddName(number, name);
}

void RegisterValueTypeName(int number, const char* name)
{
    RegisterStandardValueTypes();
    AddName(number, name);
}

void RegisterInPlaceValueType(int number, const ValueOps* ops, const char* name)
{
    RegisterValueOps(number, ops);
    RegisterValueTypeName(number, name);
}

int LookupValueTypeNumber(const char* name)
{
    RegisterStandardValueTypes();
    int i = Names().Find(String(name));
    return i < 0 ? VALUE_TYPE_UNKNOWN : Numbers()[i];
}

String LookupValueTypeName(int number)
{
    RegisterStandardValueTypes();
    int i = Numbers().Find(number);
    return i < 0 ? String() : Names()[i];
}

Value::Void* CreateValueRep(int number)
{
    RegisterStandardValueTypes();
    int i = Factories().Find(number);
    return i < 0 ? nullptr : Factories()[i]();
}

const String& SerializedBinaryMarker()
{
    static const String marker("serialized_binary");
    return marker;
}

} // namespace Qor
