#include "scene/PicturePath.h"
#include "scene/TreeFollow.h"

#include <gtest/gtest.h>

#include <climits>

// Toys following the tree: products before the truncating division, offsets measured from the
// tree's corner, negative offsets truncating toward zero as integer division does.
TEST(TreeFollow, SizesAndPositionsScaleWithTheTree) {
    struct SCase {
        int atOpen, s, s0, treePos, size, pos;
    } const cases[] = {
        {100, 50, 100, 0, 50, 50},        // halving halves size and distance
        {131, 50, 100, 10, 65, 75},       // 131 * 50 / 100 = 65; 65 + 10
        {75, 200, 100, -20, 150, 130},    // doubling, tree moved left
        {-45, 50, 100, 100, -22, 78},     // -45 * 50 / 100 = -22 (toward zero), + 100
        {33, 100, 100, 7, 33, 40},        // unchanged size: offset kept, plus the tree's place
        {10, 10, 200, 0, 0, 0},           // 10 * 10 / 200 = 0: the item's own range clamps later
        {99, 150, 70, 5, 212, 217},       // 99 * 150 / 70 = 212.1
        {50, 80, 0, 3, 50, 53},           // no size at opening: kept as it was
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(FollowTreeSize(c.atOpen, c.s, c.s0), c.size) << c.atOpen << " " << c.s << "/" << c.s0;
        EXPECT_EQ(FollowTreePosition(c.atOpen, c.s, c.s0, c.treePos), c.pos) << c.atOpen << " " << c.s << "/" << c.s0;
    }
    // Far-away positions do not overflow: the result stops at the int range.
    EXPECT_EQ(FollowTreePosition(INT_MAX, 200, 10, INT_MAX), INT_MAX);
    EXPECT_EQ(FollowTreePosition(INT_MIN, 200, 10, -5), INT_MIN);
    EXPECT_EQ(FollowTreePosition(INT_MAX / 2, 200, 100, 0), INT_MAX - 1);
}

// Paths as the user may type them, and what may be tried at once.
TEST(PicturePath, KindsOfPaths) {
    struct SCase {
        const wchar_t* path;
        EPathKind kind;
    } const cases[] = {
        {L"", EPathKind::kEmpty},
        {L"   ", EPathKind::kEmpty},
        {L"C:\\Pictures\\tree.png", EPathKind::kLocal},
        {L"c:/pictures/tree.png", EPathKind::kLocal},
        {L"tree.png", EPathKind::kLocal},
        {L"C", EPathKind::kLocal},
        {L"C:", EPathKind::kLocal},
        {L"\\", EPathKind::kLocal},
        {L"CO", EPathKind::kLocal},
        {L"COM", EPathKind::kLocal},
        {L"COMX.png", EPathKind::kLocal},
        {L"console.png", EPathKind::kLocal},
        {L"C:\\COM10", EPathKind::kLocal},
        {L"\\\\", EPathKind::kNetwork},
        {L"\\\\server", EPathKind::kNetwork},
        {L"\\\\server\\share\\tree.png", EPathKind::kNetwork},
        {L"//server/share/tree.png", EPathKind::kNetwork},
        {L"\\\\?\\UNC\\server\\share\\a.png", EPathKind::kNetwork},
        {L"\\\\?\\Volume{0b1c}\\a.png", EPathKind::kNetwork},
        {L"\\\\?\\C:\\Pictures\\tree.png", EPathKind::kLocal},
        {L"\\\\?\\GLOBALROOT\\Device\\Harddisk0", EPathKind::kDevice},
        {L"\\\\.\\COM1", EPathKind::kDevice},
        {L"\\\\.\\pipe\\x", EPathKind::kDevice},
        {L"//./PhysicalDrive0", EPathKind::kDevice},
        {L"\\??\\C:\\a.png", EPathKind::kDevice},
        {L"COM1", EPathKind::kDevice},
        {L"com1.png", EPathKind::kDevice},
        {L"C:\\dir\\NUL", EPathKind::kDevice},
        {L"C:\\dir\\nul.txt", EPathKind::kDevice},
        {L"C:\\dir\\aux .png", EPathKind::kDevice},
        {L"C:\\CON\\tree.png", EPathKind::kDevice},
        {L"LPT9", EPathKind::kDevice},
        {L"lpt0.bmp", EPathKind::kDevice},
        {L"COM\u00B9", EPathKind::kDevice},
        {L"CONOUT$", EPathKind::kDevice},
        {L"prn:stream", EPathKind::kDevice},
        {L"C:PRN", EPathKind::kDevice},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(static_cast<int>(ClassifyPicturePath(c.path)), static_cast<int>(c.kind))
            << testing::PrintToString(std::wstring(c.path));
}

TEST(PicturePath, WhatIsTriedAtOnce) {
    const unsigned long long big = kQuickPictureBytes + 1;
    struct SCase {
        SPathFacts facts;
        bool now;
    } const cases[] = {
        {{EPathKind::kEmpty, true, false, false, false, 0}, true},
        {{EPathKind::kDevice, true, true, true, false, 0}, true},  // never opened: falls back at once
        {{EPathKind::kNetwork, true, false, false, false, 0}, false},
        {{EPathKind::kLocal, true, false, false, false, 0}, true},  // missing: the built-in tree at once
        {{EPathKind::kLocal, true, true, false, false, 0}, true},   // a folder is no file either
        {{EPathKind::kLocal, true, true, true, false, 1000}, true},
        {{EPathKind::kLocal, true, true, true, false, kQuickPictureBytes}, true},
        {{EPathKind::kLocal, true, true, true, false, big}, false},
        {{EPathKind::kLocal, true, true, true, true, 1000}, false},  // fetched from elsewhere
        {{EPathKind::kLocal, false, false, false, false, 0}, false}, // mapped share, CD, USB stick
    };
    for (const SCase& c : cases)
        EXPECT_EQ(ReloadAtOnce(c.facts), c.now) << static_cast<int>(c.facts.kind) << " fast " << c.facts.fastDrive
                                                << " exists " << c.facts.exists << " bytes " << c.facts.bytes;
}
