// The rich-text library: formats, paragraph styles, embedded objects with the image types and paragraphs.
#pragma once

#include "richtext/model/formats.h"
#include "richtext/model/object_type.h"
#include "richtext/model/object_types.h"
#include "richtext/model/packed_paragraph.h"
#include "richtext/model/paragraph.h"
#include "richtext/model/paragraph_style.h"
#include "richtext/model/rich_text_img.h"
#include "richtext/objects/image_objects.h"
