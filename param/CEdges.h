// CEdges: a bounded number parameter. Every change is clamped to [min, max]; bindings see an
// out-of-range value briefly before the clamped one, so a control that produced it is corrected.
#pragma once

#include "param/CParam.h"

template <class P = CParam<int>, class V = int>
class CEdges : public virtual P {
public:
    // Bounds start as [0, 1]; owners call SetRange before use.
    CEdges() = default;

    virtual V* SetClamped(V v) {
        Clamp(v);
        return this->Set(v);
    }
    virtual void SetMin(V a) {
        m_min = a;
        if (m_max < a) m_max = a;
    }
    virtual void SetMax(V a) {
        m_max = a;
        if (a < m_min) m_min = a;
    }
    // Below min: min; above max: max (answering false). Inside: true, unchanged.
    virtual bool Clamp(V& v) const {
        if (v < m_min) {
            v = m_min;
            return false;
        }
        if (m_max < v) {
            v = m_max;
            return false;
        }
        return true;
    }
    // Clamps the current value, applying a change with Set.
    virtual bool ClampValue() {
        V v = this->m_value;
        if (Clamp(v)) return true;
        this->Set(v);
        return false;
    }

    V* Set(const V& v) override {
        this->Assign(v);
        V clamped = v;
        if (!Clamp(clamped)) this->Assign(clamped);
        return this->ValueRef();
    }
    // Max first, then min (no check that min <= max), clamp the value, then tell the bindings.
    void SetRange(const V& min, const V& max) override {
        m_max = max;
        m_min = min;
        ClampValue();
        this->TellRange(m_min, m_max);
    }
    V Min() const override { return m_min; }
    V Max() const override { return m_max; }
    int ApplyRange(ParamDlgWnd) override {
        V v = this->m_value;
        SetRange(m_min, m_max);
        this->TellRange(m_min, m_max);
        Clamp(v);
        this->Set(v);
        return 0;
    }

protected:
    V m_min = 0;
    V m_max = 1;
};
