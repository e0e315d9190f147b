// The lookup program's library: the word list, its matching, the search runs and the window.
#pragma once

#include "app/lookup_search.h"
#include "app/lorvane.h"
#include "app/lorvane_layout.h"
#include "app/word_list.h"
#include "app/word_match.h"
