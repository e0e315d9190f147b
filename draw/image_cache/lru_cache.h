// LRUCache: objects made on demand by makers, kept by the maker's key and kind, each with a
// cost, and dropped least recently used first when the cache is shrunk to its limits.
#pragma once

#include "foundation/assert.h"
#include "foundation/hash_index.h"
#include "foundation/types.h"

#include <memory>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Qor {

template <class T, class K>
class LRUCache {
public:
    // Describes one object: equal keys of one maker kind must mean equal objects.
    class Maker {
    public:
        virtual K Key() const = 0;
        // Fills a default-constructed object and returns its cost (not negative).
        virtual int Make(T& object) const = 0;
        virtual ~Maker() = default;
    };

    LRUCache() = default;
    LRUCache(const LRUCache&) = delete;
    LRUCache& operator=(const LRUCache&) = delete;

    // The object of the maker's key and kind, made when absent (then *made is set when
    // given); it becomes the most recent. The reference stays valid until the entry is
    // shrunk away or removed.
    T& Get(const Maker& maker, bool* made = nullptr);
    // Drops the least recently used entries while the total cost exceeds max_cost or the
    // count exceeds max_count.
    void Shrink(int64 max_cost, int max_count);
    // Drops every entry whose object satisfies drop; the others keep their order.
    template <class Pred>
    void RemoveIf(Pred drop);
    // Drops the most recent entry whose object satisfies drop; false when none does.
    template <class Pred>
    bool RemoveFirst(Pred drop);
    // Every entry's cost taken again from cost(object), for objects whose size changed.
    template <class Cost>
    void Recount(Cost cost);
    void Clear();

    int GetCount() const { return count; }
    int64 GetTotalCost() const { return total; }
    // Whether the maker's object is held; the use order stays as it is.
    bool Contains(const Maker& maker) const
    {
        return index.count(Key{ maker.Key(), std::type_index(typeid(maker)) }) != 0;
    }
    // The entry the next shrink drops first; null when empty.
    const T* GetLeastRecent() const { return head < 0 ? nullptr : entries[entries[head].prev].object.get(); }

private:
    struct Key {
        K key;
        std::type_index kind;
        bool operator==(const Key& b) const { return kind == b.kind && key == b.key; }
    };
    struct KeyHash {
        size_t operator()(const Key& k) const { return GetHashValue(k.key) * 31u + k.kind.hash_code(); }
    };
    struct Entry {
        int prev = -1, next = -1;
        int cost = 0;
        std::unique_ptr<T> object; // null in a free slot
        Key key;
    };

    std::unordered_map<Key, int, KeyHash> index;
    std::vector<Entry> entries;
    std::vector<int> free_slots;
    int head = -1; // the most recent; the one before it is the least recent
    int count = 0;
    int64 total = 0;

    void Unlink(int i);
    void LinkAsHead(int i);
    void Remove(int i);
};

template <class T, class K>
void LRUCache<T, K>::Unlink(int i)
{
    Entry& e = entries[i];
    if(e.next == i)
        head = -1;
    else {
        entries[e.prev].next = e.next;
        entries[e.next].prev = e.prev;
        if(head == i)
            head = e.next;
    }
}

template <class T, class K>
void LRUCache<T, K>::LinkAsHead(int i)
{
    Entry& e = entries[i];
    if(head < 0)
        e.prev = e.next = i;
    else {
        Entry& h = entries[head];
        e.next = head;
        e.prev = h.prev;
        entries[h.prev].next = i;
        h.prev = i;
    }
    head = i;
}

template <class T, class K>
void LRUCache<T, K>::Remove(int i)
{
    Unlink(i);
    Entry& e = entries[i];
    index.erase(e.key);
    total -= e.cost;
    count--;
    // Taken out first: the object's destructor may come back to this cache.
    std::unique_ptr<T> object = std::move(e.object);
    free_slots.push_back(i);
}

template <class T, class K>
T& LRUCache<T, K>::Get(const Maker& maker, bool* made)
{
    Key key{ maker.Key(), std::type_index(typeid(maker)) };
    auto found = index.find(key);
    if(made)
        *made = found == index.end();
    if(found != index.end()) {
        int i = found->second;
        if(head != i) {
            Unlink(i);
            LinkAsHead(i);
        }
        return *entries[i].object;
    }
    auto object = std::make_unique<T>();
    int cost = maker.Make(*object);
    QOR_ASSERT(cost >= 0);
    int i;
    if(free_slots.empty()) {
        i = (int)entries.size();
        entries.push_back(Entry{ -1, -1, 0, nullptr, key });
    }
    else {
        i = free_slots.back();
        free_slots.pop_back();
        entries[i].key = key;
    }
    Entry& e = entries[i];
    e.cost = cost;
    e.object = std::move(object);
    index.emplace(std::move(key), i);
    LinkAsHead(i);
    total += cost;
    count++;
    return *e.object;
}

template <class T, class K>
void LRUCache<T, K>::Shrink(int64 max_cost, int max_count)
{
    while(head >= 0 && (total > max_cost || count > max_count))
        Remove(entries[head].prev);
}

template <class T, class K>
template <class Pred>
void LRUCache<T, K>::RemoveIf(Pred drop)
{
    for(int i = 0; i < (int)entries.size(); i++)
        if(entries[i].object && drop(*entries[i].object))
            Remove(i);
}

template <class T, class K>
template <class Pred>
bool LRUCache<T, K>::RemoveFirst(Pred drop)
{
    if(head < 0)
        return false;
    int i = head;
    do {
        if(drop(*entries[i].object)) {
            Remove(i);
            return true;
        }
        i = entries[i].next;
    } while(i != head);
    return false;
}

template <class T, class K>
template <class Cost>
void LRUCache<T, K>::Recount(Cost cost)
{
    total = 0;
    if(head < 0)
        return;
    int i = head;
    do {
        Entry& e = entries[i];
        e.cost = cost(*e.object);
        total += e.cost;
        i = e.next;
    } while(i != head);
}

template <class T, class K>
void LRUCache<T, K>::Clear()
{
    while(head >= 0)
        Remove(head);
}

} // namespace Qor
