// Unpacked paragraphs: text positions, appending parts, the paragraph cache and the field
// type registry.

#include "richtext/model/paragraph.h"

#include "foundation/key_map.h"
#include "richtext/model/paragraph_cache_internal.h"
#include "richtext/model/recent_cache_internal.h"

#include <utility>

namespace Qor {

namespace {

int TextLength(const UnpackedParagraph& p) { return p.GetLength(); }

using ParagraphCache = RecentCache<UnpackedParagraph, TextLength>;

KeyMap<String, FieldEvaluator>& FieldTypes()
{
    static KeyMap<String, FieldEvaluator> types;
    return types;
}

} // namespace

WString WithoutControlCharacters(const WString& text)
{
    int i = 0;
    while(i < text.GetLength() && !IsParagraphControlCharacter(text[i]))
        i++;
    if(i == text.GetLength())
        return text;
    WString clean = text.Left(i);
    for(; i < text.GetLength(); i++)
        if(!IsParagraphControlCharacter(text[i]))
            clean += (wchar16)text[i];
    return clean;
}

bool TakeFromParagraphCache(UnpackedParagraph& p)
{
    ParagraphCache* cache = ParagraphCache::Get();
    return cache && cache->TakeFirst([&](const UnpackedParagraph& e) { return e.cache_key == p.cache_key; },
                                     [&](UnpackedParagraph& e) {
                                         p.part = std::move(e.part);
                                         p.format = std::move(e.format);
                                         p.cache_entry = false;
                                     });
}

void PutIntoParagraphCache(UnpackedParagraph& p)
{
    if(ParagraphCache* cache = ParagraphCache::Get())
        cache->PutFirst([&](UnpackedParagraph& e) {
            e.cache_key = p.cache_key;
            e.cache_entry = true;
            e.part = std::move(p.part);
            e.format = std::move(p.format);
        });
}

int GetParagraphCacheCount()
{
    ParagraphCache* cache = ParagraphCache::Get();
    return cache ? cache->GetCount() : 0;
}

UnpackedParagraph::UnpackedParagraph(UnpackedParagraph&& p) noexcept
    : cache_key(p.cache_key), part(std::move(p.part)), format(std::move(p.format))
{
    p.cache_key = 0;
}

UnpackedParagraph::~UnpackedParagraph()
{
    if(cache_key != 0 && !cache_entry && !part.IsMovedFrom())
        PutIntoParagraphCache(*this);
}

int UnpackedParagraph::GetLength() const
{
    int n = 0;
    for(const ParagraphPart& p : part)
        n += p.GetLength();
    return n;
}

WString UnpackedParagraph::GetText() const
{
    WString text;
    for(const ParagraphPart& p : part)
        if(p.HasObjectOrField())
            text += (wchar16)0x7F;
        else
            text += p.text;
    return text;
}

bool UnpackedParagraph::HasLabelOrIndexEntry() const
{
    if(!format.label.IsEmpty())
        return true;
    for(const ParagraphPart& p : part)
        if(!p.format.index_entry.IsEmpty())
            return true;
    return false;
}

int UnpackedParagraph::FindPart(int& pos) const
{
    int i = 0;
    while(i < part.GetCount() && pos >= part[i].GetLength())
        pos -= part[i++].GetLength();
    return i;
}

ParagraphPart& UnpackedParagraph::AddPart() { return part.Add(); }

void UnpackedParagraph::CatText(const WString& text, const CharacterFormat& f)
{
    cache_key = 0;
    ParagraphPart& p = part.Add();
    p.text = WithoutControlCharacters(text);
    p.format = f;
}

void UnpackedParagraph::CatObject(const EmbeddedObject& o, const CharacterFormat& f)
{
    cache_key = 0;
    ParagraphPart& p = part.Add();
    p.object = o;
    p.format = f;
}

void UnpackedParagraph::CatField(const String& id, const String& param, const CharacterFormat& f)
{
    cache_key = 0;
    ParagraphPart& p = part.Add();
    p.field = id;
    p.field_param = param;
    p.format = f;
    if(FieldEvaluator evaluate = FindFieldType(id))
        evaluate(param, ValueMap(), f, p.field_part);
}

void RegisterFieldType(const String& id, FieldEvaluator evaluator) { FieldTypes().GetAdd(id) = evaluator; }

FieldEvaluator FindFieldType(const String& id) { return FieldTypes().Get(id, nullptr); }

} // namespace Qor
