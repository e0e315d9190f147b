// The drawing library: images and pixel buffers, fonts, the Draw interface.
#pragma once

#include "draw/registrations.h"

#include "draw/image/rgba.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image/image.h"
#include "draw/image/image_forms.h"
#include "draw/image/pixel_format.h"
#include "draw/image_ops/image_filters.h"
#include "draw/image_ops/image_parts.h"
#include "draw/image_cache/lru_cache.h"
#include "draw/image_cache/made_image.h"

#include "draw/rescale/rescaler.h"
#include "draw/rescale/sample_map.h"
#include "draw/rescale/kernel_rescale.h"

#include "draw/raster/raster.h"
#include "draw/raster/stream_raster.h"
#include "draw/raster/raster_encoder.h"
#include "draw/raster/palette.h"
#include "draw/raster/bmp/bmp_raster.h"
#include "draw/raster/bmp/bmp_encoder.h"
#include "draw/raster/bmp/bmp_header.h"

#include "draw/image_list/image_list.h"
#include "draw/image_list/draw_img.h"

#include "draw/look/resettable_statics.h"
#include "draw/look/sys_colors.h"
#include "draw/look/look.h"
#include "draw/look/standard_look_painter.h"
#include "draw/look/image_look.h"
#include "draw/look/recolour.h"
#include "draw/look/skin_reset.h"

#include "draw/values/framed_text_form.h"

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"
#include "draw/font/font_backend.h"
#include "draw/text/text.h"

#include "draw/recorded/drawing.h"
#include "draw/recorded/painting.h"
#include "draw/recorded/drawing_player.h"

#include "draw/target/draw.h"
#include "draw/target/nil_draw.h"
#include "draw/target/data_drawer.h"
#include "draw/target/draw_hooks.h"
#include "draw/target/image_any_draw.h"

#include "draw/utils/rect_list.h"
#include "draw/utils/border_table.h"

#include "draw/display/attr_text.h"
#include "draw/display/display.h"
