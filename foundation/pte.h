// Weak pointers: an object deriving from Pte<T> can be watched by any number
// of WeakPointer<T>s, which all read null once the object has been destroyed.
#pragma once

#include "foundation/types.h"

namespace Qor {

class PteBase;

// Shared by every weak pointer to one target; outlives the target when
// watchers remain, and goes with the last watcher.
struct WeakPointerLink {
    PteBase* target; // null once the target died
    int32 count;     // number of WeakPointers holding this link
};

// The watched part of an object: one pointer, null until the first watcher.
// Such an object must not be relocated by a byte copy while it is watched,
// because the link points back at it.
class PteBase {
public:
    PteBase() : link(nullptr) {}
    // A copy is a new object with no watchers of its own.
    PteBase(const PteBase&) : link(nullptr) {}
    PteBase& operator=(const PteBase&) { return *this; }
    ~PteBase();

    bool IsWatched() const { return link != nullptr; }

private:
    friend class WeakPointerBase;
    WeakPointerLink* link;
};

template <class T>
class Pte : public PteBase {};

// Untyped half of WeakPointer: one pointer to the shared link.
class WeakPointerBase {
public:
    PteBase* GetBase() const { return link ? link->target : nullptr; }
    bool IsEmpty() const { return link == nullptr; }

protected:
    WeakPointerBase() : link(nullptr) {}
    explicit WeakPointerBase(PteBase* target) { Attach(target); }
    ~WeakPointerBase() { Release(); }

    void Attach(PteBase* target);
    void Release();

private:
    WeakPointerLink* link;
};

template <class T>
class WeakPointer : public WeakPointerBase {
public:
    WeakPointer() = default;
    WeakPointer(T* target) : WeakPointerBase(Base(target)) {}
    // A copy watches the same target and so shares its link.
    WeakPointer(const WeakPointer& other) : WeakPointerBase(other.GetBase()) {}
    WeakPointer& operator=(const WeakPointer& other) { Assign(other.Get()); return *this; }
    WeakPointer& operator=(T* target) { Assign(target); return *this; }

    // Drops the old link before taking the new one, so re-assigning the only
    // watcher of a target makes a fresh link.
    void Assign(T* target) { PteBase* t = Base(target); Release(); Attach(t); }
    void Clear() { Release(); }

    T* Get() const { return static_cast<T*>(GetBase()); }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }
    T& operator*() const { return *Get(); }

private:
    static PteBase* Base(T* target) { return target; }
};

// Links alive in the process (diagnostics and leak checks).
int WeakPointerLinkCount();

} // namespace Qor
