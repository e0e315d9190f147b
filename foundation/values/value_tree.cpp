// Hash, equality and text of container trees: each walk keeps one frame per open
// container on a heap stack, so nesting costs memory, never stack depth.

#include "foundation/values/value_tree_internal.h"

#include "foundation/heap.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"

namespace Qor {

namespace {

constexpr uint32 CONTAINER_HASH_SEED = 0xe2f62ff2u;

constexpr size_t WALK_BLOCK_BYTES = 32768;

// Blocks of finished walks, kept for the next one: a chain of keys built level by level
// is hashed whole at every level, and those walks in a row then allocate nothing anew.
// Values and the heap serve one thread, so one set of spares does.
struct SpareWalkBlocks {
    static constexpr int MAX = 8;
    void* blocks[MAX] = {};
    int count = 0;

    void* Take() { return count ? blocks[--count] : HeapAllocate(WALK_BLOCK_BYTES); }
    void Give(void* block)
    {
        if(count < MAX)
            blocks[count++] = block;
        else
            HeapRelease(block);
    }
};

SpareWalkBlocks spare_walk_blocks;

// The stack of one walk: the first levels in place, so that the everyday shallow tree
// costs no allocation; deeper levels go to fixed blocks that are never moved or copied.
template <class T>
class WalkStack {
public:
    WalkStack() = default;
    WalkStack(const WalkStack&) = delete;
    WalkStack& operator=(const WalkStack&) = delete;
    ~WalkStack()
    {
        for(T* block : blocks)
            spare_walk_blocks.Give(block);
    }

