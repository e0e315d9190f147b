// The ".tr" writer and reader: exact layout, round trips through the reader,
// conversion from 8-bit blocks, the module and entry rules of registration,
// and errors with their positions. Only made-up languages (XQ, XR) are loaded
// so that the catalogue the other suites read keeps its answers.
#include "foundation/values/translation_file.h"

#include "foundation/charset.h"
#include "foundation/cparser.h"
#include "foundation/string_stream.h"
#include "foundation/values/translate.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace Qor;

namespace {

const LanguageCode XQ_ZZ = MakeLanguageCode('X', 'Q', 'Z', 'Z', 255);
const LanguageCode XQ_YY = MakeLanguageCode('X', 'Q', 'Y', 'Y', 255);
const LanguageCode XR_ZZ = MakeLanguageCode('X', 'R', 'Z', 'Z', 255);

const char long_xr[] = "Tento text je delsi nez sedesat znaku, a proto se zalomi na vice radku komentare.";

const TranslationRecord writer_module[] = {
    {1, "trw-door\aDoor"},         {XQ_ZZ, "T\xC3\xBCr"}, {XR_ZZ, "Dve\xC5\x99""e"},
    {1, "trw-key\vPage Up"},  {XQ_ZZ, "Bild \"auf\""},
    {1, "trw-other\aOnly other country"}, {XQ_YY, "Andere"},
    {1, "trw-untranslated\aUntranslated"},
    {1, "trw-long\aLong"},         {XR_ZZ, long_xr},
    {0, nullptr},
};

const TranslationRecord reader_first[] = {
    {1, "trr-shared\aShared"},  {XQ_ZZ, "first module"},
    {1, "trr-plain\aPlain"},
    {1, "trr-blank\aBlank"},   {XQ_ZZ, "built in"},
    {1, "trr-twice\aTwice"},
    {1, "trr-coded\aCoded"},
    {1, "trr-partial\aPartial"},
    {1, "trr-ctx\vPage Up"},
    {0, nullptr},
};

const TranslationRecord reader_second[] = {
    {1, "trr-shared\aShared"},  {XQ_ZZ, "second module"},
    {0, nullptr},
};

int FindModule(const char* name)
{
    for(int m = 0; m < TranslationModuleCount(); m++)
        if(GetTranslationModule(m).name == name)
            return m;
    return -1;
}

void RegisterModules()
{
    if(FindModule("trw") < 0) {
        RegisterTranslationModule(writer_module, "trw");
        RegisterTranslationModule(reader_first, "trr1");
        RegisterTranslationModule(reader_second, "trr2");
    }
}

std::string Export(LanguageCode language, LanguageCode second = 0)
{
    StringStream out;
    ExportTranslations(out, language, second);
    return Std(out.GetText());
}

// The header and this suite's writer module out of an export, so that loading
// it back changes no other module.
std::string WriterBlock(LanguageCode language, LanguageCode second = 0)
{
    std::string text = Export(language, second);
    size_t header_end = text.find("\r\n") + 2;
    size_t begin = text.find("// trw\r\n");
    size_t end = text.find("// trr1\r\n");
    if(begin == std::string::npos || end == std::string::npos)
        return "missing";
    return text.substr(0, header_end) + text.substr(begin, end - begin);
}

// The entries of one id in one module.
const Vector<TranslationEntry>& EntriesOf(const char* module, const char* id)
{
    TranslationModule& m = GetTranslationModule(FindModule(module));
    return m.entries[m.Find(id)];
}

class TranslationFileTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterModules(); }
};

