// The PDF library's one registration unit: every start-up registration runs from here.

#include "pdf/pdf_draw.h"
#include "pdf/registrations.h"

namespace Qor {

extern const char qor_pdf_registrations = (RegisterDrawingToPdf(), 0);

} // namespace Qor
