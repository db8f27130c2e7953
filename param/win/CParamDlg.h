// CParamDlg<T>: binds one parameter of value type T (int, unsigned int, unsigned long, bool,
// tstr) to one dialog control of one kind (ParamDlgKind.h). It shows the value whenever the
// parameter changes, reads the control into the parameter when the user changes it, and passes
// the parameter's bounds to up-down and trackbar controls. A binding without a control (not
// attached, id 0, or an id the dialog lacks) or without a parameter does nothing.
#pragma once

#include "param/CParam.h"
#include "param/CParamDlgBase.h"
#include "param/ParamDlgKind.h"
#include "param/ParamDlgValue.h"
#include "param/Tstr.h"
#include "param/win/ParamDlgControls.h"

#include <windows.h>
#include <commctrl.h>

#include <type_traits>

template <class T>
class CParamDlg : public CParamDlgBase {
public:
    using Value = ParamDlgValue<T>;
    using RangeArg = std::conditional_t<std::is_same_v<T, tstr>, const tstr&, T>;

    // Finds the control; the parameter's bounds go to every binding of it; shows the value.
    int Attach(HWND dialog) override {
        CCall call(*this);
        if (m_id == 0 || m_type == 0) return 0;
        m_control = dialog ? ::GetDlgItem(dialog, m_id) : nullptr;
        if (m_param) m_param->RefreshRange();
        WriteToControl();
        return 0;
    }

    int OnCommand(HWND, WPARAM wParam, LPARAM) override {
        CCall call(*this);
        if (!Bound()) return 0;
        const HWND h = m_control;
        const bool mine = m_id != 0 && LOWORD(wParam) == static_cast<WORD>(m_id);
        const WORD code = HIWORD(wParam);
        switch (m_type) {
        case kParamCheckBox:
            if (mine) Store(Value::FromNumber(static_cast<std::int32_t>(::SendMessageW(h, BM_GETCHECK, 0, 0))));
            break;
        case kParamEdit:
            if (!mine) break;
            if (code == EN_UPDATE) {
                // A text that is not a number yet ("", "-") leaves the value alone while typed.
                if (auto v = Value::FromEditText(ControlText(h))) {
                    // A number under the lower bound may be the start of one in range ("4" on the
                    // way to "40" in 10..100): the value takes the bound, but the focused edit
                    // keeps what is typed until it loses the focus.
                    m_keepTyped = ::GetFocus() == h && BelowLowerBound(*v);
                    Store(*v);
                    m_keepTyped = false;
                }
            } else if (code == EN_KILLFOCUS) {
                const tstr text = ControlText(h);
                const auto v = Value::FromEditText(text);
                // Left unfinished, or showing a number the value was clamped from: show the value.
                if (CParam<T>* param = Bound(); !v || (param && text != Value::EditText(param->Get()))) WriteToControl();
            }
            break;
        case kParamComboData:
            // Any combo box's selection change: every such binding re-reads its own control.
            if (code == CBN_SELCHANGE) {
                const int sel = ComboSelection(h);
                if (sel >= 0) Store(Value::FromNumber(ComboItemData(h, sel)));
            }
            break;
        case kParamRadioPos:
        case kParamRadioProp:
            if (m_id != 0) {
                int pos = 0;
                for (HWND b = h; b; b = NextRadioButton(b), ++pos) {
                    if (::SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                        Store(Value::FromNumber(m_type == kParamRadioPos ? pos : RadioData(b)));
                        break;
                    }
                }
            }
            break;
        case kParamColour:
            // Only a click: a focus or double-click notification must not open the dialog.
            if (mine && code == BN_CLICKED) {
                COLORREF colour = static_cast<COLORREF>(static_cast<std::uint32_t>(Value::Number(Bound()->Get())));
                if (ChooseSwatchColour(h, colour) && Bound()) {
                    Store(Value::FromNumber(static_cast<std::int32_t>(colour)));
                    RepaintSwatch(h);
                }
            }
            break;
        case kParamHotKey:
            Store(Value::FromNumber(static_cast<std::int32_t>(::SendMessageW(h, HKM_GETHOTKEY, 0, 0))));
            break;
        case kParamComboText:
            if (code == CBN_SELCHANGE) {
                const int sel = ComboSelection(h);
                if (sel >= 0) Store(Value::FromText(ComboItemText(h, sel)));
            }
            break;
        default: break;
        }
        return 0;
    }

