// The portable side of dialog bindings: what a typed number becomes, the binding set's ownership,
// and bindings going away while their parameter is telling them about a change.
#include "param/CParam.h"
#include "param/CParamDlgBase.h"
#include "param/CParamDlgSet.h"
#include "param/NumberText.h"
#include "RecordingBinding.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

TEST(ParamDlgSet, TextBeingTypedIsNoNumberUntilItHasADigit) {
    struct Case {
        const wchar_t* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {L"", std::nullopt},     {L"-", std::nullopt},      {L"+", std::nullopt},   {L"  ", std::nullopt},
        {L" -", std::nullopt},   {L"abc", std::nullopt},    {L"--3", std::nullopt}, {L"-3", -3},
        {L"-30", -30},           {L"+7", 7},                {L" 12", 12},           {L"30abc", 30},
        {L"0", 0},               {L"99999999999", INT32_MAX}, {L"-99999999999", INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseEnteredDecimal(c.text), c.value) << testing::PrintToString(tstr(c.text));
    }
    EXPECT_EQ(ParseEnteredDecimal(static_cast<const wchar_t*>(nullptr)), std::nullopt);
}

namespace {

// A binding built on CParamDlgBase whose calls run a hook while "busy", like a control whose
// notification reaches the dialog.
class CHookBinding : public CParamDlgBase {
public:
    explicit CHookBinding(std::vector<tstr>* log, const wchar_t* name) : m_log(log), m_name(name) {}
    ~CHookBinding() override { m_log->push_back(m_name + L" destroyed"); }
    int Attach(ParamDlgWnd) override { return 0; }
    int OnCommand(ParamDlgWnd, ParamDlgWParam, ParamDlgLParam) override { return 0; }
    int OnNotify(ParamDlgWnd, ParamDlgWParam, tagNMHDR*) override { return 0; }
    int WriteToControl() override {
        CCall call(*this);
        m_log->push_back(m_name + L" told");
        if (onWrite) onWrite();
        if (m_param == nullptr) m_log->push_back(m_name + L" idle after the hook");
        return 0;
    }
    std::function<void()> onWrite;

private:
    std::vector<tstr>* m_log;
    tstr m_name;
};

}  // namespace

TEST(ParamDlgSet, AddAttachesToTheParameterAndRefusesRepeats) {
    CParam<int> param;
    CParamDlgSet set;
    auto* binding = new CRecordingBinding;
    EXPECT_TRUE(set.Add(&param, binding));
    EXPECT_EQ(binding->GetParam(), static_cast<IParam*>(&param));
    EXPECT_TRUE(param.Bindings().Contains(binding));
    EXPECT_FALSE(set.Add(&param, binding));  // already in the set: nothing changes
    EXPECT_EQ(set.BindingCount(), 1);
    EXPECT_EQ(param.Bindings().Count(), 1);
    EXPECT_TRUE(set.Add(&param, nullptr));  // a null binding: true and nothing else
    EXPECT_EQ(set.BindingCount(), 1);
    CRecordingBinding orphan;
    EXPECT_FALSE(set.Add(nullptr, &orphan));  // no parameter to own it: refused, caller keeps it
    EXPECT_EQ(set.BindingCount(), 1);
    EXPECT_EQ(orphan.GetParam(), nullptr);
    param.Set(3);
    EXPECT_EQ(binding->events, (std::vector<tstr>{L"show 3"}));
}

// UnbindAll detaches and destroys; the set's destructor leaves bound bindings to their
// parameters, which destroy them in turn.
TEST(ParamDlgSet, UnbindAllDestroysAndTheParameterOwnsWhatIsLeft) {
    int destroyed = 0;
    CParam<int> a;
    CParam<tstr> b;
    {
        CParamDlgSet set;
        set.Add(&a, new CRecordingBinding(&destroyed));
        set.Add(&a, new CRecordingBinding(&destroyed));
        set.Add(&b, new CRecordingBinding(&destroyed));
        set.UnbindAll();
        EXPECT_EQ(destroyed, 3);
        EXPECT_EQ(set.BindingCount(), 0);
        EXPECT_EQ(a.Bindings().Count() + b.Bindings().Count(), 0);
        a.Set(5);  // tells nobody
        set.Add(&a, new CRecordingBinding(&destroyed));
    }
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(a.Bindings().Count(), 1);
    {
        CParam<int> shortLived;
        CParamDlgSet set;
        set.Add(&shortLived, new CRecordingBinding(&destroyed));
        set.UnbindAll();
    }
    EXPECT_EQ(destroyed, 4);
}

// A binding detached from the middle of the list while the parameter notifies: the ones after it
// are still told, each exactly once.
TEST(ParamDlgSet, DetachingOneBindingSkipsNoOther) {
    std::vector<tstr> log;
    CParam<int> param;
    CParamDlgSet set;
    auto* a = new CHookBinding(&log, L"a");
    auto* b = new CHookBinding(&log, L"b");
    auto* c = new CHookBinding(&log, L"c");
    for (auto* x : {a, b, c}) set.Add(&param, x);
    a->onWrite = [&] {
        param.RemoveBinding(a);  // a leaves the parameter's list while being told
        a->SetParam(nullptr);
    };
    param.Set(1);
    EXPECT_EQ(log, (std::vector<tstr>{L"a told", L"a idle after the hook", L"b told", L"c told"}));
    a->onWrite = nullptr;
    set.UnbindAll();
}
