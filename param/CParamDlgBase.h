// CParamDlgBase: what every dialog binding keeps besides its control logic: the control's window
// (null until attached), the control type code and id, and the bound parameter (null when
// unbound). A binding can be told to go away from inside one of its own calls (a control's
// notification reaches the dialog, which unbinds everything); it then goes once that call returns.
#pragma once

#include "param/IParamDlg.h"

class CParamDlgBase : public IParamDlg {
public:
    CParamDlgBase() noexcept { ++LiveCount(); }
    ~CParamDlgBase() override { --LiveCount(); }
    CParamDlgBase(const CParamDlgBase&) = delete;
    CParamDlgBase& operator=(const CParamDlgBase&) = delete;

    void Init(int type, int id) override {
        m_type = type;
        m_id = id;
    }
    int SetParam(IParam* param) override {
        m_param = param;
        return 0;
    }
    IParam* GetParam() override { return m_param; }

    int Type() const noexcept { return m_type; }
    int Id() const noexcept { return m_id; }
    ParamDlgWnd Control() const noexcept { return m_control; }
    // Deletes the binding now, or when its outermost running call returns.
    void Destroy() noexcept {
        if (m_depth > 0) {
            m_doomed = true;
        } else {
            delete this;
        }
    }
    // Bindings alive in the process (tests prove with it that dialogs leave none behind).
    static long Live() noexcept { return LiveCount(); }

protected:
    // Marks one call of the binding as running; the outermost one carries out a Destroy asked
    // for meanwhile. Declare it first in a call, and touch no member after it ends.
    class CCall {
    public:
        explicit CCall(CParamDlgBase& binding) noexcept : m_binding(binding) { ++m_binding.m_depth; }
        ~CCall() {
            if (--m_binding.m_depth == 0 && m_binding.m_doomed) delete &m_binding;
        }
        CCall(const CCall&) = delete;
        CCall& operator=(const CCall&) = delete;

    private:
        CParamDlgBase& m_binding;
    };

    ParamDlgWnd m_control = nullptr;  // not owned: a control of the dialog
    int m_type = 0;
    int m_id = 0;
    IParam* m_param = nullptr;  // not owned: the parameter owns this binding while bound

private:
    static long& LiveCount() noexcept {
        static long live = 0;
        return live;
    }
    int m_depth = 0;
    bool m_doomed = false;
};

// Destroys a binding that has been detached: a CParamDlgBase waits for its running calls.
inline void DestroyBinding(IParamDlg* binding) {
    if (auto* b = dynamic_cast<CParamDlgBase*>(binding)) {
        b->Destroy();
    } else {
        delete binding;
    }
}
