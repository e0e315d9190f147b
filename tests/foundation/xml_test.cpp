// XML mapping: the node tree, the text conversions of the basic types, their attribute and
// text forms in both directions, lenient loading of bad text, and the Value seams.

#include "foundation/charset.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_rep.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <type_traits>

using namespace Qor;

namespace {

bool SameTime(const Time& a, const Time& b) { return Time::Equals(a, b); }

// A node whose attribute "value" holds text (none when text is null).
struct ValueNode {
    XmlNode node;
    explicit ValueNode(const char* text)
    {
        node.SetKind(XML_ELEMENT);
        if(text)
            node.SetAttribute("value", text);
    }
    XmlizeIo Loading() { return XmlizeIo(node, true); }
};

template <class T>
String StoredValue(T x)
{
    XmlNode node;
    XmlizeIo io(node, false);
    Xmlize(io, x);
    EXPECT_EQ(node.GetAttributeCount(), 1);
    return node.GetAttribute("value");
}

template <class T>
T Loaded(const char* text)
{
    ValueNode n(text);
    XmlizeIo io = n.Loading();
    T x{};
    Xmlize(io, x);
    return x;
}

} // namespace

// Node tree ---------------------------------------------------------------------------

TEST(XmlNodeTree, AddChildAppendsElementsInOrder)
{
    XmlNode root;
    EXPECT_EQ(root.GetKind(), XML_UNFILLED);
    XmlNode& a = root.AddChild("a");
    root.AddText("between");
    XmlNode& b = root.AddChild(nullptr);
    ASSERT_EQ(root.GetCount(), 3);
    EXPECT_EQ(&root[0], &a);
    EXPECT_EQ(&root[2], &b);
    EXPECT_EQ(a.GetKind(), XML_ELEMENT);
    EXPECT_STREQ(a.GetText().Begin(), "a");
    EXPECT_EQ(root[1].GetKind(), XML_TEXT);
    EXPECT_STREQ(root[1].GetText().Begin(), "between");
    EXPECT_EQ(b.GetKind(), XML_ELEMENT);
    EXPECT_TRUE(b.GetText().IsEmpty());
    EXPECT_EQ(a.GetCount(), 0);
    EXPECT_FALSE(a.HasAttributeMap());
    // Grandchildren belong to their own parent.
    a.AddChild("x").AddChild("y");
    EXPECT_EQ(root.GetCount(), 3);
    EXPECT_STREQ(a[0][0].GetText().Begin(), "y");
}

TEST(XmlNodeTree, AttributeMapIsMadeBySetAttribute)
{
    XmlNode n;
    EXPECT_FALSE(n.HasAttributeMap());
    EXPECT_TRUE(n.GetAttribute("x").IsEmpty());
    EXPECT_FALSE(n.HasAttribute("x"));
    EXPECT_EQ(&n.SetAttribute("x", "1").SetAttribute("y", "2"), &n); // chains on the same node
    EXPECT_TRUE(n.HasAttributeMap());
    EXPECT_STREQ(n.GetAttribute("y").Begin(), "2");
    EXPECT_TRUE(n.GetAttribute("X").IsEmpty()); // exact text only
    EXPECT_TRUE(n.GetAttribute("").IsEmpty());
    n.SetAttribute("", "empty name");
    EXPECT_STREQ(n.GetAttribute("").Begin(), "empty name");
}

TEST(XmlNodeTree, SetAttributeKeepsPositionOfExistingName)
{
    XmlNode n;
    n.SetAttribute("a", "1").SetAttribute("b", "2").SetAttribute("c", "3");
    n.SetAttribute("b", "changed");
    n.SetAttribute("d", "4");
    const char* names[] = {"a", "b", "c", "d"};
    const char* values[] = {"1", "changed", "3", "4"};
    ASSERT_EQ(n.GetAttributeCount(), 4);
    for(int i = 0; i < 4; i++) {
        EXPECT_STREQ(n.GetAttributeName(i).Begin(), names[i]);
        EXPECT_STREQ(n.GetAttributeValue(i).Begin(), values[i]);
        EXPECT_STREQ(n.GetAttribute(names[i]).Begin(), values[i]);
    }
}

