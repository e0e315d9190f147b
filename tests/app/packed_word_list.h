// Word lists packed by the bzip2 program, for tests that need their own.
#pragma once

#include "app/word_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace QorTest {

// text packed by `bzip2 -<level>`; empty (with a test failure) when the program failed.
inline std::string PackBzip2(const Qor::String& text, int level = 9)
{
    std::string file = "/tmp/qor_wordlist_" + std::to_string(getpid()) + ".bz2";
    std::string command = "bzip2 -" + std::to_string(level) + " -c > " + file;
    std::string packed;
    FILE* p = popen(command.c_str(), "w");
    fwrite(text.Begin(), 1, text.GetLength(), p);
    EXPECT_EQ(pclose(p), 0);
    if(FILE* f = fopen(file.c_str(), "rb")) {
        char buf[4096];
        for(size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;)
            packed.append(buf, n);
        fclose(f);
    }
    remove(file.c_str());
    return packed;
}

// A one-block word list over packed bytes that the caller keeps alive.
struct PackedWordList {
    explicit PackedWordList(const Qor::String& text) : bytes(PackBzip2(text))
    {
        block = reinterpret_cast<const unsigned char*>(bytes.data());
        length = int(bytes.size());
    }
    PackedWordList(const PackedWordList&) = delete;
    PackedWordList& operator=(const PackedWordList&) = delete;

    WordListResource Get() const { return { 1, &length, &block }; }

    std::string bytes;
    const unsigned char* block;
    int length;
};

} // namespace QorTest
