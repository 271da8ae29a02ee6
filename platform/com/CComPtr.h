// The smart interface pointer: releases its interface when it goes.
#pragma once

#include "ComTypes.h"

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(T* p) : p(p) {
        if (p) p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.p) {}
    ~CComPtr() { Release(); }
    CComPtr& operator=(T* other) {
        if (other) other->AddRef();
        Release();
        p = other;
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) { return *this = other.p; }

    operator T*() const { return p; }
    T* operator->() const { return p; }
    // The address for an out parameter; the pointer must be empty.
    T** operator&() { return &p; }
    bool operator!() const { return p == nullptr; }

    void Release() {
        T* old = p;
        p = nullptr;
        if (old) old->Release();
    }
    void Attach(T* other) {
        Release();
        p = other;
    }
    T* Detach() {
        T* old = p;
        p = nullptr;
        return old;
    }
    template <class Q>
    HRESULT QueryInterface(Q** out) const {
        return p ? p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(out)) : E_POINTER;
    }

    T* p = nullptr;
};
