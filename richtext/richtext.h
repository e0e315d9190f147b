// The rich-text library: formats, styles, embedded objects and their image types, paragraphs,
// tables and documents, their layout on pages, their painting, and the Qtf markup read
// and written.
#pragma once

#include "richtext/registrations.h"

#include "richtext/layout/overflow.h"
#include "richtext/layout/page_position.h"
#include "richtext/layout/paragraph_lines.h"
#include "richtext/model/formats.h"
#include "richtext/model/object_type.h"
#include "richtext/model/object_types.h"
#include "richtext/model/packed_paragraph.h"
#include "richtext/model/paragraph.h"
#include "richtext/model/paragraph_style.h"
#include "richtext/model/rich_text_img.h"
#include "richtext/objects/image_objects.h"
#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "richtext/paint/text_run_paint.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "richtext/qtf/qtf_parser.h"
#include "richtext/qtf/qtf_reader.h"
#include "richtext/qtf/qtf_writer.h"
#include "richtext/table/rich_table.h"
#include "richtext/table/table_cell.h"
#include "richtext/table/table_layout.h"
#include "richtext/text/rich_text.h"
#include "richtext/text/rich_txt.h"
