// The file selector: every public header.
#pragma once

#include "filesel/accept/file_names.h"
#include "filesel/dialog/file_sel.h"
#include "filesel/dialog/file_sel_layout.h"
#include "filesel/folder/entry_lookup.h"
#include "filesel/folder/file_size.h"
#include "filesel/folder/load_file_list.h"
#include "filesel/folder/name_order.h"
#include "filesel/folder/search_match.h"
#include "filesel/folder/sort_orders.h"
#include "filesel/icons/file_icons.h"
#include "filesel/icons/mime_globs.h"
#include "filesel/list/file_list.h"
#include "filesel/navigate/directory_up.h"
#include "filesel/navigate/rename_entry.h"
#include "filesel/places/place_display.h"
