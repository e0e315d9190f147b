// Every test of this program meets the same GTK theme: Raleigh with "Sans 10" and a private
// icon folder holding the test icons, pinned before GTK starts. A test run again on a
// private server under another theme keeps the one its parent pinned.

#include "tests/hostlook/gui/theme_pin.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdlib>
#include <memory>

namespace QorTest {

namespace {

void WriteIcon(const std::string& folder, const char* name, int cx, int cy)
{
    std::filesystem::create_directories(folder);
    GdkPixbuf* p = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, cx, cy);
    gdk_pixbuf_fill(p, 0x2060c0ff);
    gdk_pixbuf_save(p, (folder + "/" + name + ".png").c_str(), "png", nullptr, nullptr);
    g_object_unref(p);
}

class ProcessTheme : public ::testing::Environment {
public:
    void SetUp() override
    {
        if(std::getenv("QOR_PRIVATE_SERVER_TEST"))
            return;
        environment = std::make_unique<ThemeEnvironment>(PinnedTheme());
        WriteTestIcons(environment->IconFolder());
    }
    void TearDown() override { environment.reset(); }

private:
    std::unique_ptr<ThemeEnvironment> environment;
};

[[maybe_unused]] ::testing::Environment* const process_theme = ::testing::AddGlobalTestEnvironment(new ProcessTheme);

} // namespace

void WriteTestIcons(const std::string& icon_folder)
{
    // Found in the 16 pixel folder, so GTK hands them out at their own size.
    WriteIcon(icon_folder + "/16x16/apps", "qor-test-big", 64, 64);
    WriteIcon(icon_folder + "/16x16/apps", "qor-test-small", 12, 12);
    WriteIcon(icon_folder + "/48x48/apps", "qor-test-wide", 96, 48);
}

} // namespace QorTest
