// Every value type the foundation registers before the entry point, in registration order:
// what a program that links the library finds by number and by name.
#pragma once

struct FoundationValueType {
    int number;
    const char* name;
};

inline constexpr FoundationValueType foundation_value_types[] = {
    {8, "WString"}, {20, "Complex"}, {9, "ValueArray"}, {12, "ValueMap"}, {3, "String"},
    {1, "int"},     {2, "double"},   {0, "void"},       {4, "Date"},      {5, "Time"},
    {10, "int64"},  {11, "bool"},    {6, "error"},      {73, "Point"},    {80, "Point64"},
    {75, "Pointf"}, {70, "Size"},    {79, "Size64"},    {72, "Sizef"},    {76, "Rect"},
    {81, "Rect64"}, {78, "Rectf"},   {39, "Color"},     {50, "Uuid"},
};