TEST(XmlNodeTree, ManyAttributesAreFoundByName)
{
    XmlNode n;
    for(int i = 0; i < 200; i++)
        n.SetAttribute(IntToText(i).Begin(), IntToText(i * 7));
    for(int i = 199; i >= 0; i--)
        EXPECT_EQ(TextToInt(n.GetAttribute(IntToText(i).Begin())), i * 7);
    EXPECT_EQ(n.GetAttributeCount(), 200);
}

TEST(XmlNodeTree, SetCountOfChildrenAddsUnfilledNodesAndDestroysTheRest)
{
    XmlNode root;
    root.AddChild("keep").SetAttribute("k", "v");
    root.AddChild("drop").AddChild("deep").SetAttribute("a", "b"); // freed by the shrink
    root.Children().SetCount(5);
    ASSERT_EQ(root.GetCount(), 5);
    EXPECT_GE(root.Children().GetAlloc(), 5);
    EXPECT_STREQ(root[0].GetText().Begin(), "keep");
    EXPECT_STREQ(root[0].GetAttribute("k").Begin(), "v");
    for(int i = 2; i < 5; i++) {
        EXPECT_EQ(root[i].GetKind(), XML_UNFILLED);
        EXPECT_TRUE(root[i].GetText().IsEmpty());
        EXPECT_EQ(root[i].GetCount(), 0);
        EXPECT_FALSE(root[i].HasAttributeMap());
    }
    root.Children().SetCount(1);
    ASSERT_EQ(root.GetCount(), 1);
    EXPECT_STREQ(root[0].GetText().Begin(), "keep");
}

TEST(XmlNodeTree, DeepTreeIsDestroyedWithItsParent)
{
    // The leak checker of the sanitizer build catches a node that is not freed.
    auto* root = new XmlNode;
    XmlNode* n = root;
    for(int i = 0; i < 100; i++) {
        n->AddText("t");
        n->SetAttribute("depth", IntToText(i));
        n = &n->AddChild("level");
    }
    EXPECT_STREQ((*root)[1][1].GetAttribute("depth").Begin(), "2");
    delete root;
}

// Text conversions ----------------------------------------------------------------------

TEST(XmlTextConversion, TextToInt)
{
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"", INT_NULL},           {"12", 12},           {"  -17x", -17},    {"\t+5", 5},
        {"- 5", INT_NULL},        {"abc", INT_NULL},    {"+", INT_NULL},    {"007", 7},
        {"4294967295", INT_NULL}, {"2147483647", INT32_MAX}, {"-2147483647", -INT32_MAX},
        {"12 34", 12},            {"1.9", 1},
    };
    for(const Case& c : cases)
        EXPECT_EQ(TextToInt(c.text), c.expected) << "'" << c.text << "'";
    EXPECT_EQ(TextToInt((const char*)nullptr), INT_NULL);
}

TEST(XmlTextConversion, TextToInt16KeepsLowBits)
{
    struct Case {
        const char* text;
        int16 expected;
    } cases[] = {
        {"70000", 4464}, {"", 0}, {"x", 0}, {"-1", -1}, {"32767", 32767}, {"32768", -32768}, {"-300", -300},
    };
    for(const Case& c : cases)
        EXPECT_EQ(TextToInt16(c.text), c.expected) << "'" << c.text << "'";
    EXPECT_STREQ(Int16ToText(-32768).Begin(), "-32768");
    EXPECT_STREQ(Int16ToText(4464).Begin(), "4464");
}

TEST(XmlTextConversion, TextToInt64)
{
    struct Case {
        const char* text;
        int64 expected;
    } cases[] = {
        {"", INT64_NULL},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775807", -INT64_MAX},
        {"18446744073709551615", INT64_NULL},
        {"\x80\xff 12", 12}, // bytes 128..255 are skipped like spaces
        {" -40000000000z", -40000000000LL},
        {"x1", INT64_NULL},
    };
    for(const Case& c : cases)
        EXPECT_EQ(TextToInt64(c.text), c.expected) << "'" << c.text << "'";
}

