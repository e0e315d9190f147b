// Uuid: generation from the process generator, text and scanning, hash, and its shared
// Value with binary, XML and JSON forms.

#include "foundation/values/uuid.h"

#include "foundation/random.h"
#include "foundation/string_stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

using namespace Qor;

namespace {

const Uuid sample(0x01234567, 0x89ABCDEF, 0xDEADBEEF, 0x00C0FFEE);

} // namespace

TEST(UuidGenerate, RandomAndDistinct)
{
    Uuid a = NewUuid();
    Uuid b = NewUuid();
    EXPECT_NE(a, b);
    EXPECT_FALSE(a.IsNullInstance());
    // Four draws in word order: no bits are set aside for a version or variant, so over
    // many values every bit of every word is seen both set and clear.
    dword ones[4] = {0, 0, 0, 0}, zeros[4] = {0, 0, 0, 0};
    for(int i = 0; i < 200; i++) {
        Uuid u = NewUuid();
        for(int w = 0; w < 4; w++) {
            ones[w] |= u.v[w];
            zeros[w] |= ~u.v[w];
        }
    }
    for(int w = 0; w < 4; w++) {
        EXPECT_EQ(ones[w], 0xFFFFFFFFu) << w;
        EXPECT_EQ(zeros[w], 0xFFFFFFFFu) << w;
    }
}

TEST(UuidText, ExactForm)
{
    EXPECT_EQ(Std(UuidToText(Uuid(1, 255, 0, 4294967295u))), "00000001000000FF00000000FFFFFFFF");
    EXPECT_EQ(Std(UuidToText(sample)), "0123456789ABCDEFDEADBEEF00C0FFEE");
    EXPECT_EQ(Std(UuidToText(Uuid())), "00000000000000000000000000000000");
    for(int i = 0; i < 20; i++)
        EXPECT_EQ(UuidToText(NewUuid()).GetLength(), 32);
}

TEST(UuidText, Scan)
{
    struct Case {
        const char* text;
        Uuid expected;
    } cases[] = {
        {"0123456789ABCDEFDEADBEEF00C0FFEE", sample},
        {"0123456789abcdefdeadbeef00c0ffee", sample},
        {"{01234567-89AB-CDEF-DEAD-BEEF00C0FFEE}", sample},
        {"01234567 89ab cdef de ad be ef 00 c0 ff ee", sample},
        // The 'd' of "uuid" is a hex digit too, so every word shifts by one digit.
        {"uuid: 0123456789ABCDEFDEADBEEF00C0FFEE", Uuid(0xD0123456, 0x789ABCDE, 0xFDEADBEE, 0xF00C0FFE)},
        {"0123456789ABCDEFDEADBEEF00C0FFEE12345678", sample},   // beyond 32 ignored
        {"0123456789ABCDEFDEADBEEF00C0FFE", Uuid()},            // 31 digits
        {"", Uuid()},
        {"not hex at all", Uuid()},
    };
    for(const Case& c : cases)
        EXPECT_EQ(ScanUuid(c.text), c.expected) << c.text;
    for(int i = 0; i < 20; i++) {
        Uuid u = NewUuid();
        EXPECT_EQ(ScanUuid(UuidToText(u)), u);
    }
}

TEST(UuidValue, NullEqualityHash)
{
    Value null = Uuid();
    EXPECT_EQ(null.GetTypeNumber(), UUID_V);
    EXPECT_TRUE(null.IsShared());
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(Value(Uuid(0, 0, 0, 1)).IsNull());

    Value a = sample, b = Uuid(sample.v[0], sample.v[1], sample.v[2], sample.v[3]);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(a.GetHashValue(), b.GetHashValue());
    uint32 h = (0x01234567u ^ 0xe2f62ff2u) * 17u ^ 0x89ABCDEFu;
    h = h * 17u ^ 0xDEADBEEFu;
    h = h * 17u ^ 0x00C0FFEEu;
    EXPECT_EQ(a.GetHashValue(), h);
    EXPECT_EQ(GetHashValue(sample), h);
    EXPECT_FALSE(a == Value(Uuid(0x01234567, 0x89ABCDEF, 0xDEADBEEF, 0)));
    EXPECT_FALSE(a == Value(UuidToText(sample))); // never equal to another type
    EXPECT_EQ(Std(a.ToString()), "0123456789ABCDEFDEADBEEF00C0FFEE");
    EXPECT_EQ(Uuid(a), sample);
    EXPECT_TRUE(Uuid(Value(12)).IsNullInstance());
    EXPECT_EQ(Std(LookupValueTypeName(UUID_V)), "Uuid");
    Value::Void* rep = CreateValueRep(UUID_V);
    ASSERT_NE(rep, nullptr);
    EXPECT_EQ(rep->GetTypeNumber(), UUID_V);
    EXPECT_TRUE(rep->IsNull());
    rep->Release();
}

TEST(UuidValue, BinaryForm)
{
    Uuid u = sample;
    StringStream out;
    ValueSerialize(out, u);
    String bytes = out.GetText();
    EXPECT_EQ(Std(bytes), std::string("\x01\x67\x45\x23\x01\xef\xcd\xab\x89\xef\xbe\xad\xde\xee\xff\xc0\x00", 17));

    // The whole Value: type 50 packed as 51, then the 17 bytes; loads back equal.
    Value v = sample;
    StringStream vs;
    SerializeValue(vs, v);
    String stored = vs.GetText();
    EXPECT_EQ(Std(stored), "\x33" + Std(bytes));
    Value back;
    StringStream in(stored);
    SerializeValue(in, back);
    EXPECT_FALSE(in.IsError());
    EXPECT_TRUE(back == v);

    // The version byte is read, not examined.
    String other = "\x07" + bytes.Mid(1);
    Uuid w;
    StringStream ws(other);
    ValueSerialize(ws, w);
    EXPECT_EQ(w, sample);
}

TEST(UuidMapping, XmlAndJson)
{
    Uuid u = sample;
    XmlNode node;
    XmlizeIo store(node, false);
    Xmlize(store, u);
    EXPECT_EQ(Std(node.GetAttribute("value")), "0123456789ABCDEFDEADBEEF00C0FFEE");
    Uuid back;
    XmlizeIo load(node, true);
    Xmlize(load, back);
    EXPECT_EQ(back, sample);

    XmlNode bad;
    bad.SetAttribute("value", "12-34");
    Uuid from_bad = sample;
    XmlizeIo load_bad(bad, true);
    Xmlize(load_bad, from_bad);
    EXPECT_TRUE(from_bad.IsNullInstance());
    XmlNode none;
    XmlizeIo load_none(none, true);
    Xmlize(load_none, from_bad = sample);
    EXPECT_TRUE(from_bad.IsNullInstance());

    Value json = StoreJsonValue(u);
    EXPECT_EQ(json.GetTypeNumber(), STRING_V);
    EXPECT_EQ(Std(json.GetString()), "0123456789ABCDEFDEADBEEF00C0FFEE");
    Uuid j;
    LoadJsonValue(j, Value("01234567-89ab-cdef-dead-beef00c0ffee"));
    EXPECT_EQ(j, sample);
    LoadJsonValue(j, Value("short"));
    EXPECT_TRUE(j.IsNullInstance());

    // Through the Value's representation.
    Value v = sample;
    XmlNode vn;
    XmlizeIo vs(vn, false);
    v.GetRep()->Xmlize(vs);
    Value loaded = Value::FromRep(CreateValueRep(UUID_V));
    XmlizeIo vl(vn, true);
    loaded.GetRep()->Xmlize(vl);
    EXPECT_TRUE(loaded == v);
}
