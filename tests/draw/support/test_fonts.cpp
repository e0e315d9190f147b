// Builds the private font folder once per machine and user (later runs and parallel test
// processes reuse it) and sets FONTCONFIG_FILE before static initialisers run.

#include "tests/draw/support/test_fonts.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace Qor::test {

namespace {

// Raise the number when the set of fonts changes, so that an old folder is not reused.
constexpr const char* FOLDER_VERSION = "6";
constexpr const char* DEJAVU = "/usr/share/fonts/truetype/dejavu/";
const char* const dejavu_files[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSansMono.ttf"};

void Fail(const std::string& what)
{
    std::fprintf(stderr, "test fonts: %s\n", what.c_str());
    std::exit(2);
}

void WriteConfiguration(const fs::path& at, const std::string& final_folder)
{
    std::ofstream conf(at / "fonts.conf");
    conf << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
         << "  <dir>" << final_folder << "</dir>\n"
         << "  <cachedir>" << final_folder << "/cache</cachedir>\n";
    // The generic names, including the face list's own spelling of sans-serif.
    const char* aliases[][2] = {{"sans-serif", "DejaVu Sans"}, {"sansserif", "DejaVu Sans"},
                                {"serif", "DejaVu Serif"}, {"monospace", "DejaVu Sans Mono"}};
    for(auto& a : aliases)
        conf << "  <alias><family>" << a[0] << "</family><prefer><family>" << a[1]
             << "</family></prefer></alias>\n";
    // A listed family whose matches name a file that is not there.
    conf << "  <match target=\"font\"><test name=\"family\"><string>Qor Missing</string></test>"
         << "<edit name=\"file\" mode=\"assign\"><string>" << final_folder
         << "/no-such-font.ttf</string></edit></match>\n";
    conf << "</fontconfig>\n";
    if(!conf)
        Fail("cannot write fonts.conf");
}

void BuildFolder(const fs::path& final_folder)
{
    fs::path tmp = final_folder.string() + ".tmp" + std::to_string(getpid());
    std::error_code ec;
    fs::remove_all(tmp, ec);
    fs::create_directories(tmp);
    for(const char* f : dejavu_files)
        if(!fs::exists(std::string(DEJAVU) + f))
            Fail(std::string("missing ") + DEJAVU + f + " (fonts-dejavu-core)");
        else
            fs::copy_file(std::string(DEJAVU) + f, tmp / f);
    std::string cut = std::string("/usr/bin/python3 '") + QOR_TEST_FONT_CUTTER + "' '" + tmp.string() + "'";
    if(std::system(cut.c_str()) != 0)
        Fail("cutting the test fonts failed (python3-fonttools)");
    WriteConfiguration(tmp, final_folder.string());
    fs::rename(tmp, final_folder, ec);
    // Another test process may have finished first: its folder is as good as ours.
    if(ec)
        fs::remove_all(tmp, ec);
    if(!fs::exists(final_folder / "fonts.conf"))
        Fail("no font folder at " + final_folder.string());
}

[[gnu::constructor(101)]] void InstallTestFonts()
{
    fs::path f = fs::temp_directory_path() /
                 ("qor-test-fonts-" + std::string(FOLDER_VERSION) + "-" + std::to_string(getuid()));
    if(!fs::exists(f / "fonts.conf"))
        BuildFolder(f);
    setenv("FONTCONFIG_FILE", (f / "fonts.conf").c_str(), 1);
}

} // namespace

const std::string& TestFontFolder()
{
    static const std::string folder = fs::path(std::getenv("FONTCONFIG_FILE")).parent_path().string();
    return folder;
}

} // namespace Qor::test