TEST(XmlTextConversion, TextToDouble)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"3,5", 3.5},     {"3.5", 3.5},      {"", DOUBLE_NULL},  {"abc", DOUBLE_NULL}, {".", DOUBLE_NULL},
        {"e5", DOUBLE_NULL}, {"-", DOUBLE_NULL}, {".5", 0.5},    {",25", 0.25},        {"-2.50", -2.5},
        {"1e3", 1000},    {"1.5e", 1.5},     {"2.5E+1", 25},     {"1e-2", 0.01},       {"1e 2", 100},
        {"100.00", 100},  {"100.5", 100.5},  {"0.001", 0.001},   {"5.", 5},            {" +7x", 7},
        {"1e400", HUGE_VAL}, {"1e-400", 0},
    };
    for(const Case& c : cases)
        EXPECT_EQ(TextToDouble(c.text), c.expected) << "'" << c.text << "'";
}

TEST(XmlTextConversion, NullNumbersGiveEmptyText)
{
    EXPECT_TRUE(IntToText(INT_NULL).IsEmpty());
    EXPECT_TRUE(Int64ToText(INT64_NULL).IsEmpty());
    EXPECT_TRUE(DoubleToText(DOUBLE_NULL).IsEmpty());
}

TEST(XmlTextConversion, DateToCompactText)
{
    struct Case {
        Date date;
        const char* text;
    } cases[] = {
        {Date(2024, 2, 29), "20240229"},
        {Date(5, 1, 2), "00050102"},
        {Date(12345, 11, 30), "123451130"},
        {Date(), "-327680000"},
    };
    for(const Case& c : cases)
        EXPECT_STREQ(DateToCompactText(c.date).Begin(), c.text);
}

TEST(XmlTextConversion, CompactTextToDate)
{
    struct Case {
        const char* text;
        Date expected;
    } cases[] = {
        {"20240229", Date(2024, 2, 29)}, // leap year
        {"20230229", Date()},            // not a leap year
        {"2024031", Date(2024, 3, 1)},   // one day digit
        {"202403", Date()},              // six characters
        {"", Date()},
        {"202403515", Date(2024, 3, 3)}, // 515 keeps its low byte, 3
        {"-327680000", Date()},          // the Null date's own text
        {"2024aa01", Date()},
        {"20241301", Date()},
        {" 99912 31", Date(999, 12, 31)},
    };
    for(const Case& c : cases)
        EXPECT_EQ(CompactTextToDate(c.text), c.expected) << "'" << c.text << "'";
}

TEST(XmlTextConversion, TimeCompactText)
{
    EXPECT_STREQ(TimeToCompactText(Time(2024, 3, 5, 7, 8, 9)).Begin(), "20240305T07:08:09");
    EXPECT_STREQ(TimeToCompactText(Time()).Begin(), "-327680000T00:00:00");

    struct Case {
        const char* text;
        Time expected;
    } cases[] = {
        {"20240305T07:08:09", Time(2024, 3, 5, 7, 8, 9)},
        {"20240305 07-08-09", Time(2024, 3, 5, 7, 8, 9)}, // separators are not examined
        {"20240305T07:08", Time()},                       // no seconds
        {"20240305T07:08:5", Time(2024, 3, 5, 7, 8, 5)},
        {"20240305T24:00:00", Time()},
        {"20240305T23:60:00", Time()},
        {"20230229T01:00:00", Time()},
        {"-327680000T00:00:00", Time()},
        {"", Time()},
    };
    for(const Case& c : cases)
        EXPECT_TRUE(SameTime(CompactTextToTime(c.text), c.expected)) << "'" << c.text << "'";

    Time t(1999, 12, 31, 23, 59, 59);
    EXPECT_TRUE(SameTime(CompactTextToTime(TimeToCompactText(t)), t));
}

// Attribute form -------------------------------------------------------------------------

