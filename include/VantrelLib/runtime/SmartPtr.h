#pragma once
// CSmartPtr<T>: holds one reference on a reference-counted runtime object.
// CLtIterator<T>: forward iterator over a collection's items.

#include <cstddef>
#include <iterator>
#include <type_traits>
#include <utility>

namespace LtXmlLib3 {

template <class T>
class CSmartPtr {
public:
    CSmartPtr() noexcept = default;
    CSmartPtr(std::nullptr_t) noexcept {}
    // Takes a reference on `p` (a new object starts with none).
    CSmartPtr(T* p) : m_p(p) {
        if (m_p) m_p->AddRef();
    }
    CSmartPtr(const CSmartPtr& other) : CSmartPtr(other.m_p) {}
    CSmartPtr(CSmartPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    // Conversion to a handle of a base class.
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CSmartPtr(const CSmartPtr<U>& other) : CSmartPtr(static_cast<T*>(other.get())) {}

    ~CSmartPtr() {
        if (m_p) m_p->Release();
    }

    CSmartPtr& operator=(const CSmartPtr& other) {
        CSmartPtr(other).swap(*this);
        return *this;
    }
    CSmartPtr& operator=(CSmartPtr&& other) noexcept {
        CSmartPtr(std::move(other)).swap(*this);
        return *this;
    }
    // Assignment from a handle of a derived class.
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CSmartPtr& operator=(const CSmartPtr<U>& other) {
        CSmartPtr(other).swap(*this);
        return *this;
    }
    CSmartPtr& operator=(T* p) {
        CSmartPtr(p).swap(*this);
        return *this;
    }

    void swap(CSmartPtr& other) noexcept { std::swap(m_p, other.m_p); }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    T& operator*() const noexcept { return *m_p; }
    operator T*() const noexcept { return m_p; }

private:
    T* m_p = nullptr;
};

// Iterates the items of a collection in insertion order. A default-constructed
// iterator is the null iterator, which every iterator becomes past the last item.
template <class T, class Collection>
class CLtIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = CSmartPtr<T>;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = const CSmartPtr<T>&;

    CLtIterator() noexcept = default;
    CLtIterator(const Collection* collection, int index) noexcept : m_collection(collection), m_index(index) {
        Normalise();
    }

    // The item, held by the iterator until it moves: `for (auto& item : collection)` works.
    const CSmartPtr<T>& operator*() const {
        m_current = m_collection->Item(m_index);
        return m_current;
    }
    CLtIterator& operator++() noexcept {
        ++m_index;
        Normalise();
        return *this;
    }
    CLtIterator operator++(int) noexcept {
        CLtIterator old = *this;
        ++*this;
        return old;
    }
    bool operator==(const CLtIterator& other) const noexcept {
        return m_collection == other.m_collection && m_index == other.m_index;
    }
    bool operator!=(const CLtIterator& other) const noexcept { return !(*this == other); }
    // True for the null iterator.
    bool IsNull() const noexcept { return m_collection == nullptr; }

private:
    void Normalise() noexcept {
        if (m_collection != nullptr && (m_index < 0 || m_index >= m_collection->GetCount())) {
            m_collection = nullptr;
            m_index = 0;
        }
    }
    const Collection* m_collection = nullptr;
    int m_index = 0;
    mutable CSmartPtr<T> m_current;
};

}  // namespace LtXmlLib3
