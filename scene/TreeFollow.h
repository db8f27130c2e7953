// Toys following the tree: when the tree's size changes from its size at some moment (s0) to s,
// each toy's size and its offset from the tree's corner scale by s / s0 in integer arithmetic
// (product first, truncating division), so halving the tree halves both.
#pragma once

// The toy's size: s * sizeAtOpen / s0. sizeAtOpen when s0 is not positive.
int FollowTreeSize(int sizeAtOpen, int treeSize, int treeSizeAtOpen) noexcept;
// One coordinate of the toy: offsetAtOpen * s / s0 + treePos; offsetAtOpen + treePos when s0 is
// not positive. Results beyond the int range stop at its ends.
int FollowTreePosition(int offsetAtOpen, int treeSize, int treeSizeAtOpen, int treePos) noexcept;
