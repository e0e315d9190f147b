// DataDrawer: renders foreign data of a named type into pixel buffers for Draw::DrawData;
// drawers are found by type name in a process-wide registry.
#pragma once

#include "draw/image/pixel_buffer.h"
#include "foundation/string.h"

namespace Qor {

class DataDrawer {
public:
    // Operations in this order.
    virtual void Open(const String& data, int cx, int cy) = 0;
    // Fills the buffer; called once for the whole area, or once per band in order.
    virtual void Render(PixelBuffer& buffer) = 0;
    virtual ~DataDrawer() = default;
};

using DataDrawerFactory = DataDrawer* (*)();

// Adds or replaces the factory of a type name.
void RegisterDataDrawer(const char* type, DataDrawerFactory factory);
// A new drawer for the type, owned by the caller; null when the type has none.
DataDrawer* GetDataDrawer(const String& type);

} // namespace Qor
