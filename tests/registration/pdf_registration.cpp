// Start-up registrations of the PDF library hold in a program that links only it and the
// libraries below it: the drawing layer's PDF converter is installed and writes a document.
// Exits non-zero on the first failed check.

#include "draw/target/draw_hooks.h"
#include "pdf/pdf.h"

#include <cstdio>

using namespace Qor;

int main()
{
    // Asked before anything of the library runs, so only start-up can have installed it.
    if(!DrawingToPdfHook) {
        std::fprintf(stderr, "FAILED: the PDF converter is not installed\n");
        return 1;
    }
    Vector<Drawing> pages;
    pages.Add();
    String pdf = DrawingToPdfHook(pages, Size(5100, 6600), 0, false);
    if(!pdf.StartsWith("%PDF-")) {
        std::fprintf(stderr, "FAILED: the converter wrote no PDF document\n");
        return 1;
    }
    return 0;
}
