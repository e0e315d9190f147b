// ImageList: a named list of compiled-in images decoded on first use, the process-wide
// map of lists by name, and lookup of one image by "List:image" path.
#pragma once

#include "draw/image/image.h"
#include "draw/look/recolour.h"
#include "foundation/key_index.h"
#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

// A compiled-in image in run-length form: line l's data is lines[l] for the first
// line_count lines, the lines below are transparent.
struct RunLengthImage {
    const byte* const* lines;
    int16 line_count;
    byte unused;
    int32 width;
    int32 height;
    int32 hotspot_x;
    int32 hotspot_y;
};

// The blocks that the build packs from text art (tools/image_art writes one of these per
// art file): zlib blocks of premultiplied image records, their names and counts.
struct ArtImageData {
    const byte* const* blocks;
    const int* lengths;
    const int* counts;
    int block_count;
    const char* const* names;
    int count;
};

class ImageList {
public:
    // Names from the names table (a null name is the empty name); the images come from
    // the run-length records unless data blocks are added.
    ImageList(const RunLengthImage* records, const char* const* names, int count);
    // The list of text-art blocks, registered under the name (see RegisterImageList).
    ImageList(const ArtImageData& art, const char* name);

    void AddNames(int n);
    // A zlib block of `count` image records, kept by pointer.
    void AddData(const byte* data, int length, int count);
    // Owners whose blocks hold premultiplied pixels turn this off after adding them.
    void SetPremultiplyBlocks(bool b) { premultiply_blocks = b; }

    int GetCount() const { return names.GetCount(); }
    const String& GetName(int i) const { return names[i]; }
    // Position of the name, -1 when absent.
    int Find(const String& name) const { return names.Find(name); }

    // Image i, decoded from the compiled-in data on its first request (the decoded
    // images are a cache, so a constant list decodes too).
    Image Get(int i) const;
    // Replaces image i until the next Reset.
    void Set(int i, const Image& image);
    // Forgets every image, so that each is decoded anew on its next request.
    void Reset();
    // Each image whose name other also has becomes other's image recoloured into the
    // current system colours (draw/look/recolour.h); the rest keep theirs. The recolouring
    // is made on the image's first request, in the colours of the call.
    void SetRecolouredFrom(const ImageList& other);

private:
    struct Block {
        const byte* data;
        int32 length;
        int32 count;
    };
    struct Entry {
        bool present = false;
        Image image;
        // A recolouring not made yet: of image, or of compiled-in image decode_from when
        // that is not negative.
        bool recolour = false;
        int decode_from = -1;
        RecolourColours colours;
    };

    Vector<Block> blocks;
    KeyIndex<String> names;
    mutable Vector<Entry> entries;
    const RunLengthImage* records;
    const char* const* name_table;
    bool premultiply_blocks = true;

    Image FromBlocks(int i) const;
    Image Decode(int i) const;
    void KeepDecoded(int base, int count, const Vector<Image>& images) const;
};

// A second registration of a name replaces the list.
void RegisterImageList(const char* name, ImageList* list);
// Position of the name in the map of lists, -1 when absent.
int FindImageListIndex(const char* name);
ImageList& GetImageList(int index);

// "List:image" (or "List::image"); the empty Image when the list or image is unknown.
Image FindImageByPath(const char* path);

// The image records of a zlib block; a truncated block gives the records that fit.
Vector<Image> DecodeImageBlock(const byte* data, int length);
// A run-length record into an Image (not premultiplied; its pixels are opaque or clear).
Image DecodeImageRecord(const RunLengthImage& record);
// Decodes exactly width pixels into dst; returns the position after the data used.
const byte* DecodeRunLengthLine(RGBA* dst, const byte* data, int width);

} // namespace Qor
