// The start-up options step: reading the export option, loading the ".tr"
// files of a folder, and, in child processes that start up with their own
// HOME and arguments, the loading at start-up and the export with its exit.
#include "foundation/translation_startup.h"

#include "foundation/app_startup.h"
#include "foundation/charset.h"
#include "foundation/values/translate.h"
#include "foundation/values/translation_file.h"

#include "tests/foundation/child_process.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace Qor;

namespace {

const LanguageCode DE_DE = MakeLanguageCode('D', 'E', 'D', 'E');
const LanguageCode CS_CZ = MakeLanguageCode('C', 'S', 'C', 'Z');
const LanguageCode EN_US = MakeLanguageCode('E', 'N', 'U', 'S');

TEST(TranslationStartupTest, ReadsTheExportOption)
{
    struct Case {
        std::vector<const char*> args;
        bool requested;
        const char* file;
        LanguageCode first, second;
        int charset;
    } cases[] = {
        {{}, false, "", 0, 0, 255},
        {{"prog-arg", "--export-trx", "--EXPORT-TR", "-export-tr"}, false, "", 0, 0, 255},
        {{"--export-tr"}, true, "all.tr", 0, 0, 255},
        {{"--export-tr", "deDE"}, true, "deDE.tr", DE_DE, 0, 255},
        {{"--export-tr", "csCZ", "enUS"}, true, "csCZ.tr", CS_CZ, EN_US, 255},
        {{"--export-tr", "csCZ2"}, true, "csCZ2.tr", CS_CZ, 0, 17},  // windows-1252
        {{"--export-tr", "csCZB"}, true, "csCZB.tr", CS_CZ, 0, 2},   // iso8859-2
        {{"--export-tr", "deDEJ"}, true, "deDEJ.tr", DE_DE, 0, 10},
        {{"--export-tr", "deDE9"}, true, "deDE9.tr", DE_DE, 0, 255},
        {{"--export-tr", "deDEK"}, true, "deDEK.tr", DE_DE, 0, 255},
        // The separated form: the fifth unit is the country's, the charset UTF-8.
        {{"--export-tr", "de-DE"}, true, "de-DE.tr", DE_DE, 0, 255},
        {{"--export-tr", "en-US"}, true, "en-US.tr", EN_US, 0, 255},
        {{"--export-tr", "cs_CZ"}, true, "cs_CZ.tr", CS_CZ, 0, 255},
        {{"--export-tr", "ru-RU"}, true, "ru-RU.tr", MakeLanguageCode('R', 'U', 'R', 'U'), 0, 255},
        {{"--export-tr", "zh-CN"}, true, "zh-CN.tr", MakeLanguageCode('Z', 'H', 'C', 'N'), 0, 255},
        // 4 or 5 units that do not parse: every language, into a file named after them.
        {{"--export-tr", "1234"}, true, "1234.tr", 0, 0, 255},
        {{"--export-tr", "12-45"}, true, "12-45.tr", 0, 0, 255},
        // Other lengths are no language argument; the one after still counts as the second.
        {{"--export-tr", "deutsch", "deDE"}, true, "all.tr", 0, DE_DE, 255},
        {{"--export-tr", "de", "csCZ"}, true, "all.tr", 0, CS_CZ, 255},
        {{"--export-tr", "deDE", "english"}, true, "deDE.tr", DE_DE, 0, 255},
        // Arguments before the option are ignored; the first occurrence counts.
        {{"deDE", "--export-tr", "--export-tr", "csCZ"}, true, "all.tr", 0, CS_CZ, 255},
    };
    for(const Case& c : cases) {
        Vector<WString> args;
        std::string shown;
        for(const char* a : c.args) {
            args.Add(WString(a));
            shown += std::string(a) + " ";
        }
        TranslationExportRequest r = ParseExportOption(args);
        EXPECT_EQ(r.requested, c.requested) << shown;
        if(!c.requested)
            continue;
        EXPECT_EQ(Std(r.file_name), c.file) << shown;
        EXPECT_EQ(r.first, c.first) << shown;
        EXPECT_EQ(r.second, c.second) << shown;
        EXPECT_EQ(r.charset, c.charset) << shown;
    }
}

// A scratch folder, removed afterwards.
class TranslationStartup : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& text)
    {
        std::ofstream(root + "/" + name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name)
    {
        std::ifstream in(root + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    TempFolder folder{"qor_trstart"};
    std::string root = folder.Path();
};

const TranslationRecord folder_module[] = {
    {1, "trs-a\aA"}, {1, "trs-b\aB"}, {1, "trs-c\aC"}, {0, nullptr},
};

TEST_F(TranslationStartup, LoadsEveryTrFileOfAFolder)
{
    RegisterTranslationModule(folder_module, "trs");
    const LanguageCode XS = MakeLanguageCode('X', 'S', 'Z', 'Z');
    Write("one.tr", "LANGUAGE \"XS-ZZ\"; \"trs-a\", \"eins\";");
    Write("two.tr", "LANGUAGE \"XS-ZZ windows-1252\"; \"trs-b\", \"zw\xF6lf\";");
    Write("broken.tr", "LANGUAGE \"XS-ZZ\" \"trs-c\", \"drei\";"); // no ';' after the name
    Write("other.txt", "LANGUAGE \"XS-ZZ\"; \"trs-c\", \"not a tr file\";");
    Write("none.tr.bak", "LANGUAGE \"XS-ZZ\"; \"trs-c\", \"not a tr file\";");
    LoadTranslationFolder(root.c_str());
    EXPECT_EQ(Std(TranslateTo(XS, "trs-a\aA")), "eins");
    EXPECT_EQ(Std(TranslateTo(XS, "trs-b\aB")), "zw\xC3\xB6lf");
    EXPECT_EQ(Std(TranslateTo(XS, "trs-c\aC")), "C");
    // A folder that cannot be listed loads nothing and does not fail.
    LoadTranslationFolder((root + "/missing").c_str());
}

// ---- child processes ---------------------------------------------------

void Report(const std::string& key, const std::string& value)
{
    std::string line = key + "=" + value + "\n";
    if(write(3, line.data(), line.size()) < 0)
        std::perror("report");
}

// Starts up with the arguments of QOR_TRS_ARGS (separated by '|'), then
// reports what the loaded files made of a few ids.
TEST(TranslationStartupChild, DISABLED_Run)
{
    const char* given = std::getenv("QOR_TRS_ARGS");
    if(!given)
        GTEST_SKIP() << "runs only as a child of the TranslationStartup tests";
    std::vector<std::string> args = {"prog"};
    for(std::string rest = given; !rest.empty();) {
        size_t bar = rest.find('|');
        args.push_back(rest.substr(0, bar));
        rest = bar == std::string::npos ? "" : rest.substr(bar + 1);
    }
    std::vector<char*> argv;
    for(std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ProcessStartUp((int)args.size(), argv.data(), environ);
    Report("main", IsMainRunning() ? "1" : "0");
    Report("number.de", Std(TranslateTo(DE_DE, "Invalid number !")));
    Report("drive.de", Std(TranslateTo(DE_DE, "Empty drive")));
    Report("drive.en", Std(TranslateTo(EN_US, "Empty drive")));
    const char* reload = std::getenv("QOR_TRS_RELOAD");
    if(reload) {
        String error;
        Report("reload", LoadTranslationFile(reload, &error) ? "1" : "0 " + Std(error));
    }
}

ChildRun RunChild(const std::string& home, const std::string& args, const std::string& reload = "")
{
    std::string self = SelfPath();
    std::vector<std::string> env = {"HOME=" + home, "QOR_TRS_ARGS=" + args, "LANG=C"};
    if(!reload.empty())
        env.push_back("QOR_TRS_RELOAD=" + reload);
    return RunChildProcess(self, {self, "--gtest_filter=TranslationStartupChild.DISABLED_Run",
                                  "--gtest_also_run_disabled_tests"}, env);
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for(size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        n++;
    return n;
}

TEST_F(TranslationStartup, LoadsTheHomeFolderAndGoesOn)
{
    ChildRun run = RunChild(root, "");
    ASSERT_EQ(run.ExitStatus(), 0) << run.error_output;
    EXPECT_EQ(run["main"], "1");
    EXPECT_EQ(run["drive.de"], "Leeres Laufwerk");

    // The files count for every language; a broken one stops nothing. An
    // EN-US block corrects the built-in English text.
    Write("mine.tr", "// user corrections\nLANGUAGE \"de-DE\";\n\"Empty drive\", \"Jawohl\";\n"
                     "LANGUAGE \"EN-US\"; \"Empty drive\", \"No disk\";");
    Write("broken.tr", "LANGUAGE \"de-DE\"; \"Invalid number !\" \"Halt\";");
    run = RunChild(root, "first|second");
    ASSERT_EQ(run.ExitStatus(), 0) << run.error_output;
    EXPECT_EQ(run["main"], "1");
    EXPECT_EQ(run["drive.de"], "Jawohl");
    EXPECT_EQ(run["drive.en"], "No disk");
    EXPECT_EQ(run["number.de"], "Ungültige Zahl!");
}

TEST_F(TranslationStartup, ExportsAndEnds)
{
    // Every language in UTF-8 into all.tr, ending before the program body.
    ChildRun run = RunChild(root, "--export-tr");
    ASSERT_EQ(run.ExitStatus(), 0) << run.error_output;
    EXPECT_EQ(run["main"], "<missing>");
    std::string all = Read("all.tr");
    EXPECT_EQ(all.rfind("LANGUAGE \"EN-US UTF-8\";\r\n// \r\n\"key\\vCtrl+\",\r\n\t\"Ctrl+\";\r\n\r\n", 0), 0u);
    EXPECT_EQ(Count(all, "LANGUAGE \""), 19); // English and the 18 languages of the tables
    EXPECT_EQ(Count(all, "LANGUAGE \"DE-DE UTF-8\";"), 1);
    EXPECT_NE(all.find("\"Empty drive\",\r\n\t\"Leeres Laufwerk\";"), std::string::npos);
    // ... and the whole of it reads back.
    run = RunChild(root, "", root + "/all.tr");
    EXPECT_EQ(run["reload"], "1");

    struct Case {
        const char* args;
        const char* file;
        std::vector<std::string> parts;
    } cases[] = {
        {"--export-tr|deDE", "deDE.tr", {"LANGUAGE \"DE-DE UTF-8\";\r\n", "\"Empty drive\",\r\n\t\"Leeres Laufwerk\";\r\n"}},
        {"--export-tr|de-DE", "de-DE.tr", {"LANGUAGE \"DE-DE UTF-8\";\r\n", "\t\"Ung\xC3\xBCltige Zahl!\";\r\n"}},
        {"--export-tr|deDEE", "deDEE.tr", {"LANGUAGE \"DE-DE iso8859-5\";\r\n"}},
        {"--export-tr|csCZ|enUS", "csCZ.tr",
         {"LANGUAGE \"CS-CZ UTF-8\";\r\n", "// \"Empty drive\"\r\n\"Empty drive\",\r\n\t\"Pr\xC3\xA1zdn\xC3\xA1 jednotka\";\r\n\r\n"}},
        {"--export-tr|csCZ2", "csCZ2.tr", {"LANGUAGE \"CS-CZ windows-1252\";\r\n", "\t\"Pr\xE1zdn\xE1 jednotka\";"}},
    };
    for(const Case& c : cases) {
        run = RunChild(root, c.args);
        EXPECT_EQ(run.ExitStatus(), 0) << c.args << run.error_output;
        EXPECT_EQ(run["main"], "<missing>");
        std::string text = Read(c.file);
        EXPECT_EQ(Count(text, "LANGUAGE"), 1) << c.args;
        EXPECT_EQ(text.rfind(c.parts[0], 0), 0u) << c.args;
        for(const std::string& part : c.parts)
            EXPECT_NE(text.find(part), std::string::npos) << c.args << ": " << part;
    }

    // A new export replaces the old file.
    Write("deDE.tr", std::string(100000, 'x'));
    run = RunChild(root, "--export-tr|deDE");
    EXPECT_EQ(Read("deDE.tr").find('x' + std::string(50, 'x')), std::string::npos);
}

TEST_F(TranslationStartup, ExportThatCannotWriteFails)
{
    // A home that is a plain file: nothing can be created below it, not even by root.
    Write("home", "x");
    std::string home = root + "/home";
    ChildRun run = RunChild(home, "--export-tr|deDE");
    EXPECT_EQ(run.ExitStatus(), 1);
    EXPECT_EQ(run["main"], "<missing>");
    EXPECT_NE(run.error_output.find("cannot create " + home + "/deDE.tr"), std::string::npos) << run.error_output;
}

} // namespace
