// Moving a member beside another keeps every member exactly once and owned by the collection.
#include "construct/ItemOrder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SNamed {
    char name;
};

std::string Names(const CCollector<SNamed*>& list) {
    std::string out;
    for (const SNamed* member : list) out += member->name;
    return out;
}

}  // namespace

TEST(ItemOrder, MoveBesideFollowsTheDropRule) {
    struct SCase {
        char source, target;
        bool before;
        const char* order;  // expected; "ABCDE" when refused
        bool moved;
    };
    const SCase cases[] = {
        {'A', 'C', true, "BACDE", true},   // forwards, before the target
        {'A', 'C', false, "BCADE", true},  // forwards, after it
        {'E', 'B', true, "AEBCD", true},   // backwards
        {'E', 'B', false, "ABECD", true},
        {'A', 'E', false, "BCDEA", true},  // to the end: drawn on top
        {'E', 'A', true, "EABCD", true},   // to the start
        {'B', 'C', true, "ABCDE", true},   // already there: same order
        {'C', 'C', true, "ABCDE", false},  // onto itself
        {'A', 'Z', true, "ABCDE", false},  // a target that is not a member
        {'Z', 'A', true, "ABCDE", false},
    };
    for (const SCase& c : cases) {
        CCollector<SNamed*> list;
        for (char n : std::string("ABCDE")) list.Add(new SNamed{n});
        SNamed stranger{'Z'};
        auto find = [&](char n) -> SNamed* {
            for (SNamed* member : list) {
                if (member->name == n) return member;
            }
            return &stranger;
        };
        EXPECT_EQ(MoveBeside(list, find(c.source), find(c.target), c.before), c.moved)
            << c.source << " to " << c.target;
        EXPECT_EQ(Names(list), c.order) << c.source << (c.before ? " before " : " after ") << c.target;
    }
}
