// The row form of compiled-in translation tables: each id is one row with a text per
// language in a fixed column order; an empty text lets the lookup fall back to another
// country of the language and then to English. A table is an array of TranslationRecord
// holding such rows and ending with {TRANSLATION_END, nullptr}.
#pragma once

#include "foundation/values/translate.h"

namespace Qor {
namespace TranslationColumns {

constexpr int32 CA = MakeLanguageCode('C', 'A', 'E', 'S', 255);
constexpr int32 CS = MakeLanguageCode('C', 'S', 'C', 'Z', 255);
constexpr int32 DE = MakeLanguageCode('D', 'E', 'D', 'E', 255);
constexpr int32 ES = MakeLanguageCode('E', 'S', 'E', 'S', 255);
constexpr int32 FI = MakeLanguageCode('F', 'I', 'F', 'I', 255);
constexpr int32 FR = MakeLanguageCode('F', 'R', 'F', 'R', 255);
constexpr int32 HU = MakeLanguageCode('H', 'U', 'H', 'U', 255);
constexpr int32 IT = MakeLanguageCode('I', 'T', 'I', 'T', 255);
constexpr int32 NL = MakeLanguageCode('N', 'L', 'N', 'L', 255);
constexpr int32 PL = MakeLanguageCode('P', 'L', 'P', 'L', 255);
constexpr int32 PT = MakeLanguageCode('P', 'T', 'B', 'R', 255);
constexpr int32 RO = MakeLanguageCode('R', 'O', 'R', 'O', 255);
constexpr int32 RU = MakeLanguageCode('R', 'U', 'R', 'U', 255);
constexpr int32 SK = MakeLanguageCode('S', 'K', 'S', 'K', 255);
constexpr int32 SR = MakeLanguageCode('S', 'R', 'S', 'P', 255);
constexpr int32 TR = MakeLanguageCode('T', 'R', 'T', 'R', 255);
constexpr int32 ZH_CN = MakeLanguageCode('Z', 'H', 'C', 'N', 255);
constexpr int32 ZH_TW = MakeLanguageCode('Z', 'H', 'T', 'W', 255);

} // namespace TranslationColumns
} // namespace Qor

// Columns: CA-ES CS-CZ DE-DE ES-ES FI-FI FR-FR HU-HU IT-IT NL-NL PL-PL PT-BR
// RO-RO RU-RU SK-SK SR-SP TR-TR ZH-CN ZH-TW.
#define QOR_TR18(id, ca, cs, de, es, fi, fr, hu, it, nl, pl, pt, ro, ru, sk, sr, tr, zhcn, zhtw)                       \
    { Qor::TRANSLATION_NEW_ID, id }, { Qor::TranslationColumns::CA, ca }, { Qor::TranslationColumns::CS, cs },         \
        { Qor::TranslationColumns::DE, de }, { Qor::TranslationColumns::ES, es }, { Qor::TranslationColumns::FI, fi }, \
        { Qor::TranslationColumns::FR, fr }, { Qor::TranslationColumns::HU, hu }, { Qor::TranslationColumns::IT, it }, \
        { Qor::TranslationColumns::NL, nl }, { Qor::TranslationColumns::PL, pl }, { Qor::TranslationColumns::PT, pt }, \
        { Qor::TranslationColumns::RO, ro }, { Qor::TranslationColumns::RU, ru }, { Qor::TranslationColumns::SK, sk }, \
        { Qor::TranslationColumns::SR, sr }, { Qor::TranslationColumns::TR, tr },                                      \
        { Qor::TranslationColumns::ZH_CN, zhcn }, { Qor::TranslationColumns::ZH_TW, zhtw },

// Columns: CA-ES DE-DE ES-ES FI-FI FR-FR HU-HU NL-NL PL-PL PT-BR RO-RO RU-RU
// SK-SK TR-TR ZH-TW.
#define QOR_TR14(id, ca, de, es, fi, fr, hu, nl, pl, pt, ro, ru, sk, tr, zhtw)                                         \
    { Qor::TRANSLATION_NEW_ID, id }, { Qor::TranslationColumns::CA, ca }, { Qor::TranslationColumns::DE, de },         \
        { Qor::TranslationColumns::ES, es }, { Qor::TranslationColumns::FI, fi }, { Qor::TranslationColumns::FR, fr }, \
        { Qor::TranslationColumns::HU, hu }, { Qor::TranslationColumns::NL, nl }, { Qor::TranslationColumns::PL, pl }, \
        { Qor::TranslationColumns::PT, pt }, { Qor::TranslationColumns::RO, ro }, { Qor::TranslationColumns::RU, ru }, \
        { Qor::TranslationColumns::SK, sk }, { Qor::TranslationColumns::TR, tr },                                      \
        { Qor::TranslationColumns::ZH_TW, zhtw },