    T& Add(const T& x)
    {
        int i = count - SHALLOW;
        if(i >= 0 && i / BLOCK == blocks.GetCount())
            blocks.Add((T*)spare_walk_blocks.Take());
        count++;
        return Top() = x;
    }
    T& Top()
    {
        return count <= SHALLOW ? shallow[count - 1]
                                : blocks[(count - 1 - SHALLOW) / BLOCK][(count - 1 - SHALLOW) % BLOCK];
    }
    void Drop() { count--; }
    T Pop()
    {
        T x = Top();
        count--;
        return x;
    }
    bool IsEmpty() const { return count == 0; }

private:
    static constexpr int SHALLOW = 32;
    static constexpr int BLOCK = int(WALK_BLOCK_BYTES / sizeof(T));
    T shallow[SHALLOW];
    Vector<T*> blocks; // kept until the walk ends, for the levels to come
    int count = 0;
};

// The ValueArray or ValueMap data a Value holds; null for every other Value.
const Value::Void* ContainerOf(const Value& v)
{
    const Value::Void* rep = v.GetRep();
    if(!rep)
        return nullptr;
    int type = rep->GetTypeNumber();
    return type == VALUEARRAY_V || type == VALUEMAP_V ? rep : nullptr;
}

const ValueMap::Data* AsMap(const Value::Void* data)
{
    return data->GetTypeNumber() == VALUEMAP_V ? static_cast<const ValueMap::Data*>(data) : nullptr;
}

// Hash ---------------------------------------------------------------------------------

// One container being hashed: the sequence folded in now, and for a map, while its keys
// are folded in, its values' array, whose data hash joins the keys' hash at the end.
struct HashFrame {
    const Vector<Value>* items;
    int next;
    uint32 h;
    const ValueArray::Data* map_values; // set while a map's keys are folded in
    bool map_done_keys;
    uint32 keys_h;
};

HashFrame ArrayFrame(const Vector<Value>& items)
{
    return { &items, 0, (uint32)items.GetCount() ^ CONTAINER_HASH_SEED, nullptr, false, 0 };
}

// Pushes the frame of data, or gives its hash at once in h (false) when nothing is
// nested to walk: an empty map equals the Null one, so it hashes 0 as a Null does.
bool OpenHash(const Value::Void* data, WalkStack<HashFrame>& stack, uint32& h)
{
    if(const ValueMap::Data* map = AsMap(data)) {
        if(map->keys.IsEmpty() && map->values.IsEmpty()) {
            h = 0;
            return false;
        }
        HashFrame& f = stack.Add(ArrayFrame(map->keys.GetKeys()));
        f.map_values = map->values.GetData();
        return true;
    }
    stack.Add(ArrayFrame(static_cast<const ValueArray::Data*>(data)->items));
    return true;
}

// Equality -----------------------------------------------------------------------------

// One pair of containers being compared element by element; a map's values follow its keys.
struct EqualFrame {
    const Vector<Value>* left;
    const Vector<Value>* right;
    int next;
    const ValueArray::Data* left_values; // set while two maps' keys are compared
    const ValueArray::Data* right_values;
};

// Pushes the frame of two containers of one type, or gives the answer at once in equal
// (false) when the counts alone or the identity decide.
bool OpenEqual(const Value::Void* left, const Value::Void* right, WalkStack<EqualFrame>& stack, bool& equal)
{
    if(left == right) {
        equal = true;
        return false;
    }
    const ValueMap::Data* lm = AsMap(left);
    if(lm) {
        const ValueMap::Data* rm = static_cast<const ValueMap::Data*>(right);
        if(lm->keys.GetCount() != rm->keys.GetCount()) {
            equal = false;
            return false;
        }
        stack.Add({ &lm->keys.GetKeys(), &rm->keys.GetKeys(), 0, lm->values.GetData(), rm->values.GetData() });
        return true;
    }
    const Vector<Value>& a = static_cast<const ValueArray::Data*>(left)->items;
    const Vector<Value>& b = static_cast<const ValueArray::Data*>(right)->items;
    if(a.GetCount() != b.GetCount()) {
        equal = false;
        return false;
    }
    stack.Add({ &a, &b, 0, nullptr, nullptr });
    return true;
}

// Text ---------------------------------------------------------------------------------

// One container being written: its elements (a map's keys) up to next are out, and for a
// map, once the key before next is out, its value comes next.
struct TextFrame {
    const Vector<Value>* items;
    const ValueArray* map_values; // null for an array
    int next;
    bool value_side;
};

// Writes the opening bracket of data and pushes its frame.
void OpenText(const Value::Void* data, WalkStack<TextFrame>& stack, String& r)
{
    if(const ValueMap::Data* map = AsMap(data)) {
        r.Append("{ ");
        stack.Add({ &map->keys.GetKeys(), &map->values, 0, false });
        return;
    }
    r.Append("[");
    stack.Add({ &static_cast<const ValueArray::Data*>(data)->items, nullptr, 0, false });
}

} // namespace

uint32 HashValueContainer(const Value::Void* data)
{
    WalkStack<HashFrame> stack;
    uint32 done;
    if(!OpenHash(data, stack, done))
        return done;
    for(;;) {
        HashFrame& f = stack.Top();
        if(f.next < f.items->GetCount()) {
            const Value& v = (*f.items)[f.next++];
            uint32 h;
            if(const Value::Void* nested = ContainerOf(v)) {
                if(v.IsNull())
                    h = 0; // the Value hash of every Null
                else if(OpenHash(nested, stack, h))
                    continue; // f may have moved with the stack
            }
            else
                h = v.GetHashValue();
            f.h = f.h * 17u ^ h;
            continue;
        }
        if(f.map_values) { // a map's keys are in: its values' array data comes next
            f.keys_h = f.h;
            f.map_done_keys = true;
            const Vector<Value>& values = f.map_values->items;
            f.items = &values;
            f.next = 0;
            f.h = (uint32)values.GetCount() ^ CONTAINER_HASH_SEED;
            f.map_values = nullptr;
            continue;
        }
        done = f.map_done_keys ? f.keys_h * 17u ^ f.h : f.h;
        stack.Drop();
        if(stack.IsEmpty())
            return done;
        HashFrame& parent = stack.Top();
        parent.h = parent.h * 17u ^ done;
    }
}

bool EqualValueContainers(const Value::Void* left, const Value::Void* right)
{
    WalkStack<EqualFrame> stack;
    bool equal;
    if(!OpenEqual(left, right, stack, equal))
        return equal;
    while(!stack.IsEmpty()) {
        EqualFrame& f = stack.Top();
        if(f.next < f.left->GetCount()) {
            const Value& x = (*f.left)[f.next];
            const Value& y = (*f.right)[f.next];
            f.next++;
            const Value::Void* cx = ContainerOf(x);
            const Value::Void* cy = ContainerOf(y);
            if(cx && cy && cx->GetTypeNumber() == cy->GetTypeNumber()) {
                if(OpenEqual(cx, cy, stack, equal))
                    continue; // f may have moved with the stack
            }
            else
                equal = x == y; // no container on both sides: nothing nested to walk
            if(!equal)
                return false;
            continue;
        }
        if(f.left_values) { // two maps' keys agree: their values' arrays come next
            const ValueArray::Data* a = f.left_values;
            const ValueArray::Data* b = f.right_values;
            f.left_values = f.right_values = nullptr;
            if(a == b) {
                stack.Drop();
                continue;
            }
            if(a->items.GetCount() != b->items.GetCount())
                return false;
            f.left = &a->items;
            f.right = &b->items;
            f.next = 0;
            continue;
        }
        stack.Drop();
    }
    return true;
}

String ValueContainerText(const Value::Void* data)
{
    String r;
    WalkStack<TextFrame> stack;
    OpenText(data, stack, r);
    while(!stack.IsEmpty()) {
        TextFrame& f = stack.Top();
        const Value* v;
        if(f.value_side) {
            f.value_side = false;
            r.Append(": ");
            if(f.next > f.map_values->GetCount()) // a key without a value prints as an empty one
                continue;
            v = &(*f.map_values)[f.next - 1];
        }
        else if(f.next < f.items->GetCount()) {
            if(f.next)
                r.Append(", ");
            v = &(*f.items)[f.next++];
            f.value_side = f.map_values != nullptr;
        }
        else {
            r.Append(f.map_values ? " }" : "]");
            stack.Drop();
            continue;
        }
        if(v->IsNull())
            continue; // Null elements give no characters
        if(const Value::Void* nested = ContainerOf(*v))
            OpenText(nested, stack, r); // f may move with the stack
        else
            r.Append(v->ToString());
    }
    return r;
}

} // namespace Qor
