// CWatchedParam<T>: a parameter that tells its owner of every change of its value, whoever makes
// it (a bound control, Cancel putting back the old value, loading, the owner itself).
#pragma once

#include "param/CParam.h"

template <class T>
class CWatchedParam : public CParam<T> {
public:
    using Callback = void (*)(void* context);

    // callback(context) runs after each change (null: nobody is told).
    void Watch(Callback callback, void* context) noexcept {
        m_callback = callback;
        m_context = context;
    }

    T* Set(const T& v) override {
        const bool changed = !(v == this->Get());
        T* result = CParam<T>::Set(v);
        if (changed && m_callback) m_callback(m_context);
        return result;
    }

private:
    Callback m_callback = nullptr;
    void* m_context = nullptr;  // not owned
};
