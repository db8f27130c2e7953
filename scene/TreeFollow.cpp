#include "scene/TreeFollow.h"

#include <climits>

namespace {
int ToInt(long long v) noexcept {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}
}  // namespace

int FollowTreeSize(int sizeAtOpen, int treeSize, int treeSizeAtOpen) noexcept {
    if (treeSizeAtOpen <= 0) return sizeAtOpen;
    return ToInt(static_cast<long long>(treeSize) * sizeAtOpen / treeSizeAtOpen);
}

int FollowTreePosition(int offsetAtOpen, int treeSize, int treeSizeAtOpen, int treePos) noexcept {
    const long long offset = treeSizeAtOpen <= 0
                                 ? offsetAtOpen
                                 : static_cast<long long>(offsetAtOpen) * treeSize / treeSizeAtOpen;
    return ToInt(offset + treePos);
}
