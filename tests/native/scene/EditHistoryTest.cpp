#include "scene/CItem.h"
#include "scene/EditHistory.h"
#include "scene/SceneSettings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Plays "c5" (a change to 5), "u" (undo) and "r" (redo) on a history of int states starting at 0;
// answers the result of the last step.
bool Play(CEditHistory<int>& history, int& current, const std::string& steps) {
    std::istringstream in(steps);
    std::string step;
    bool last = true;
    while (in >> step) {
        if (step[0] == 'c') {
            history.Record(current);
            current = std::stoi(step.substr(1));
            last = true;
        } else if (step == "u") {
            last = history.Undo(current);
        } else if (step == "r") {
            last = history.Redo(current);
        }
    }
    return last;
}

}  // namespace

// Sequences of changes, undos and redos: the state shown, what is left to undo and to redo, and
// whether the last step did anything. A new change clears the redo steps; an empty side refuses.
TEST(EditHistory, UndoAndRedoSequences) {
    struct SCase {
        const char* steps;
        std::size_t bound;
        int current;
        std::size_t undo, redo;
        bool last;
    } const cases[] = {
        {"", 100, 0, 0, 0, true},
        {"u", 100, 0, 0, 0, false},
        {"r", 100, 0, 0, 0, false},
        {"c1 c2 c3 u u", 100, 1, 1, 2, true},
        {"c1 c2 u r", 100, 2, 2, 0, true},
        {"c1 u u", 100, 0, 0, 1, false},
        {"c1 c2 c3 u u u r r r r", 100, 3, 3, 0, false},
        {"c1 c2 u c5 r", 100, 5, 2, 0, false},          // the new change cleared the redo step
        {"c1 c2 u u r c7 u u", 100, 0, 0, 2, true},     // redo of 2 is gone; undo reaches 0
        {"c1 c2 c3 c4 c5 u u u u", 3, 2, 0, 3, false},  // three steps kept: back to 2 at most
        {"c1 c2 c3 c4 u u r c9", 3, 9, 3, 0, true},
    };
    for (const SCase& c : cases) {
        CEditHistory<int> history(c.bound);
        int current = 0;
        const bool last = Play(history, current, c.steps);
        EXPECT_EQ(current, c.current) << c.steps;
        EXPECT_EQ(history.UndoSteps(), c.undo) << c.steps;
        EXPECT_EQ(history.RedoSteps(), c.redo) << c.steps;
        EXPECT_EQ(last, c.last) << c.steps;
        EXPECT_EQ(history.CanUndo(), c.undo > 0) << c.steps;
        EXPECT_EQ(history.CanRedo(), c.redo > 0) << c.steps;
    }
}

// The default bound keeps the last hundred steps: after 150 changes undo goes back to the 50th
// state and no further; redo then walks forward to the last change.
TEST(EditHistory, TheBoundKeepsTheLastHundredSteps) {
    CEditHistory<int> history;
    EXPECT_EQ(history.Bound(), 100u);
    int current = 0;
    for (int i = 1; i <= 150; ++i) {
        history.Record(current);
        current = i;
    }
    EXPECT_EQ(history.UndoSteps(), 100u);
    int undone = 0;
    while (history.Undo(current)) ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(current, 50);
    int redone = 0;
    while (history.Redo(current)) ++redone;
    EXPECT_EQ(redone, 100);
    EXPECT_EQ(current, 150);
    EXPECT_EQ(CEditHistory<int>(0).Bound(), 1u) << "at least one step";
}

// A scene's settings are taken without its pictures, put back exactly, and tell a change of the
// picture (which needs a reload) from other changes.
TEST(EditHistory, SceneSettingsRoundTripThroughUndo) {
    CItem tree;
    tree.Setup(L"Tree", CItem::kTree, 122, 0, 0, 0, 100, 100, 0, 0);
    CColReg<CItem*> items;
    for (int i = 0; i < 3; ++i) {
        auto* item = new CItem();
        item->Setup(L"Toy " + std::to_wstring(i), CItem::kToy, 131u + static_cast<unsigned>(i), 5, -5, 40 * i, 80, 90,
                    10 * i, 20 * i);
        items.Add(item);
    }
    items.GetAt(2)->source.Set(CItem::kFile);
    items.GetAt(2)->path = L"C:\\pictures\\bell.png";

    CEditHistory<SSceneSettings> history;
    SSceneSettings current = SceneSettingsOf(tree, items);
    const SSceneSettings opened = current;
    history.Record(current);
    items.GetAt(1)->x += 3;
    items.GetAt(1)->hue.Set(200);
    items.GetAt(2)->path = L"C:\\pictures\\star.png";
    current = SceneSettingsOf(tree, items);
    ASSERT_NE(current, opened);
    EXPECT_FALSE(current.items[1].OtherPicture(opened.items[1])) << "colour and place only";
    EXPECT_TRUE(current.items[2].OtherPicture(opened.items[2])) << "another file";

    ASSERT_TRUE(history.Undo(current));
    ASSERT_EQ(current.items.size(), 3u);
    for (int i = 0; i < 3; ++i) PutSettings(current.items[static_cast<std::size_t>(i)], *items.GetAt(i));
    EXPECT_EQ(SceneSettingsOf(tree, items), opened);
    EXPECT_EQ(items.GetAt(1)->x, 10);
    EXPECT_EQ(items.GetAt(2)->path, L"C:\\pictures\\bell.png");
    EXPECT_TRUE(items.GetAt(1)->SourcePicture().IsEmpty()) << "putting settings back loads nothing";
    ASSERT_TRUE(history.Redo(current));
    EXPECT_EQ(current.items[1].hue, 200);
}
