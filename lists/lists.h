// The list controls: every public header.
#pragma once

#include "lists/array/array_column.h"
#include "lists/array/array_ctrl.h"
#include "lists/array/cell_ctrl.h"
#include "lists/array/index_sort.h"
#include "lists/array/separator_display.h"
#include "lists/columnlist/column_list.h"
#include "lists/droplist/drop_list.h"
#include "lists/header/header_ctrl.h"
#include "lists/header/header_layout.h"
#include "lists/header/header_store.h"
#include "lists/header/header_style.h"
#include "lists/popup/popup_table.h"
#include "lists/registrations.h"
#include "lists/text/list_messages.h"
