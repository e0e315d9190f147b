// ImageList: decoding on first request with the shared one-block cache, skin
// replacements, the map of lists and lookup by path.

#include "draw/image_list/image_list.h"

#include "foundation/key_map.h"

#include <cstring>

namespace Qor {

namespace {

KeyMap<String, ImageList*>& ListMap()
{
    static KeyMap<String, ImageList*> map;
    return map;
}

// The images of the block decoded last, shared by all lists: consecutive requests into
// one block decompress it once.
struct BlockCache {
    const byte* data = nullptr;
    Vector<Image> images;
};

BlockCache& Cache()
{
    static BlockCache cache;
    return cache;
}

} // namespace

ImageList::ImageList(const RunLengthImage* records, const char* const* names, int count)
    : records(records), name_table(names)
{
    AddNames(count);
}

ImageList::ImageList(const ArtImageData& art, const char* name) : ImageList(nullptr, art.names, art.count)
{
    for(int i = 0; i < art.block_count; i++)
        AddData(art.blocks[i], art.lengths[i], art.counts[i]);
    // The build writes premultiplied pixels.
    premultiply_blocks = false;
    RegisterImageList(name, this);
}

void ImageList::AddNames(int n)
{
    for(int i = 0; i < n; i++) {
        const char* name = name_table ? name_table[i] : nullptr;
        names.Add(name ? String(name) : String());
        entries.Add(Entry());
    }
}

void ImageList::AddData(const byte* data, int length, int count) { blocks.Add(Block{ data, length, count }); }

Image ImageList::FromBlocks(int i) const
{
    int base = 0;
    for(const Block& block : blocks) {
        if(i >= base + block.count) {
            base += block.count;
            continue;
        }
        BlockCache& cache = Cache();
        if(cache.data != block.data) {
            cache.data = block.data;
            cache.images = DecodeImageBlock(block.data, block.length);
            if(premultiply_blocks)
                for(Image& m : cache.images)
                    m = Premultiply(m);
            KeepDecoded(base, block.count, cache.images);
        }
        // A damaged block holds fewer records than it claims: the missing ones are empty.
        i -= base;
        return i < cache.images.GetCount() ? cache.images[i] : Image();
    }
    return Image();
}

void ImageList::KeepDecoded(int base, int count, const Vector<Image>& images) const
{
    // Requests from several lists take turns in the one-block cache: the images of the block
    // decompressed now are kept, so that the block is not decompressed again for the others.
    auto decoded = [&](int j) { return j - base < images.GetCount() ? images[j - base] : Image(); };
    for(Entry& e : entries) {
        if(e.recolour && e.decode_from >= base && e.decode_from < base + count) {
            e.image = decoded(e.decode_from);
            e.decode_from = -1;
        }
    }
    for(int j = base; j < base + count && j < entries.GetCount(); j++)
        if(!entries[j].present) {
            entries[j].image = decoded(j);
            entries[j].present = true;
        }
}

Image ImageList::Decode(int i) const
{
    if(blocks.GetCount())
        return FromBlocks(i);
    if(records)
        return Premultiply(DecodeImageRecord(records[i]));
    return Image();
}

Image ImageList::Get(int i) const
{
    Entry& e = entries[i];
    if(!e.present) {
        e.image = Decode(i);
        e.present = true;
    }
    if(e.recolour) {
        e.image = RecolourImage(e.decode_from >= 0 ? Decode(e.decode_from) : e.image, e.colours);
        e.recolour = false;
        e.decode_from = -1;
    }
    return e.image;
}

void ImageList::Set(int i, const Image& image)
{
    Entry& e = entries[i];
    e.image = image;
    e.present = true;
    e.recolour = false;
    e.decode_from = -1;
}

void ImageList::Reset()
{
    int n = entries.GetCount();
    names.Clear();
    entries.Clear();
    AddNames(n);
}

void RegisterImageList(const char* name, ImageList* list) { ListMap().GetAdd(name) = list; }

int FindImageListIndex(const char* name) { return ListMap().Find(name); }

ImageList& GetImageList(int index) { return *ListMap()[index]; }

Image FindImageByPath(const char* path)
{
    const char* colon = strchr(path, ':');
    if(!colon)
        return Image();
    int list = ListMap().Find(String(path, (int)(colon - path)));
    if(list < 0)
        return Image();
    while(*colon == ':')
        colon++;
    ImageList& images = *ListMap()[list];
    int i = images.Find(colon);
    return i >= 0 ? images.Get(i) : Image();
}

} // namespace Qor
