// RichQtfParser: the single forward pass that turns Qtf text into a RichText.
#pragma once

#include "foundation/owned_array.h"
#include "richtext/model/paragraph.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"

#include <algorithm>

namespace Qor {

// The current format with the charset in which plain bytes are decoded.
struct QtfFormatState {
    ParagraphFormat format;
    byte charset = 0;
};

// One open table.
struct QtfTableState {
    CellFormat format; // what the next stored cell receives
    int rowspan = 0;
    int cellspan = 0; // the relative width in a proportional table
    RichTxt text;     // the cell being read
    RichTable table;
    int cell = 0;       // cells stored so far
    Vector<int> rownum; // cells per row, proportional tables only
};

class RichQtfParser {
public:
    // Thrown by MarkupErrorParagraph only, caught by ReadQtfDocument only.
    struct Exc {};

    // Hostile text is bounded before anything is allocated for it.
    enum : int {
        MAX_STYLE_NUMBER = 9999,
        MAX_FORMAT_DEPTH = 1000,
        MAX_TABLE_DEPTH = 32,
        MAX_SPAN = 1 << 20,
        MAX_COLUMN_WIDTH = 1 << 20,
        MAX_OBJECT_SIZE = 60000,
        // Table, cell and tab measures in dots (about four metres): sums and products of
        // them in layout stay far from overflow.
        MAX_DIMENSION = 100000,
        MAX_PROPORTIONAL_CELLS = 100000,
        MAX_SPARE_PARTS = 64,
    };

    explicit RichQtfParser(void* context);
    void Parse(const char* qtf, int accesskey);

    RichText target;

private:
    void* context;
    const char* term = nullptr;
    WString text;
    UnpackedParagraph paragraph;
    // Text runs of paragraphs already stored, kept to be filled again: a run then costs no
    // allocation.
    OwnedArray<ParagraphPart> spare_part;
    bool text_runs_only = true; // the paragraph has no object or field part
    RichTable table;
    bool istable = false;
    bool breakpage = false;
    // Format records: the current one, the ones saved by "[" and spare ones all live in
    // format_pool, so that "]" exchanges pointers instead of moving formats.
    OwnedArray<QtfFormatState> format_pool;
    QtfFormatState* format = nullptr;
    Vector<QtfFormatState*> fstack; // saved by "[", innermost last
    Vector<QtfFormatState*> fspare;
    // Where the paragraph's format is while it is not copied into the paragraph: a point that
    // sets "paragraph format := current format" only notes it, and the copy is made when that
    // format is about to change or the paragraph is stored. A format record that "[" saves,
    // or that "]" sets aside, keeps the noted format until it is used again.
    enum { PF_SET, PF_CURRENT, PF_RECORD } pf_state = PF_CURRENT;
    QtfFormatState* pf_record = nullptr;
    int accesskey = 0;
    Vector<Uuid> styleid;
    // The style last looked up, as paragraphs and groups of one style come in runs; any
    // change to the styles forgets it.
    Uuid found_style_id;
    const ParagraphFormat* found_style = nullptr;
    Vector<int> stylenext;
    OwnedArray<QtfTableState> tablepart;
    bool oldtab = false; // inside a proportional table

    // Lexing.
    bool IsDigit() const { return *term >= '0' && *term <= '9'; }
    bool Key(int c)
    {
        if(*term == c) {
            term++;
            return true;
        }
        return false;
    }
    bool Key2(int c, int d)
    {
        if(term[0] == c && term[1] == d) {
            term += 2;
            return true;
        }
        return false;
    }
    int ReadNumber();
    int ReadRequiredNumber();
    // A measure read as by ReadRequiredNumber, kept within MAX_DIMENSION.
    int ReadDimension() { return std::min(ReadRequiredNumber(), (int)MAX_DIMENSION); }
    // "a/b", either part optional: each read as by ReadNumber and kept within MAX_DIMENSION,
    // -1 when absent.
    void ReadDimensionPair(int& a, int& b);
    Color ReadColor();
    String ReadText(int delimiter);

    // Text and paragraphs.
    void Characters();
    void AddChar(int code);
    // Appends to the pending text, which is kept with room to spare.
    void AppendText(const wchar16* s, int n);
    void FlushText();
    void SetParagraphFormat() { pf_state = PF_CURRENT; }
    // Copies the noted format into the paragraph.
    void StoreParagraphFormat();
    void PlacePendingTable()
    {
        if(istable)
            EndParagraph();
    }
    void EndParagraph();
    RichTxt& Container() { return tablepart.IsEmpty() ? (RichTxt&)target : tablepart.Top().text; }
    void RawBlock();
    void CharacterByCode();

    // Formats and styles.
    void FormatGroup();
    void FormatCommand(int c);
    void PopFormat();
    void SetCharset(const String& name);
    void ApplyStyle(const Uuid& id);
    // The format of the style id in the target (the default style's when it has none).
    const ParagraphFormat& StyleFormat(const Uuid& id);
    void SetStyle(const Uuid& id, const ParagraphStyle& style);
    void StyleNumber();
    void DefineStyle();
    void ResolveNextStyles();

    void ParseObject();
    void ParseField();

    // Tables.
    QtfTableState& PushTable();
    void BeginTable();
    void ReadCellFormat();
    void EndCell();
    void EndTable();
    void BeginProportionalTable();
    void EndProportionalTable();
    void EndAllTables();

    [[noreturn]] void MarkupErrorParagraph(const char* message);
};

} // namespace Qor
