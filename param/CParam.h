// CParam<T>: a named, stored setting of type bool, int, unsigned int, unsigned long or tstr,
// with an optional recorded default, a snapshot for undoing dialog changes, an optional mirror
// variable, a list of values for stepping, and the dialog bindings that show it.
#pragma once

#include "param/CCollector.h"
#include "param/CSettingsStore.h"
#include "param/IParam.h"
#include "param/IParamDlg.h"
#include "param/IParamReg.h"
#include "param/ParamValue.h"
#include "param/Tstr.h"

#include <cwchar>
#include <initializer_list>
#include <type_traits>
#include <vector>

template <class T>
class CParam : public IParamReg, public IParam {
public:
    using ValueType = T;
    using Traits = ParamValue<T>;

    CParam() : m_value(Traits::Initial()), m_saved(Traits::Initial()), m_default(Traits::Initial()) {}
    // Bindings whose parameter is this one are destroyed; others are only let go.
    ~CParam() override {
        CCollector<IParamDlg*>::Vector bindings = m_bindings.Items();
        m_bindings.DetachAll();
        for (IParamDlg* binding : bindings) {
            if (binding->GetParam() == static_cast<IParam*>(this)) delete binding;
        }
    }
    CParam(const CParam&) = delete;
    CParam& operator=(const CParam&) = delete;

    // --- storage side ---
    const tstr& GetName() const override { return m_name; }
    void SetName(const wchar_t* name) override { m_name = name ? name : L""; }

    bool LoadFromText(const wchar_t* text, const tstr& section) override {
        if (m_name.empty() || !text) return false;
        const std::wstring_view all(text);
        const tstr header = L"[" + section + L"]";
        const std::size_t headerAt = all.find(header);
        if (headerAt == std::wstring_view::npos) return false;
        const std::size_t body = headerAt + header.size();
        const std::size_t nextSection = all.find(L"\n[", body);
        const tstr lineKey = L"\n" + m_name;
        // Only the whole key counts: it must be followed by a blank, "=" or a tab.
        std::size_t keyAt = all.find(lineKey, body);
        std::size_t after = 0;
        for (;; keyAt = all.find(lineKey, keyAt + 1)) {
            if (keyAt == std::wstring_view::npos || (nextSection != std::wstring_view::npos && keyAt > nextSection))
                return false;
            after = keyAt + lineKey.size();
            if (after < all.size() && (all[after] == L' ' || all[after] == L'=' || all[after] == L'\t')) break;
        }
        while (after < all.size() && (all[after] == L' ' || all[after] == L'=' || all[after] == L'\t')) ++after;
        if (after == all.size() || all[after] == L'\r' || all[after] == L'\n') return false;  // empty: absent
        std::size_t end = all.find_first_of(L"\r\n", after);
        if (end == std::wstring_view::npos) end = all.size();
        Set(Traits::Parse(tstr(all.substr(after, end - after))));
        return true;
    }

    bool Load(CSettingsStore& store, const tstr& section) override {
        if (m_name.empty()) return false;
        if (!section.empty()) m_section = section;
        tstr text;
        if (store.ReadString(section, m_name, text)) Set(Traits::Parse(text));
        return true;
    }

    bool SaveToText(tstr& text, const tstr& prefix) const override {
        if (m_name.empty()) return false;
        text += prefix;
        text += L'\\';
        text += m_name;
        text += L'=';
        text += Traits::Text(m_value);
        text += L'\n';
        return true;
    }

    bool Save(CSettingsStore& store, const tstr& section) override {
        if (m_name.empty()) return false;
        if (!section.empty()) m_section = section;
        if (m_hasDefault && m_value == m_default) {
            store.WriteString(m_section, m_name, static_cast<const wchar_t*>(nullptr));
        } else if constexpr (std::is_same_v<T, tstr>) {
            store.WriteString(m_section, m_name, m_value);
        } else {
            store.WriteInt(m_section, m_name, Traits::Stored(m_value));
        }
        return true;
    }

    void Snapshot() override { m_saved = m_value; }
    void Revert() override { Set(T(m_saved)); }
    void SetEmpty() override { Set(Traits::Parse(tstr())); }

    // --- value ---
    virtual T* ValueRef() { return &m_value; }
    const T& Get() const { return m_value; }

    // Changes the value; an unchanged value writes nothing and tells nobody.
    virtual T* Set(const T& v) {
        Assign(v);
        return ValueRef();
    }