TEST_F(TranslationFileTest, WritesTheExactLayout)
{
    std::string text = Export(XQ_ZZ);
    EXPECT_EQ(text.rfind("LANGUAGE \"XQ-ZZ UTF-8\";\r\n// \r\n\"key\\vCtrl+\",\r\n\t\"Ctrl+\";\r\n\r\n", 0), 0u) << text.substr(0, 80);
    const char* expected =
        "// trw\r\n"
        "\"trw-door\\aDoor\",\r\n\t\"T\xC3\xBCr\";\r\n\r\n"
        "\"trw-key\\vPage Up\",\r\n\t\"Bild \\\"auf\\\"\";\r\n\r\n"
        "\"trw-other\\aOnly other country\",\r\n\t\"Andere\";\r\n\r\n" // another country of the language
        "\"trw-untranslated\\aUntranslated\",\r\n\t\"Untranslated\";\r\n\r\n" // English
        "\"trw-long\\aLong\",\r\n\t\"Long\";\r\n\r\n"
        "// trr1\r\n";
    EXPECT_NE(text.find(expected), std::string::npos);

    // The second language goes into comment lines; its long text wraps after
    // spaces onto lines that are comments too.
    text = Export(XQ_ZZ, XR_ZZ);
    EXPECT_EQ(text.rfind("LANGUAGE \"XQ-ZZ UTF-8\";\r\n", 0), 0u);
    expected =
        "// trw\r\n"
        "// \"Dve\xC5\x99""e\"\r\n\"trw-door\\aDoor\",\r\n\t\"T\xC3\xBCr\";\r\n\r\n";
    EXPECT_NE(text.find(expected), std::string::npos);
    expected =
        "// \"Tento text je delsi nez sedesat znaku, a proto se zalomi na \"\r\n"
        "//\t\"vice radku komentare.\"\r\n"
        "\"trw-long\\aLong\",\r\n";
    EXPECT_NE(text.find(expected), std::string::npos);

    // A language with a charset: its name carries it and the texts are in it.
    text = Export(SetLanguageCharset(XQ_ZZ, FindCharset("windows-1252")));
    EXPECT_EQ(text.rfind("LANGUAGE \"XQ-ZZ windows-1252\";\r\n", 0), 0u);
    EXPECT_NE(text.find("\"trw-door\\aDoor\",\r\n\t\"T\xFCr\";\r\n\r\n"), std::string::npos);

    EXPECT_EQ(Export(0), "");
}

TEST_F(TranslationFileTest, LongTextsWrapAndReadBackAsOneString)
{
    std::string long_id(150, 'i');
    std::string long_text;
    for(int i = 0; i < 20; i++)
        long_text += "word" + std::to_string(i) + " ";
    String literal = CStringLiteral(String(long_text.c_str()), 60, "\t", CSTRING_BREAK_AT_SPACE);
    EXPECT_NE(Std(literal).find("\"\r\n\t\""), std::string::npos);
    CParser p(literal.Begin());
    EXPECT_EQ(Std(p.TakeString()), long_text);

    // A wrapped comment of the second language never joins the id after it.
    std::string all = WriterBlock(XQ_ZZ, XR_ZZ);
    std::vector<std::string> lines;
    for(size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(all.substr(at, end - at));
    int continued = 0;
    for(size_t i = 1; i < lines.size(); i++)
        if(lines[i].rfind("//\t\"", 0) == 0) {
            continued++;
            EXPECT_EQ(lines[i - 1].rfind("//", 0), 0u) << lines[i - 1];
        }
    EXPECT_EQ(continued, 1);
    // An earlier test may have read an XQ-ZZ text for this id already; reading one
    // replaces it, so only a missing one adds an entry.
    auto xq_entries = [] {
        int n = 0;
        for(const TranslationEntry& e : EntriesOf("trw", "trw-long\aLong"))
            n += (e.language & LANGUAGE_AND_COUNTRY_MASK) == (XQ_ZZ & LANGUAGE_AND_COUNTRY_MASK);
        return n;
    };
    int count = EntriesOf("trw", "trw-long\aLong").GetCount();
    int had_xq = xq_entries();
    EXPECT_TRUE(LoadTranslationText(String(all.c_str()), "all"));
    EXPECT_EQ(xq_entries(), 1); // read under the id intact, not under one the comment joined
    EXPECT_EQ(EntriesOf("trw", "trw-long\aLong").GetCount(), count + 1 - had_xq);
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trw-long\aLong")), "Long");
}

TEST_F(TranslationFileTest, ExportReadsBackIntoTheSameTexts)
{
    // Export in an 8-bit charset, forget the texts, read the file back.
    const LanguageCode latin = SetLanguageCharset(XQ_ZZ, FindCharset("windows-1252"));
    std::string text = WriterBlock(latin) + WriterBlock(SetLanguageCharset(XR_ZZ, FindCharset("windows-1250")));
    EXPECT_NE(text.find("LANGUAGE \"XR-ZZ windows-1250\";"), std::string::npos);
    TranslationModule& module = GetTranslationModule(FindModule("trw"));
    for(Vector<TranslationEntry>& list : module.entries)
        for(TranslationEntry& e : list)
            if(e.language == XQ_ZZ || e.language == XR_ZZ)
                e.text = "forgotten";
    ASSERT_TRUE(LoadTranslationText(String(text.c_str()), "rt"));
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trw-door\aDoor")), "T\xC3\xBCr");
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trw-key\vPage Up")), "Bild \"auf\"");
    EXPECT_EQ(Std(TranslateTo(XR_ZZ, "trw-door\aDoor")), "Dve\xC5\x99""e");
    EXPECT_EQ(Std(TranslateTo(XR_ZZ, "trw-long\aLong")), long_xr);
    // The fallback text written for a missing translation comes back as an entry.
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trw-other\aOnly other country")), "Andere");
}

