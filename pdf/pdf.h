// The PDF output library: the PDF drawing target and the TrueType fonts it embeds.
#pragma once

#include "pdf/registrations.h"

#include "pdf/glyph_bitmap.h"
#include "pdf/pdf_buffer.h"
#include "pdf/pdf_deflate.h"
#include "pdf/pdf_draw.h"
#include "pdf/ttf_reader.h"
