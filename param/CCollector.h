// CCollector<T*>: an ordered vector of pointers that owns what they point to and never holds the
// same pointer twice. CCollector<T> and CCollector<T*> name the same kind of collection.
#pragma once

#include <cstddef>
#include <vector>

template <class T>
struct CollectorElement {
    using Type = T;
};
template <class T>
struct CollectorElement<T*> {
    using Type = T;
};

template <class T>
class CCollector {
public:
    using Element = typename CollectorElement<T>::Type;
    using Pointer = Element*;
    using Vector = std::vector<Pointer>;
    using iterator = typename Vector::iterator;
    using const_iterator = typename Vector::const_iterator;

    CCollector() = default;
    virtual ~CCollector() { DeleteAll(); }
    CCollector(const CCollector&) = delete;
    CCollector& operator=(const CCollector&) = delete;

    // Appends; false for a pointer already present (or null).
    virtual bool Add(Pointer p) {
        if (!p || Contains(p)) return false;
        m_items.push_back(p);
        return true;
    }
    // Appends the pointers of another collection's vector that are not yet members (so a
    // collection given its own vector stays as it is). The pointers are shared: the caller settles
    // which collection keeps ownership. False only for a null source.
    virtual bool AppendAll(const Vector* source) {
        if (!source) return false;
        const std::size_t count = source->size();  // the source may be this collection's own vector
        for (std::size_t i = 0; i < count; ++i) {
            const Pointer p = (*source)[i];
            if (p && !Contains(p)) m_items.push_back(p);
        }
        return true;
    }
    // Deletes the element at pos and removes it; returns the position of the next element.
    virtual iterator EraseAt(iterator pos) {
        const Pointer p = *pos;
        pos = m_items.erase(pos);
        delete p;
        return pos;
    }
    virtual bool RemoveAt(int index) {
        if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return false;
        return Remove(m_items[static_cast<std::size_t>(index)]);
    }
    // Deletes the object and removes its entry; false when absent.
    virtual bool Remove(Pointer p) {
        const int index = IndexOf(p);
        if (index < 0) return false;
        EraseAt(m_items.begin() + index);
        return true;
    }
    // Removes the entry without deleting the object.
    virtual iterator DetachAt(iterator pos) { return m_items.erase(pos); }
    virtual bool Detach(Pointer p) {
        const int index = IndexOf(p);
        if (index < 0) return false;
        m_items.erase(m_items.begin() + index);
        return true;
    }
    virtual void DetachAll() { m_items.clear(); }
    // Deletes every object and empties the collection.
    virtual void Clear() { DeleteAll(); }
    virtual Pointer GetAt(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return nullptr;
        return m_items[static_cast<std::size_t>(index)];
    }
    virtual int IndexOf(Pointer p) const {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] == p) return static_cast<int>(i);
        }
        return -1;
    }

    bool Contains(Pointer p) const { return IndexOf(p) >= 0; }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Empty() const { return m_items.empty(); }
    const Vector& Items() const { return m_items; }
    iterator begin() { return m_items.begin(); }
    iterator end() { return m_items.end(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

protected:
    Vector m_items;

private:
    // Takes the entries out first, so an element whose destructor looks at this collection sees
    // it consistent.
    void DeleteAll() {
        Vector items;
        items.swap(m_items);
        for (Pointer p : items) delete p;
    }
};
