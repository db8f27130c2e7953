// A dialog binding that records what its parameter tells it, with the value it saw each time.
#pragma once

#include "param/IParam.h"
#include "param/IParamDlg.h"

#include <string>
#include <vector>

class CRecordingBinding : public IParamDlg {
public:
    // The parameter's value is read through its text form, so one recorder serves every type.
    explicit CRecordingBinding(int* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~CRecordingBinding() override {
        if (m_destroyed) ++*m_destroyed;
    }

    void Init(int, int) override {}
    int Attach(ParamDlgWnd) override { return 0; }
    int OnCommand(ParamDlgWnd, ParamDlgWParam, ParamDlgLParam) override { return 0; }
    int OnNotify(ParamDlgWnd, ParamDlgWParam, tagNMHDR*) override { return 0; }
    int WriteToControl() override {
        tstr text;
        if (m_param) m_param->ToString(text);
        events.push_back(L"show " + text);
        return 0;
    }
    int SetParam(IParam* param) override {
        m_param = param;
        return 0;
    }
    IParam* GetParam() override { return m_param; }

    using IParamDlg::SetRange;
    void SetRange(int min, int max) override {
        events.push_back(L"range " + std::to_wstring(min) + L" " + std::to_wstring(max));
    }
    void SetRange(unsigned int min, unsigned int max) override {
        events.push_back(L"range " + std::to_wstring(min) + L" " + std::to_wstring(max));
    }

    std::vector<tstr> events;

private:
    IParam* m_param = nullptr;
    int* m_destroyed;
};
