// The rich-text library: character and paragraph formats, paragraph styles.
#pragma once

#include "richtext/model/formats.h"
#include "richtext/model/paragraph_style.h"