TEST(XmlizeBasic, StoresExactAttributeText)
{
    EXPECT_STREQ(StoredValue(42).Begin(), "42");
    EXPECT_STREQ(StoredValue(-7).Begin(), "-7");
    EXPECT_STREQ(StoredValue(INT_NULL).Begin(), "");
    EXPECT_STREQ(StoredValue((int64)-40000000000LL).Begin(), "-40000000000");
    EXPECT_STREQ(StoredValue(INT64_NULL).Begin(), "");
    EXPECT_STREQ(StoredValue(3.5).Begin(), "3.5");
    EXPECT_STREQ(StoredValue(DOUBLE_NULL).Begin(), "");
    EXPECT_STREQ(StoredValue(true).Begin(), "1");
    EXPECT_STREQ(StoredValue(false).Begin(), "0");
    EXPECT_STREQ(StoredValue(Date(2024, 2, 29)).Begin(), "20240229");
    EXPECT_STREQ(StoredValue(Date()).Begin(), "-327680000");
    EXPECT_STREQ(StoredValue(Time(2024, 3, 5, 7, 8, 9)).Begin(), "20240305T07:08:09");
    EXPECT_STREQ(StoredValue(Time()).Begin(), "-327680000T00:00:00");
}

TEST(XmlizeBasic, StoreThenLoadGivesTheValueBack)
{
    int ints[] = {0, 1, -1, INT32_MAX, -INT32_MAX, INT_NULL};
    for(int x : ints)
        EXPECT_EQ(Loaded<int>(StoredValue(x).Begin()), x);
    int64 longs[] = {0, INT64_MAX, -INT64_MAX, INT64_NULL};
    for(int64 x : longs)
        EXPECT_EQ(Loaded<int64>(StoredValue(x).Begin()), x);
    double doubles[] = {0, 3.5, -1e-300, 1.25e200, DOUBLE_NULL};
    for(double x : doubles)
        EXPECT_EQ(Loaded<double>(StoredValue(x).Begin()), x);
    for(bool x : {true, false})
        EXPECT_EQ(Loaded<bool>(StoredValue(x).Begin()), x);
    Date dates[] = {Date(2024, 2, 29), Date(1, 1, 1), Date()};
    for(Date x : dates)
        EXPECT_EQ(Loaded<Date>(StoredValue(x).Begin()), x);
    Time times[] = {Time(2024, 3, 5, 7, 8, 9), Time(2000, 1, 1), Time()};
    for(Time x : times)
        EXPECT_TRUE(SameTime(Loaded<Time>(StoredValue(x).Begin()), x));
}

TEST(XmlizeBasic, NodeWithoutAttributesLoadsNull)
{
    EXPECT_EQ(Loaded<int>(nullptr), INT_NULL);
    EXPECT_EQ(Loaded<int64>(nullptr), INT64_NULL);
    EXPECT_EQ(Loaded<double>(nullptr), DOUBLE_NULL);
    EXPECT_FALSE(Loaded<bool>(nullptr));
    EXPECT_TRUE(Loaded<Date>(nullptr).IsNull());
    EXPECT_TRUE(Loaded<Time>(nullptr).IsNull());
}

TEST(XmlizeBasic, BadTextLoadsNull)
{
    const char* texts[] = {"", "x", "- 1", "garbage"};
    for(const char* t : texts) {
        EXPECT_EQ(Loaded<int>(t), INT_NULL) << t;
        EXPECT_EQ(Loaded<int64>(t), INT64_NULL) << t;
        EXPECT_EQ(Loaded<double>(t), DOUBLE_NULL) << t;
        EXPECT_TRUE(Loaded<Date>(t).IsNull()) << t;
        EXPECT_TRUE(Loaded<Time>(t).IsNull()) << t;
    }
    EXPECT_EQ(Loaded<double>("3,5"), 3.5);
    EXPECT_EQ(Loaded<int>("12abc"), 12);
}

TEST(XmlizeBasic, OnlyTheOneCharacterTextOneLoadsTrue)
{
    struct Case {
        const char* text;
        bool expected;
    } cases[] = {
        {"1", true}, {"0", false}, {"true", false}, {"01", false}, {"1 ", false},
        {" 1", false}, {"2", false}, {"", false}, {nullptr, false},
    };
    for(const Case& c : cases) {
        ValueNode n(c.text);
        XmlizeIo io = n.Loading();
        bool b = !c.expected; // must be overwritten
        Xmlize(io, b);
        EXPECT_EQ(b, c.expected) << (c.text ? c.text : "(absent)");
    }
}

