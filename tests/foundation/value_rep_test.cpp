// Shared representations: reference counts through copy, assignment and release (live
// representations are counted), plain RawValueRep behaviour, the error Value and
// element access on Values without elements.

#include "foundation/values/value.h"
#include "foundation/values/value_rep.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qor;

namespace {

struct Probe {
    int x;
};

// A plain representation that counts how many of it are alive.
class CountedRep : public RawValueRep<Probe> {
public:
    static int live;
    explicit CountedRep(int x) : RawValueRep<Probe>(Probe{x}) { live++; }
    ~CountedRep() override { live--; }
};
int CountedRep::live = 0;

// A representation holding another Value, so that a source can sit inside the
// content its target releases.
class HolderRep : public RawValueRep<Value> {
public:
    static int live;
    explicit HolderRep(const Value& inner) : RawValueRep<Value>(inner) { live++; }
    ~HolderRep() override { live--; }
};
int HolderRep::live = 0;

class ValueRepCount : public testing::Test {
protected:
    void SetUp() override { CountedRep::live = HolderRep::live = 0; }
    void TearDown() override
    {
        EXPECT_EQ(CountedRep::live, 0);
        EXPECT_EQ(HolderRep::live, 0);
    }
};

} // namespace

TEST_F(ValueRepCount, CopyAssignReleaseKeepCountsRight)
{
    Value a = Value::FromRep(new CountedRep(1));
    Value::Void* rep = a.GetRep();
    EXPECT_EQ(rep->GetRefCount(), 1);
    {
        Value b(a);
        EXPECT_EQ(b.GetRep(), rep);
        EXPECT_EQ(rep->GetRefCount(), 2);
        Value c;
        c = b;
        EXPECT_EQ(rep->GetRefCount(), 3);
        Value& same = c;
        c = same; // self-assignment changes nothing
        EXPECT_EQ(rep->GetRefCount(), 3);
        c = Value(5); // the old content is released
        EXPECT_EQ(rep->GetRefCount(), 2);
        Value moved(static_cast<Value&&>(b));
        EXPECT_EQ(rep->GetRefCount(), 2);
        EXPECT_TRUE(b.IsVoid());
    }
    EXPECT_EQ(rep->GetRefCount(), 1);
    EXPECT_EQ(CountedRep::live, 1);
    a = Value("text");
    EXPECT_EQ(CountedRep::live, 0);
}

TEST_F(ValueRepCount, AssigningFromInsideTheOldContent)
{
    Value v = Value::FromRep(new HolderRep(Value::FromRep(new CountedRep(7))));
    const Value& inner = static_cast<RawValueRep<Value>*>(v.GetRep())->Get();
    v = inner; // the holder dies, but only after its inner Value was copied
    EXPECT_EQ(HolderRep::live, 0);
    EXPECT_EQ(CountedRep::live, 1);
    EXPECT_EQ(v.GetRep()->GetRefCount(), 1);
    EXPECT_EQ(static_cast<RawValueRep<Probe>*>(v.GetRep())->Get().x, 7);

    Value w = Value::FromRep(new HolderRep(Value("a text long enough for a shared block")));
    w = static_cast<RawValueRep<Value>*>(w.GetRep())->Get();
    EXPECT_EQ(w, Value("a text long enough for a shared block"));
    EXPECT_EQ(HolderRep::live, 0);
}

TEST_F(ValueRepCount, ClearAndMoveAssignRelease)
{
    Value a = Value::FromRep(new CountedRep(1));
    Value b = Value::FromRep(new CountedRep(2));
    a = static_cast<Value&&>(b);
    EXPECT_EQ(CountedRep::live, 1);
    a.Clear();
    EXPECT_EQ(CountedRep::live, 0);
    EXPECT_TRUE(a.IsStringForm());
    EXPECT_TRUE(a.IsNull());
}

