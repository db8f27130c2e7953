// The portable side of dialog bindings: what a typed number becomes, how each value type maps to
// control numbers and texts, the binding set's ownership, and bindings going away while their
// parameter is telling them about a change.
#include "param/CEdges.h"
#include "param/CParam.h"
#include "param/CParamDlgBase.h"
#include "param/CParamDlgSet.h"
#include "param/NumberText.h"
#include "param/ParamDlgValue.h"
#include "RecordingBinding.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

TEST(ParamDlgValue, TextBeingTypedIsNoNumberUntilItHasADigit) {
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

// One row per value type: the number a control shows, the edit text, what a control number,
// a typed text and an item text make of the value, and which item data stands for it.
TEST(ParamDlgValue, EachValueTypeMapsToControls) {
    using I = ParamDlgValue<int>;
    EXPECT_EQ(I::Number(-5), -5);
    EXPECT_EQ(I::EditText(-5), L"-5");
    EXPECT_EQ(I::FromEditText(L"-"), std::nullopt);
    EXPECT_EQ(I::FromEditText(L"42x"), 42);
    EXPECT_TRUE(I::Matches(20, 20));
    EXPECT_TRUE(I::MatchesText(25, L"25abc"));
    EXPECT_EQ(I::FromText(L"abc"), 0);

    using U = ParamDlgValue<unsigned int>;
    EXPECT_EQ(U::Number(0xFFFFFFFFu), -1);
    EXPECT_EQ(U::EditText(0xFFFFFFFFu), L"-1");
    EXPECT_EQ(U::FromNumber(-1), 0xFFFFFFFFu);
    EXPECT_EQ(U::FromEditText(L"4294967295"), 0x7FFFFFFFu);
    EXPECT_TRUE(U::Matches(0xFFFFFFFFu, -1));
    using UL = ParamDlgValue<unsigned long>;
    EXPECT_EQ(UL::Number(0xFF336699ul), static_cast<std::int32_t>(0xFF336699u));
    EXPECT_EQ(UL::FromNumber(static_cast<std::int32_t>(0x80000000u)), 0x80000000ul);

    using B = ParamDlgValue<bool>;
    EXPECT_EQ(B::Number(true), 1);
    EXPECT_EQ(B::EditText(false), L"0");
    EXPECT_EQ(B::FromNumber(7), true);
    EXPECT_EQ(B::FromEditText(L"5"), true);
    EXPECT_EQ(B::FromEditText(L"0"), false);
    EXPECT_EQ(B::FromEditText(L"+"), std::nullopt);
    EXPECT_TRUE(B::Matches(true, 2));  // positions and data taken as true or false
    EXPECT_TRUE(B::Matches(false, 0));
    EXPECT_FALSE(B::Matches(false, -1));
    EXPECT_TRUE(B::MatchesText(true, L"3"));

    using T = ParamDlgValue<tstr>;
    EXPECT_EQ(T::Number(L"12 apples"), 12);
    EXPECT_EQ(T::FromNumber(-7), L"-7");
    EXPECT_EQ(T::EditText(L" as is "), L" as is ");
    EXPECT_EQ(T::FromEditText(L""), tstr());
    EXPECT_EQ(T::FromEditText(L"-"), tstr(L"-"));
    EXPECT_TRUE(T::Matches(L"30", 30));
    EXPECT_FALSE(T::Matches(L"030", 30));
    EXPECT_TRUE(T::MatchesText(L"alpha", L"alpha"));
    EXPECT_FALSE(T::MatchesText(L"5", L"5abc"));
    EXPECT_EQ(T::FromText(L"25abc"), L"25abc");
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

// A dialog unbinds everything while the parameter is telling its bindings: the binding being
// told stays alive (and idle) until its call returns, the others are destroyed at once and not
// told, and the parameter's value is complete.
TEST(ParamDlgSet, UnbindingWhileTheParameterNotifies) {
    std::vector<tstr> log;
    const long live = CParamDlgBase::Live();
    CEdges<> level;
    level.SetRange(0, 100);
    CParamDlgSet set;
    auto* first = new CHookBinding(&log, L"first");
    auto* second = new CHookBinding(&log, L"second");
    set.Add(&level, first);
    set.Add(&level, second);
    EXPECT_EQ(CParamDlgBase::Live(), live + 2);
    first->onWrite = [&] { set.UnbindAll(); };
    level.Set(150);  // told 150, then clamped to 100
    EXPECT_EQ(level.Get(), 100);
    EXPECT_EQ(log, (std::vector<tstr>{L"first told", L"second destroyed", L"first idle after the hook",
                                      L"first destroyed"}));
    EXPECT_EQ(CParamDlgBase::Live(), live);
    EXPECT_EQ(level.Bindings().Count(), 0);
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