TEST(XmlizeBasic, AttributeChainsMembersOnOneNode)
{
    XmlNode node;
    XmlizeIo io(node, false, Value(77));
    int x = 3;
    int64 y = INT64_NULL;
    double z = -0.5;
    XmlizeIo last = io.Attribute("x", x).Attribute("y", y).Attribute("z", z);
    EXPECT_EQ(&last.Node(), &node);
    EXPECT_FALSE(last.IsLoading());
    EXPECT_EQ(last.GetContext().ToInt(), 77);
    ASSERT_EQ(node.GetAttributeCount(), 3);
    EXPECT_STREQ(node.GetAttributeName(0).Begin(), "x");
    EXPECT_STREQ(node.GetAttributeValue(0).Begin(), "3");
    EXPECT_STREQ(node.GetAttributeValue(1).Begin(), "");
    EXPECT_STREQ(node.GetAttributeValue(2).Begin(), "-0.5");

    int lx = 0;
    int64 ly = 5;
    double lz = 0;
    int missing = 0;
    XmlizeIo in(node, true);
    in.Attribute("x", lx).Attribute("y", ly).Attribute("z", lz).Attribute("w", missing);
    EXPECT_EQ(lx, 3);
    EXPECT_EQ(ly, INT64_NULL);
    EXPECT_EQ(lz, -0.5);
    EXPECT_EQ(missing, INT_NULL);
}

TEST(XmlizeBasic, NestedContextKeepsDirectionAndContext)
{
    XmlNode root;
    XmlizeIo io(root, true, Value("ctx"));
    XmlNode& child = root.AddChild("item");
    XmlizeIo nested = io.At(child);
    EXPECT_EQ(&nested.Node(), &child);
    EXPECT_TRUE(nested.IsLoading());
    EXPECT_STREQ(nested.GetContext().GetString().Begin(), "ctx");
    EXPECT_EQ(&io.Node(), &root);
}

// Text form ------------------------------------------------------------------------------

TEST(XmlizeText, StringGoesToTheFirstTextChild)
{
    XmlNode node;
    node.AddChild("element");
    XmlizeIo out(node, false);
    String s = "first";
    Xmlize(out, s);
    s = "second";
    Xmlize(out, s);
    ASSERT_EQ(node.GetCount(), 2);
    EXPECT_EQ(node[0].GetKind(), XML_ELEMENT);
    EXPECT_EQ(node[1].GetKind(), XML_TEXT);
    EXPECT_STREQ(node[1].GetText().Begin(), "second");

    node.AddText("later text");
    s = "third";
    Xmlize(out, s);
    EXPECT_STREQ(node[1].GetText().Begin(), "third");
    EXPECT_STREQ(node[2].GetText().Begin(), "later text"); // further text children untouched

    XmlizeIo in(node, true);
    String loaded = "stale";
    Xmlize(in, loaded);
    EXPECT_STREQ(loaded.Begin(), "third");
}

TEST(XmlizeText, NodeWithoutTextLoadsEmpty)
{
    XmlNode node;
    node.AddChild("a").AddText("inner text is not ours");
    node.Children().SetCount(2); // an unfilled node is not a text node either
    XmlizeIo in(node, true);
    String s = "stale";
    Xmlize(in, s);
    EXPECT_TRUE(s.IsEmpty());
    WString w(u"stale", 5);
    Xmlize(in, w);
    EXPECT_TRUE(w.IsEmpty());
}

