// The rich-text library: character and paragraph formats.
#pragma once

#include "richtext/model/formats.h"
