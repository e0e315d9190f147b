// The sample document of the rich-text benchmarks: 100 paragraphs in two styles with bold
// and italic runs and one table, the same text in the same sizes on both sides, as Qtf and as the equivalent Pango
// markup (which has no tables: the cells become lines of their own).
#pragma once

#include <string>

namespace bench_rich {

inline const char* const words = "The quick brown fox jumps over the lazy dog while ";

inline std::string QtfDocument()
{
    // Headings at 120 dots, the size of Pango's "large" on 100-pixel text; no indents.
    std::string q = "[*+120 $$1,0#11111111111111111111111111111111:Heading]"
                    "[$$2,2#22222222222222222222222222222222:Body]";
    for(int i = 0; i < 100; i++) {
        if(i == 50) {
            q += "{{1:1:1 ";
            for(int c = 0; c < 9; c++)
                q += std::string(c ? "||" : "") + "cell " + std::to_string(c);
            q += "}}&";
        }
        q += i % 10 == 0 ? "[s1 Heading " + std::to_string(i) + "&]"
                         : "[s2 " + std::string(words) + "[* bold words] and [/ italic words] " + words + "&]";
    }
    return q;
}

inline std::string PangoMarkup()
{
    std::string m;
    for(int i = 0; i < 100; i++) {
        if(i == 50)
            for(int c = 0; c < 9; c++)
                m += "cell " + std::to_string(c) + "\n";
        m += i % 10 == 0 ? "<span weight=\"bold\" size=\"large\">Heading " + std::to_string(i) + "</span>\n"
                         : std::string(words) + "<b>bold words</b> and <i>italic words</i> " + words + "\n";
    }
    return m;
}

} // namespace bench_rich
