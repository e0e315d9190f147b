// The PDF output library: reading and subsetting TrueType fonts for embedding.
#pragma once

#include "pdf/ttf_reader.h"