TEST(XmlizeText, WStringTravelsAsUtf8)
{
    const wchar16 units[] = {'a', 0xE4, 0x20AC, 0xD83D, 0xDE00};
    WString w(units, 5);
    XmlNode node;
    XmlizeIo out(node, false);
    Xmlize(out, w);
    ASSERT_EQ(node.GetCount(), 1);
    // Each unit of a surrogate pair is three bytes of its own; decoding gives the pair back.
    const char utf8[] = "a\xC3\xA4\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80";
    EXPECT_EQ(node[0].GetText().GetLength(), (int)sizeof utf8 - 1);
    EXPECT_STREQ(node[0].GetText().Begin(), utf8);

    XmlizeIo in(node, true);
    WString back;
    Xmlize(in, back);
    EXPECT_TRUE(back == w);
}

// Errors ---------------------------------------------------------------------------------

TEST(XmlError, IsAnExcCarryingItsMessage)
{
    static_assert(std::is_base_of_v<Exc, XmlError>);
    static_assert(sizeof(XmlError) == sizeof(String), "adds nothing to its message");
    const char* messages[] = {"invalid Value type", "xmlize serialized_binary Error", ""};
    for(const char* m : messages) {
        try {
            throw XmlError(m);
        }
        catch(const Exc& e) {
            EXPECT_STREQ(e.Begin(), m);
            continue;
        }
        ADD_FAILURE() << "not caught as Exc";
    }
    XmlError e(String("from a String"));
    const String& text = e;
    EXPECT_STREQ(text.Begin(), "from a String");
}

// Value seams ----------------------------------------------------------------------------

TEST(XmlizeValueSeam, InPlaceRecordsStoreAndLoadTheirPayload)
{
    struct Case {
        Value v;
        const char* text;
    } cases[] = {
        {Value(42), "42"},
        {Value(2.5), "2.5"},
        {Value((int64)1 << 40), "1099511627776"},
        {Value(true), "1"},
        {Value(Date(2024, 2, 29)), "20240229"},
        {Value(Time(2024, 3, 5, 7, 8, 9)), "20240305T07:08:09"},
    };
    for(Case& c : cases) {
        int type_byte = c.v.GetTypeByte();
        const ValueOps* ops = value_ops_table[type_byte];
        ASSERT_NE(ops, nullptr);
        XmlNode node;
        XmlizeIo out(node, false);
        ops->Xmlize(&c.v, out);
        EXPECT_STREQ(node.GetAttribute("value").Begin(), c.text) << "type byte " << type_byte;

        // Load into a Value of the same type holding something else.
        Value target = c.v;
        std::memset(const_cast<byte*>(target.Raw()), 0, 8);
        XmlizeIo in(node, true);
        ops->Xmlize(&target, in);
        EXPECT_TRUE(target == c.v) << "type byte " << type_byte;
        EXPECT_EQ(target.GetTypeByte(), type_byte);
    }
    // The other slots of the records are kept.
    EXPECT_STREQ(Value(42).ToString().Begin(), "42");
    EXPECT_TRUE(Value(INT_NULL).IsNull());
}

TEST(XmlizeValueSeam, StringFormAndRepresentations)
{
    Value s("text value");
    XmlNode node;
    XmlizeIo out(node, false);
    value_ops_table[0]->Xmlize(&s, out);
    ASSERT_EQ(node.GetCount(), 1);
    EXPECT_STREQ(node[0].GetText().Begin(), "text value");

    Value loaded;
    XmlizeIo in(node, true);
    value_ops_table[0]->Xmlize(&loaded, in);
    EXPECT_STREQ(loaded.GetString().Begin(), "text value");

    ASSERT_NE(ValueMappingHooks<WString>::xmlize, nullptr);
    ASSERT_NE(ValueMappingHooks<String>::xmlize, nullptr);
    const wchar16 units[] = {0xE9, 'x'};
    Value w(WString(units, 2));
    XmlNode wnode;
    XmlizeIo wout(wnode, false);
    w.GetRep()->Xmlize(wout);
    ASSERT_EQ(wnode.GetCount(), 1);
    EXPECT_STREQ(wnode[0].GetText().Begin(), "\xC3\xA9x");

    Value error = ErrorValue("broken");
    XmlNode enode;
    XmlizeIo eout(enode, false);
    error.GetRep()->Xmlize(eout);
    ASSERT_EQ(enode.GetCount(), 1);
    EXPECT_STREQ(enode[0].GetText().Begin(), "broken");
}