TEST_F(ValueRepCount, PlainRawRepHasNoEqualityHashOrText)
{
    Value a = Value::FromRep(new CountedRep(3));
    Value b = a;
    EXPECT_FALSE(a == b); // same representation, but the base Equals says no
    EXPECT_FALSE(a.IsNull());
    EXPECT_EQ(a.GetHashValue(), 0u);
    EXPECT_EQ(a.ToString(), "");
    EXPECT_EQ(a.GetTypeNumber(), UNKNOWN_V + StaticTypeNumber<Probe>());
    EXPECT_GE(a.GetTypeNumber(), UNKNOWN_V);
    EXPECT_FALSE(a == Value());
    EXPECT_EQ(a.GetCount(), 0);
}

TEST(ValueRep, WStringRepresentation)
{
    WString text("h\xc3\xa9llo"); // the default charset is UTF-8
    Value v(text);
    EXPECT_EQ(v.GetTypeNumber(), WSTRING_V);
    EXPECT_FALSE(v.IsNull());
    EXPECT_EQ(v.ToString(), "h\xc3\xa9llo");
    EXPECT_EQ(v, Value("h\xc3\xa9llo"));
    EXPECT_EQ(v.GetHashValue(), Value("h\xc3\xa9llo").GetHashValue());
    EXPECT_EQ(v, Value(WString("h\xc3\xa9llo")));
    EXPECT_NE(v, Value(WString("hello")));
    EXPECT_EQ(v.GetRep()->ToText(), "h\xc3\xa9llo");
}

TEST(ValueRep, ComplexRepresentation)
{
    Value c = Value::FromRep(new RichValueRep<Complex>(Complex(1.5, 2)));
    EXPECT_EQ(c.GetTypeNumber(), COMPLEX_V);
    EXPECT_FALSE(c.IsNull());
    EXPECT_TRUE(Value::FromRep(new RichValueRep<Complex>(Complex(0, DOUBLE_NULL))).IsNull());
    double nan = std::numeric_limits<double>::quiet_NaN();
    Value n = Value::FromRep(new RichValueRep<Complex>(Complex(nan, 0)));
    EXPECT_FALSE(n == n);
    EXPECT_EQ(c.ToString(), "(1.5,2)");
}

TEST(ValueError, CarriesItsMessageAndIsNull)
{
    Value e = ErrorValue("x");
    EXPECT_EQ(e.GetTypeNumber(), ERROR_V);
    EXPECT_TRUE(IsError(e));
    EXPECT_TRUE(e.IsNull());
    EXPECT_EQ(e.ToString(), "");
    EXPECT_EQ(e.GetRep()->ToText(), "<error: 'x'>");
    EXPECT_EQ(ErrorValueText(e), "x");
    EXPECT_EQ(ErrorValueText(ErrorValue(String("message"))), "message");
    EXPECT_TRUE(e == Value());
    EXPECT_TRUE(Value() == e);
    EXPECT_EQ(e.GetHashValue(), 0u);
    EXPECT_EQ(e.GetRep()->GetHashValue(), String("x").GetHashValue());
    EXPECT_FALSE(IsError(Value()));
    // Not an error: no message, and no crash.
    EXPECT_EQ(ErrorValueText(Value(5)), "");
    EXPECT_EQ(ErrorValueText(Value(String("text"))), "");
}

TEST(ValueError, SharedErrorValueAnswersMissingElements)
{
    const Value& shared = SharedErrorValue();
    EXPECT_TRUE(IsError(shared));
    EXPECT_EQ(ErrorValueText(shared), "");
    EXPECT_EQ(&SharedErrorValue(), &shared);

    struct Case {
        const char* name;
        Value v;
    };
    Case cases[] = {{"int", Value(5)}, {"String", Value("abc")}, {"void", Value()},
                    {"WString", Value(WString("abc"))}};
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.GetCount(), 0);
        EXPECT_EQ(&c.v[0], &shared);
        EXPECT_EQ(&c.v["key"], &shared);
        EXPECT_EQ(&c.v[String("key")], &shared);
    }
}
