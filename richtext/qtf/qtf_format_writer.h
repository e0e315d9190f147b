// The pieces of Qtf writing that need only formats: escaping plain text into Qtf, and
// colours, languages, numbers, character and paragraph formats written as differences.
#pragma once

#include "foundation/string.h"
#include "foundation/values/color.h"
#include "richtext/model/formats.h"

namespace Qor {

// Plain text as Qtf: a line feed becomes "&", ASCII punctuation gets a backquote, every
// other byte (space, control characters, bytes from 0x80) stays as it is.
String EscapeQtfText(const char* text);
// As EscapeQtfText, but a tab becomes "-|" and other control characters are dropped: the
// form for messages and meanings, which may hold anything.
String EscapeQtfTextWithTabs(const char* text);
// As EscapeQtfText, but a line feed keeps its place behind a backquote: the form for
// names, labels, links and other texts that the reader takes up to a delimiter, where
// "&" would not end a paragraph but stay as itself.
String EscapeQtfDelimitedText(const char* text);

// The decimal digits of v, INT_NULL too (as the plain int it is).
void AppendInt(String& out, int v);
// True when out ends with a digit: a number written next would run into it.
bool EndsWithDigit(const String& out);

// Each appends to out.
// "N" for Null, a palette digit, "(n)" for a grey, else "(r.g.b)".
void WriteQtfColor(String& out, Color c);
// Nothing when equal to reference; else the letter and the colour.
void WriteQtfColor(String& out, char letter, Color c, Color reference);
// Nothing when equal to reference; "%-" for none, "%%" for EN-US, else "%" and the text.
void WriteQtfLanguage(String& out, int language, int reference);
// Nothing when equal to reference; else the letter, the value and ";".
void WriteQtfNumber(String& out, char letter, int value, int reference);
// The commands that turn old into f.
void WriteQtfCharFormat(String& out, const CharacterFormat& old, const CharacterFormat& f);
// The commands that turn old into f (note the order of the arguments); a label is written
// whenever f has one.
void WriteQtfParaFormat(String& out, const ParagraphFormat& f, const ParagraphFormat& old);

} // namespace Qor