    // A trackbar feeds the value while it has the focus (every redraw during a drag, and the
    // release), never when the program moves it.
    int OnNotify(HWND, WPARAM, NMHDR* header) override {
        CCall call(*this);
        CParam<T>* param = Bound();
        if (!param || m_type != kParamTrackbar || !header) return 0;
        if (header->idFrom != static_cast<UINT_PTR>(m_id) || ::GetFocus() != m_control) return 0;
        if (header->code != static_cast<UINT>(NM_RELEASEDCAPTURE) && header->code != static_cast<UINT>(NM_CUSTOMDRAW))
            return 0;
        const int pos = static_cast<int>(::SendMessageW(m_control, TBM_GETPOS, 0, 0));
        // A value beyond the trackbar's range shows at its end; a thumb still there has not moved.
        const int lo = static_cast<int>(::SendMessageW(m_control, TBM_GETRANGEMIN, 0, 0));
        const int hi = static_cast<int>(::SendMessageW(m_control, TBM_GETRANGEMAX, 0, 0));
        int shown = Value::Number(param->Get());
        if (shown > hi) shown = hi;
        if (shown < lo) shown = lo;
        if (pos != shown) Store(Value::FromNumber(pos));
        return 0;
    }

    int WriteToControl() override {
        CCall call(*this);
        CParam<T>* param = Bound();
        if (!param) return 0;
        const HWND h = m_control;
        const T v = param->Get();
        switch (m_type) {
        case kParamCheckBox: Send(h, BM_SETCHECK, Value::Number(v)); break;
        case kParamEdit:
            if (!m_keepTyped) ShowEditText(h, Value::EditText(v));
            break;
        case kParamComboData:
        case kParamComboText: {
            ::SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            const int count = ComboCount(h);
            for (int i = 0; i < count; ++i) {
                const bool match = m_type == kParamComboData ? Value::Matches(v, ComboItemData(h, i))
                                                             : Value::MatchesText(v, ComboItemText(h, i));
                if (match) {
                    ::SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
                    break;
                }
            }
            break;
        }
        case kParamRadioPos:
        case kParamRadioProp: {
            // One button at most: the first that stands for the value.
            bool found = false;
            int pos = 0;
            for (HWND b = h; b; b = NextRadioButton(b), ++pos) {
                const bool on = !found && Value::Matches(v, m_type == kParamRadioPos ? pos : RadioData(b));
                found = found || on;
                ::SendMessageW(b, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        }
        case kParamTrackbar:
            ::SendMessageW(h, TBM_SETPOS, TRUE, static_cast<LPARAM>(Value::Number(v)));
            break;
        case kParamColour: RepaintSwatch(h); break;
        case kParamHotKey: Send(h, HKM_SETHOTKEY, Value::Number(v)); break;
        default: break;
        }
        return 0;
    }

    using IParamDlg::SetRange;
    void SetRange(RangeArg min, RangeArg max) override {
        CCall call(*this);
        if (!m_control || !m_param) return;
        const std::int32_t lo = Value::Number(min), hi = Value::Number(max);
        if (m_type == kParamUpDown) {
            ::SendMessageW(m_control, UDM_SETRANGE32, static_cast<WPARAM>(static_cast<INT_PTR>(lo)),
                           static_cast<LPARAM>(hi));
        } else if (m_type == kParamTrackbar) {
            ::SendMessageW(m_control, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(lo));
            ::SendMessageW(m_control, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(hi));
        }
    }

private:
    // The bound parameter as its value type, when the binding has a control too.
    CParam<T>* Bound() const { return m_control ? dynamic_cast<CParam<T>*>(m_param) : nullptr; }
    void Store(const T& v) {
        if (CParam<T>* param = Bound()) param->Set(v);
    }
    // Whether v is a number from 0 up to, not including, the lower bound of a bounded parameter.
    bool BelowLowerBound(const T& v) const {
        CParam<T>* param = Bound();
        if (!param) return false;
        const std::int32_t n = Value::Number(v), lo = Value::Number(param->Min()), hi = Value::Number(param->Max());
        return lo < hi && n >= 0 && n < lo;
    }

    bool m_keepTyped = false;  // the edit's typed text stays while its value is stored
    static void Send(HWND h, UINT msg, std::int32_t n) {
        ::SendMessageW(h, msg, static_cast<WPARAM>(static_cast<std::uint32_t>(n)), 0);
    }
};

extern template class CParamDlg<int>;
extern template class CParamDlg<unsigned int>;
extern template class CParamDlg<unsigned long>;
extern template class CParamDlg<bool>;
extern template class CParamDlg<tstr>;
