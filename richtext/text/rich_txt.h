// RichTxt: the body of rich text, an ordered list of stored paragraphs and tables; every
// table cell holds one of its own.
#pragma once

#include "foundation/any.h"
#include "foundation/bitset.h"
#include "foundation/owned_ptr.h"
#include "richtext/model/paragraph.h"
#include "richtext/model/paragraph_style.h"

namespace Qor {

class RichTable;

class RichTxt {
public:
    // A paragraph as stored: packed against its style, with its objects beside it.
    struct Para {
        Uuid style;
        int32 length = 0; // text positions
        String content;   // the packed form
        OwnedArray<EmbeddedObject> object;
        bool needs_layout = true;
        // Stands for one packed content under one style format; keys the paragraph cache.
        int64 serial;
        int32 layout_width = -1; // the page width the layout was made for; -1 none
        BitSet marked;           // text positions marked while painting
        bool marked_valid = false;
        bool has_label_or_index_entry = false;
        // A copy of the numbering part, kept when the paragraph is numbered or resets it.
        OwnedPtr<ParagraphNumbering> numbering;

        // Empty, with the next serial.
        Para();
        // The content, objects and numbering, with the next serial and no layout.
        Para(const Para& p);
        Para& operator=(const Para&) = delete;

        // To be laid out again, under the next serial.
        void Invalidate();
    };

    // An operation run over every paragraph of a list, nested ones included.
    struct ParaOp {
        // True when it changed the paragraph.
        virtual bool Apply(Para& p) = 0;
        virtual ~ParaOp() = default;
    };

    RichTxt() = default;
    // Every part copied deeply; the paragraphs take new serials.
    RichTxt(const RichTxt& t);
    RichTxt(RichTxt&& t) noexcept;
    RichTxt& operator=(const RichTxt& t);
    RichTxt& operator=(RichTxt&& t) noexcept;

    void Clear();
    // Both caches 0: for a list that has just been emptied.
    void ClearCaches() { length = table_count = 0; }
    void InvalidateCaches() { length = table_count = -1; }
    // Parts from n on are destroyed; new slots are empty until set.
    void SetCount(int n);

    int GetPartCount() const { return part.GetCount(); }
    bool IsTable(int i) const;
    bool IsPara(int i) const { return !IsTable(i); }
    // Part i, which must be a table (or a paragraph for GetPara).
    RichTable& GetTable(int i);
    const RichTable& GetTable(int i) const;
    const Para& GetPara(int i) const { return part[i].Get<Para>(); }
    Para& GetPara(int i) { return part[i].Get<Para>(); }
    int GetPartLength(int i) const;

    // Text positions: the parts' lengths with one position between neighbours.
    int GetLength() const;
    // Tables in the list, nested ones included.
    int GetTableCount() const;
    // No part, or one part of length 0.
    bool IsEmpty() const;

    // Unpacks paragraph i against the format of the style given (or of its own style). With
    // use_cache the paragraph cache is asked first and gets the paragraph back when it is
    // destroyed; the unpacked format takes that style's id.
    void GetParagraph(int i, UnpackedParagraph& p, const Uuid& style, const ParagraphStyleMap& styles,
                      bool use_cache) const;
    void GetParagraph(int i, UnpackedParagraph& p, const ParagraphStyleMap& styles, bool use_cache = false) const;
    // Against a format; the style id stays that of the format.
    void GetParagraph(int i, UnpackedParagraph& p, const ParagraphFormat& style) const;

    // Stores a paragraph at i (at most the part count), packed against the style's format; a
    // table there is replaced.
    void SetParagraph(int i, const UnpackedParagraph& p, const ParagraphFormat& style);
    // Stores a paragraph packed against the format of its own style in the map.
    void Set(int i, const UnpackedParagraph& p, const ParagraphStyleMap& styles);
    // Normalises the table and moves it into part i (at most the part count); the given
    // table is left empty.
    void SetTable(int i, RichTable& table);

    // Runs op over every paragraph, through the visible cells of tables; true when any
    // call changed a paragraph.
    bool Apply(ParaOp& op);

    // The text of the paragraphs with U+007F for objects and fields, a line break between
    // neighbouring parts and neighbouring visible cells.
    WString GetPlainText(bool crlf = false) const;

private:
    Vector<Any> part;
    mutable int32 length = 0;
    mutable int32 table_count = 0;

    Para& MakePara(int i);
};

} // namespace Qor
