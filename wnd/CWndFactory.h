// The window factory list: gives controls that a dialog template names by class name their CWnd
// object. Entries are added at the front and never removed; lookup takes the first entry whose
// class name equals the window's (exact, case-sensitive).
#pragma once

#include "wnd/CWnd.h"

#include <string>

using WndFactoryFn = CWnd* (*)(HWND hwnd);
using WndDeleterFn = void (*)(CWnd* wnd);

struct SWndFactory {
    std::wstring className;
    WndFactoryFn factory;
    WndDeleterFn deleter;
};

void RegisterWndFactory(const wchar_t* className, WndFactoryFn factory, WndDeleterFn deleter);
// The entry for the window's class, or null.
const SWndFactory* FindWndFactory(HWND hwnd);

// A new T attached to hwnd (the window owns the object, not the other way round).
template <class T>
CWnd* MakeAttachedWnd(HWND hwnd) {
    T* wnd = new T();
    wnd->Attach(hwnd);
    return wnd;
}

template <class T>
void DeleteWnd(CWnd* wnd) {
    delete wnd;  // virtual destructor: T's
}

// Registers T's window class once per process and, when that succeeds (or when classNeeded is
// false), a factory for T under its class name. Answers whether the factory was registered.
// Each T has its own "done" flag, so repeated calls do nothing.
template <class T>
bool RegisterWndClassWithFactory(bool classNeeded = true) {
    static bool done = false;
    static bool result = false;
    if (done) return result;
    done = true;
    T probe;
    const bool registered = probe.EnsureRegistered();
    if (registered || !classNeeded) {
        RegisterWndFactory(probe.GetWndClassName(), &MakeAttachedWnd<T>, &DeleteWnd<T>);
        result = true;
    }
    return result;
}

// Registers a factory for T under className without a window class of its own (T shares a class
// registered by another type). Once per T.
template <class T>
void RegisterWndFactoryOnly(const wchar_t* className) {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterWndFactory(className, &MakeAttachedWnd<T>, &DeleteWnd<T>);
}