TEST_F(TranslationFileTest, RegistrationRules)
{
    const char* text =
        "// a file of corrections\r\n"
        "LANGUAGE \"xq_zz\";\n"
        "\"trr-shared\\aShared\", \"from file\";\n"       // first module only
        "\"trr-plain\\aPlain\", \"neu\";\n"              // appended
        "\"trr-twice\\aTwice\", \"one\";\n"
        "\"trr-twice\\aTwice\", \"two\";\n"              // the later entry wins
        "\"trr-nobody\\aNobody\", \"dropped\";\n"         // no module holds it
        "\"trr-bl\" /* joined */ \"ank\\aBlank\", \"\";\n" // empty: replaces all the same
        "\"trr-ctx\\vPage Up\", \"Bild auf\";\n"
        "LANGUAGE \"XR-ZZ windows-1250\";\n"
        "\"trr-coded\\aCoded\", \"\\236lu\\235ou\\350k\";\n"; // windows-1250 bytes
    // Other tests may have added languages to trr-plain already.
    int plain_before = EntriesOf("trr1", "trr-plain\aPlain").GetCount();
    int plain_had_xq = 0;
    for(const TranslationEntry& e : EntriesOf("trr1", "trr-plain\aPlain"))
        plain_had_xq += e.language == XQ_ZZ;
    ASSERT_TRUE(LoadTranslationText(text));
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trr-shared\aShared")), "from file");
    EXPECT_STREQ(EntriesOf("trr2", "trr-shared\aShared")[1].text, "second module");
    EXPECT_EQ(EntriesOf("trr1", "trr-shared\aShared").GetCount(), 2);
    const Vector<TranslationEntry>& plain = EntriesOf("trr1", "trr-plain\aPlain");
    ASSERT_EQ(plain.GetCount(), plain_before + 1 - plain_had_xq);
    int neu = -1;
    for(int i = 0; i < plain.GetCount(); i++)
        if(plain[i].language == XQ_ZZ) // stored with the UTF-8 charset bits
            neu = i;
    ASSERT_GE(neu, 1);
    EXPECT_STREQ(plain[neu].text, "neu");
    const Vector<TranslationEntry>& blank = EntriesOf("trr1", "trr-blank\aBlank");
    ASSERT_EQ(blank.GetCount(), 2);
    EXPECT_STREQ(blank[1].text, "");
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trr-blank\aBlank")), "");
    EXPECT_EQ(EntriesOf("trr1", "trr-twice\aTwice").GetCount(), 2);
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trr-twice\aTwice")), "two");
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trr-ctx\vPage Up")), "Bild auf");
    EXPECT_EQ(Std(TranslateTo(XR_ZZ, "trr-coded\aCoded")), "\xC5\xBElu\xC5\xA5ou\xC4\x8Dk");

    // English entries carry no charset bits; a block for EN-US still corrects them.
    int count = EntriesOf("trr1", "trr-partial\aPartial").GetCount();
    ASSERT_TRUE(LoadTranslationText("LANGUAGE \"EN-US\";\"trr-partial\\aPartial\",\"Corrected\";"));
    EXPECT_EQ(EntriesOf("trr1", "trr-partial\aPartial").GetCount(), count);
    EXPECT_EQ(Std(TranslateTo(LANGUAGE_EN_US, "trr-partial\aPartial")), "Corrected");
}

TEST_F(TranslationFileTest, EmptyAndCommentOnlyTextsRegisterNothing)
{
    std::string long_comment = "// " + std::string(100000, 'c') + "\r\n";
    std::string wrapped = "// \"" + std::string(70, 'w') + " \"\r\n//\t\"more\"\r\n";
    const char* texts[] = {"", "   \r\n\t", "// only a comment", "/* block\n comment */\n", long_comment.c_str(),
                           wrapped.c_str()};
    int before = EntriesOf("trr1", "trr-plain\aPlain").GetCount();
    for(const char* t : texts) {
        String error;
        EXPECT_TRUE(LoadTranslationText(String(t), "c", &error)) << t << " " << Std(error);
    }
    EXPECT_EQ(EntriesOf("trr1", "trr-plain\aPlain").GetCount(), before);

    // A long comment between entries stays a comment.
    std::string text = "LANGUAGE \"XQ-ZZ\";" + long_comment + wrapped + "\"trr-partial\\aPartial\"," + long_comment +
                       "\"kept\";" + long_comment;
    EXPECT_TRUE(LoadTranslationText(String(text.c_str())));
    EXPECT_EQ(Std(TranslateTo(XQ_ZZ, "trr-partial\aPartial")), "kept");
}

