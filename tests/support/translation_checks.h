// Checks shared by the tests of the compiled-in translation modules.
#pragma once

#include "foundation/values/translate.h"

#include <gtest/gtest.h>

#include <cstring>

namespace QorTest {

// Every id of a compiled-in module opens with its English text, and each translation is a
// UTF-8 text that is not empty (an empty one is left out, so the lookup falls back).
inline void ExpectCompiledInEntries(const Qor::TranslationModule& module)
{
    const Qor::LanguageCode en_us = Qor::MakeLanguageCode('E', 'N', 'U', 'S');
    for(const Qor::Vector<Qor::TranslationEntry>& list : module.entries) {
        ASSERT_GE(list.GetCount(), 1);
        EXPECT_EQ(list[0].language, en_us);
        for(int i = 1; i < list.GetCount(); i++) {
            EXPECT_EQ(Qor::GetLanguageCharset(list[i].language), 255);
            EXPECT_GT(std::strlen(list[i].text), 0u);
        }
    }
}

} // namespace QorTest