    // A plain parameter has no bounds of its own: the bindings only receive the given ones.
    virtual void SetRange(const T& min, const T& max) { TellRange(min, max); }
    virtual T Min() const { return Traits::Initial(); }
    virtual T Max() const { return Traits::Initial(); }

    // Appends values up to, not including, the first one equal to the terminator T(-1)
    // (-1 for numbers, true for bool, "-1" for text).
    void AppendValues(std::initializer_list<T> values) {
        for (const T& v : values) {
            if (v == Traits::Terminator()) break;
            m_values.push_back(v);
        }
    }
    template <class... Rest>
    void AppendValues(const T& first, const Rest&... rest) {
        AppendValues({first, static_cast<T>(rest)...});
    }
    virtual void ClearValues() { m_values.clear(); }
    // Moves to the next larger listed value (wrapping to the first when allowed).
    virtual void StepUp() {
        for (const T& v : m_values) {
            if (Less(m_value, v)) {
                Set(T(v));
                return;
            }
        }
        if (m_wrap && !m_values.empty()) Set(T(m_values.front()));
    }
    // Moves to the next smaller listed value (wrapping to the last when allowed).
    virtual void StepDown() {
        for (auto it = m_values.rbegin(); it != m_values.rend(); ++it) {
            if (Less(*it, m_value)) {
                Set(T(*it));
                return;
            }
        }
        if (m_wrap && !m_values.empty()) Set(T(m_values.back()));
    }
    virtual void SetWrap(bool wrap) { m_wrap = wrap; }
    bool GetWrap() const { return m_wrap; }
    const std::vector<T>& Values() const { return m_values; }

    // --- binding side ---
    bool AddBinding(IParamDlg* binding) override { return m_bindings.Add(binding); }
    bool RemoveBinding(IParamDlg* binding) override { return m_bindings.Detach(binding); }
    void RemoveAllBindings() override { m_bindings.DetachAll(); }
    bool IsModified() const override { return !(m_value == m_saved); }
    void ResetToDefault() override {
        if (m_hasDefault) Set(T(m_default));
    }
    void FromString(const tstr& text) override { m_value = Traits::Parse(text); }
    tstr& ToString(tstr& out) const override {
        out = Traits::Text(m_value);
        return out;
    }
    void RefreshRange() override { SetRange(Min(), Max()); }
    int ApplyRange(ParamDlgWnd) override {
        TellRange(Min(), Max());
        return 0;
    }
    const CCollector<IParamDlg*>& Bindings() const { return m_bindings; }

    // --- owner's settings ---
    // Records a default: a value equal to it is deleted from storage instead of written.
    void SetDefault(const T& v) {
        m_default = v;
        m_hasDefault = true;
    }
    void ClearDefault() { m_hasDefault = false; }
    bool HasDefault() const { return m_hasDefault; }
    const T& GetDefault() const { return m_default; }
    const T& GetSaved() const { return m_saved; }
    // Every change of the value is also written to *mirror (null: none).
    void SetMirror(T* mirror) { m_mirror = mirror; }
    // The last non-empty section given to Load or Save.
    const tstr& GetSection() const { return m_section; }

protected:
    // Order for stepping: numbers by value (unsigned ones unsigned), false before true, texts
    // character by character.
    static bool Less(const T& a, const T& b) {
        if constexpr (std::is_same_v<T, bool>) {
            return !a && b;
        } else {
            return a < b;
        }
    }

    // A change: compare, store (and mirror), tell every binding. False when unchanged.
    bool Assign(const T& v) {
        if (v == m_value) return false;
        m_value = v;
        if (m_mirror) *m_mirror = v;
        // Over a copy of the list: a binding being told may re-enter Set or make the dialog
        // detach bindings. Those detached meanwhile are skipped, the others are all told.
        const typename CCollector<IParamDlg*>::Vector bindings = m_bindings.Items();
        for (IParamDlg* binding : bindings) {
            if (m_bindings.Contains(binding)) binding->WriteToControl();
        }
        return true;
    }
    void TellRange(const T& min, const T& max) {
        const typename CCollector<IParamDlg*>::Vector bindings = m_bindings.Items();
        for (IParamDlg* binding : bindings) {
            if (m_bindings.Contains(binding)) binding->SetRange(min, max);
        }
    }

    T m_value;
    T m_saved;
    T* m_mirror = nullptr;  // not owned
    tstr m_name;
    tstr m_section;
    T m_default;
    bool m_hasDefault = false;
    CCollector<IParamDlg*> m_bindings;  // owned while attached
    std::vector<T> m_values;
    bool m_wrap = false;
};
