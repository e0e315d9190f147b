// The foundation library: heap, text, containers, callbacks, streams, values.
#pragma once

#include "foundation/types.h"
#include "foundation/heap.h"
#include "foundation/hash.h"
#include "foundation/panic.h"
#include "foundation/string.h"
