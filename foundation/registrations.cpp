// The foundation's one registration unit: every start-up registration of the library.
//
// Each header of the library states QOR_REGISTRATION_ANCHOR(qor_foundation), so any program
// that uses the library links this unit, and its initialiser runs before the entry point.
#include "foundation/ini.h"
#include "foundation/registration.h"
#include "foundation/translation_startup.h"
#include "foundation/values/color.h"
#include "foundation/values/complex.h"
#include "foundation/values/convert.h"
#include "foundation/values/date_text.h"
#include "foundation/values/format.h"
#include "foundation/values/geometry.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/language_info.h"
#include "foundation/values/translate.h"
#include "foundation/values/uuid.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

namespace Qor {

static char RegisterFoundation()
{
    // Value types in the registry's order: the standard ones, geometry, Color, Uuid.
    RegisterStandardValueTypes();
    SerializedBinaryMarker();
    RegisterGeometryValueTypes();
    RegisterColorValueType();
    RegisterUuidValueType();
    RegisterValueElementAccess();
    RegisterValueElementForm();
    // Their XML and JSON forms.
    RegisterBasicValueXmlize();
    RegisterBasicValueJsonize();
    RegisterGeometryValueMappings();
    RegisterComplexValueMappings();
    RegisterColorValueMappings();
    RegisterUuidValueMappings();
    // Texts: the catalogue before anything that translates, then what formats and converts.
    RegisterCompiledInTranslations();
    RegisterDateSettingsHook();
    RegisterStandardFormatters();
    RegisterStandardConverters();
    RegisterLanguageCollation();
    // Start-up and configuration.
    RegisterTranslationStartUp();
    RegisterUserLogVariable();
    return 0;
}

extern const char qor_foundation_registrations = RegisterFoundation();

} // namespace Qor
