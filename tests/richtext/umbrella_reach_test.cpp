// The rich-text library's umbrella reaches the Qtf reader and writer: this file includes
// nothing else of the library.
#include "richtext/richtext.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

TEST(RichTextUmbrella, ReadsAndWritesQtf)
{
    RichText text = ReadQtfDocument("plain [* bold]");
    ASSERT_EQ(text.GetPartCount(), 1);
    String qtf = WriteQtfDocument(text);
    EXPECT_NE(qtf.Find("[* bold]"), -1) << qtf.Begin();
    EXPECT_EQ(EscapeQtfText("a:b"), "a`:b");
}

} // namespace