TEST_F(TranslationFileTest, ErrorsStopReadingAndKeepEarlierEntries)
{
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"LANGUAGE \"XQ-ZZ\"\n\"trr-plain\\aPlain\", \"x\";", "e(2,19): missing ';'"}, // the literals join
        {"LANGUAGE \"XQ-ZZ\";\n\"trr-plain\\aPlain\" \"x\";", "e(2,23): missing ','"}, // the literals join
        {"LANGUAGE \"XQ-ZZ\";\n\"trr-plain\\aPlain\"; \"x\";", "e(2,19): missing ','"},
        {"LANGUAGE \"XQ-ZZ\";\n\n\"trr-plain\\aPlain\", \"x\"", "e(3,24): missing ';'"},
        {"LANGUAGE \"XQ-ZZ\";\n\"trr-plain\\aPlain\", x;", "e(2,21): missing string"},
        {"LANGUAGE \"XQ-ZZ\";\n\"trr-plain\\aPlain\", \"x", "e(2,23): Unterminated string"},
        {"\n\nLANGUAGES \"XQ-ZZ\";", "e(3,1): missing 'LANGUAGE'"},
        {"LANGUAGE XQ;", "e(1,10): missing string"},
        {"\nLANGUAGE \"Q\";", "e(2,10): invalid language \"Q\""},
        {"LANGUAGE \"XQ-ZZ nosuch-charset\";", "e(1,10): invalid language \"XQ-ZZ nosuch-charset\""},
        {"LANGUAGE \"XQ-ZZ\";\"trr-plain\\aPlain\", \"x\";x", "e(1,42): missing 'LANGUAGE'"},
    };
    for(const Case& c : cases) {
        String error;
        EXPECT_FALSE(LoadTranslationText(String(c.text), "e", &error)) << c.text;
        EXPECT_EQ(Std(error), c.error) << c.text;
    }

    // Entries before the error stay; the entry whose ';' is missing too.
    const char* text = "LANGUAGE \"XQ-YY\";\"trr-plain\\aPlain\",\"before\";\n"
                       "LANGUAGE \"XR-YY\";\"trr-plain\\aPlain\",\"unfinished\"\n"
                       "LANGUAGE \"XQ-ZZ\";\"trr-twice\\aTwice\",\"never\";";
    EXPECT_FALSE(LoadTranslationText(text));
    EXPECT_EQ(Std(TranslateTo(XQ_YY, "trr-plain\aPlain")), "before");
    EXPECT_EQ(Std(TranslateTo(MakeLanguageCode('X', 'R', 'Y', 'Y'), "trr-plain\aPlain")), "unfinished");
    EXPECT_NE(Std(TranslateTo(XQ_ZZ, "trr-twice\aTwice")), "never");

    // A NUL ends the parser's text before the file does: not all was read.
    String with_nul("LANGUAGE \"XQ-ZZ\";\0LANGUAGE", 26);
    String error;
    EXPECT_FALSE(LoadTranslationText(with_nul, "n", &error));
    EXPECT_EQ(Std(error), "n(1,18): NUL byte in the text");
}

TEST_F(TranslationFileTest, FilesOnDisk)
{
    char folder[] = "/tmp/qor_trfile_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string path = std::string(folder) + "/x.tr";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("LANGUAGE \"XQ-YY\";\r\n\"trr-coded\\aCoded\",\r\n\t\"from disk\";\r\n", f);
    std::fclose(f);
    EXPECT_TRUE(LoadTranslationFile(path.c_str()));
    EXPECT_EQ(Std(TranslateTo(XQ_YY, "trr-coded\aCoded")), "from disk");

    // Missing or not a regular file: read as empty.
    EXPECT_TRUE(LoadTranslationFile((std::string(folder) + "/missing.tr").c_str()));
    EXPECT_TRUE(LoadTranslationFile(folder));

    f = std::fopen(path.c_str(), "wb");
    std::fputs("LANGUAGE \"XQ-YY\";\n\"trr-coded\\aCoded\" \"x\";", f);
    std::fclose(f);
    String error;
    EXPECT_FALSE(LoadTranslationFile(path.c_str(), &error));
    EXPECT_EQ(Std(error), path + "(2,23): missing ','");
    unlink(path.c_str());
    rmdir(folder);
}

} // namespace
