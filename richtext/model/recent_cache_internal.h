// RecentCache: a process-wide list of recently used records, newest first, behind the
// paragraph cache and the layout cache. A record taken out leaves the list; a new one goes
// in front, and the list is cut where every other record from the second on adds up to
// more than SIZE_LIMIT (so about twice that is kept) or past ENTRY_LIMIT records.
#pragma once

#include "foundation/owned_array.h"

namespace Qor {

template <class T, int (*SIZE_OF)(const T&)>
class RecentCache {
public:
    static constexpr int SIZE_LIMIT = 10000;
    static constexpr int ENTRY_LIMIT = 64;

    // The list, built on first use; null once it is destroyed at exit, so that records
    // destroyed later are not kept.
    static RecentCache* Get()
    {
        if(gone)
            return nullptr;
        static RecentCache cache;
        return &cache;
    }

    int GetCount() const { return entry.GetCount(); }

    // Hands the first record that matches to take and drops it; false when none matches.
    template <class Match, class Take>
    bool TakeFirst(Match match, Take take)
    {
        for(int i = 0; i < entry.GetCount(); i++)
            if(match(entry[i])) {
                take(entry[i]);
                entry.Remove(i);
                return true;
            }
        return false;
    }

    // Lets fill make a new record in front, then cuts the list.
    template <class Fill>
    void PutFirst(Fill fill)
    {
        fill(entry.Insert(0));
        int total = 0;
        for(int i = 1; i < entry.GetCount(); i += 2) {
            total += SIZE_OF(entry[i]);
            if(total > SIZE_LIMIT || i > ENTRY_LIMIT) {
                entry.Trim(i);
                return;
            }
        }
    }

private:
    OwnedArray<T> entry;
    static inline bool gone = false;

    RecentCache() = default;
    ~RecentCache()
    {
        entry.Clear();
        gone = true;
    }
};

} // namespace Qor
