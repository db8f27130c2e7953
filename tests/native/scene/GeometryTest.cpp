#include "PixelHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

using ::testing::ElementsAre;

namespace {
// A w x h bitmap whose every byte of pixel i is values[i] (grey with equal alpha).
CBmp Grey(int w, int h, std::initializer_list<int> values) {
    CBmp b;
    b.Create(w, h);
    int i = 0;
    for (int v : values) {
        for (int k = 0; k < 4; ++k) b.Bits()[i * 4 + k] = static_cast<std::uint8_t>(v);
        ++i;
    }
    return b;
}
std::vector<int> GreyValues(const CBmp& b) {
    std::vector<int> out;
    for (int i = 0; i < b.Width() * b.Height(); ++i) {
        for (int k = 1; k < 4; ++k) EXPECT_EQ(b.Bits()[i * 4 + k], b.Bits()[i * 4]) << "channels differ at " << i;
        out.push_back(b.Bits()[i * 4]);
    }
    return out;
}
}  // namespace

TEST(Resample, HandComputedPasses) {
    struct Case {
        const char* what;
        int w, h;
        std::initializer_list<int> in;
        int nw, nh;
        std::vector<int> expected;
    } cases[] = {
        // Enlarging columns: (c * (255 - f) + c1 * f) >> 8, fraction 0 included (255 -> 254).
        {"one column repeated", 1, 1, {255}, 3, 1, {254, 254, 254}},
        {"one column of 100", 1, 2, {100, 255}, 2, 2, {99, 99, 254, 254}},
        {"2 to 3 columns", 2, 1, {0, 200}, 3, 1, {0, 99, 199}},
        // Enlarging rows: rows with fraction 0 copied exactly, others mixed with / 255.
        {"one row repeated", 1, 1, {255}, 1, 3, {255, 255, 255}},
        {"2 to 3 rows", 1, 2, {0, 200}, 1, 3, {0, 99, 200}},
        {"2 to 4 rows", 1, 2, {30, 240}, 1, 4, {30, 100, 170, 240}},
        // Shrinking: area average, each share truncated on its own.
        {"3 to 2 rows", 1, 3, {90, 150, 30}, 1, 2, {110, 70}},
        {"3 to 2 rows full", 1, 3, {255, 255, 255}, 1, 2, {255, 255}},
        {"4 to 2 rows", 1, 4, {101, 51, 7, 9}, 1, 2, {75, 7}},
        {"3 to 2 columns", 3, 1, {90, 150, 30}, 2, 1, {110, 70}},
        {"3 to 1", 3, 1, {90, 150, 31}, 1, 1, {90}},
        {"rows and columns", 2, 2, {100, 200, 50, 0}, 1, 1, {87}},
    };
    for (const auto& c : cases) {
        CBmp b = Grey(c.w, c.h, c.in);
        EXPECT_TRUE(b.Resample(c.nw, c.nh)) << c.what;
        EXPECT_EQ(b.Width(), c.nw);
        EXPECT_EQ(b.Height(), c.nh);
        EXPECT_EQ(b.ByteSize(), c.nw * c.nh * 4);
        EXPECT_EQ(GreyValues(b), c.expected) << c.what;
    }
}

TEST(Resample, NothingForSameSizeBadSizesOrEmpty) {
    CBmp b = Grey(2, 1, {10, 20});
    EXPECT_FALSE(b.Resample(2, 1));
    EXPECT_FALSE(b.Resample(0, 1));
    EXPECT_FALSE(b.Resample(3, -1));
    EXPECT_FALSE(b.Resample(100000, 100000));
    EXPECT_EQ(GreyValues(b), (std::vector<int>{10, 20}));
    CBmp empty;
    EXPECT_FALSE(empty.Resample(3, 3));
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(Resample, ThumbnailOfTheItemChainSize) {
    // The item chain shrinks by m = max(w / 20 + 1, h / 20 + 1): 193 x 250 -> m 13 -> 14 x 19.
    CBmp b = SolidBmp(193, 250, 0xFF808080);
    const int m = std::max(193 / 20 + 1, 250 / 20 + 1);
    ASSERT_TRUE(b.Resample(193 / m, 250 / m));
    EXPECT_EQ(b.Width(), 14);
    EXPECT_EQ(b.Height(), 19);
}

TEST(Resample, EnlargingBothWaysStaysInsideTheBuffers) {
    // Odd sizes make the last column of the last row land on fraction 0 (checked by the
    // sanitizer build): the right neighbour must not be read.
    CBmp b = SolidBmp(7, 5, 0xFFFFFFFF);
    ASSERT_TRUE(b.Resample(23, 11));
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 23; ++x) ASSERT_GE(b.PixelAt(x, y) & 0xFF, 0xFCu);
}

TEST(ResizeCanvas, AddsAndRemovesAreas) {
    CBmp b = MakeBmp(2, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
    b.SetOffset(5, 6);
    // A colour reference with alpha on top: red 0x11, green 0x22, blue 0x33, alpha 0x80.
    ASSERT_TRUE(b.ResizeCanvas(-1, 0, 0, 1, 0x80332211));
    EXPECT_THAT(Words(b), ElementsAre(0x80112233u, 0xFF000001u, 0xFF000002u, 0x80112233u, 0xFF000003u,
                                      0xFF000004u, 0x80112233u, 0x80112233u, 0x80112233u));
    EXPECT_EQ(b.OffsetX(), 5);
    ASSERT_TRUE(b.ResizeCanvas(2, 1, 0, -1, 0));  // remove two columns on the left, a row top and bottom
    EXPECT_THAT(Words(b), ElementsAre(0xFF000004u));
    EXPECT_FALSE(b.ResizeCanvas(1, 0, 0, 0, 0));  // would leave no column
    EXPECT_FALSE(b.ResizeCanvas(0, 0, 0, -5, 0));
    EXPECT_THAT(Words(b), ElementsAre(0xFF000004u));
}

TEST(CropToContent, CropsToTheOpaqueBox) {
    CBmp b;
    b.Create(5, 4);
    EXPECT_FALSE(b.CropToContent());  // fully transparent: kept
    EXPECT_EQ(b.Width(), 5);
    b.Bits()[(1 * 5 + 2) * 4 + 3] = 1;
    b.Bits()[(2 * 5 + 3) * 4 + 0] = 9;  // colour without alpha does not count
    ASSERT_TRUE(b.CropToContent());
    EXPECT_THAT(Words(b), ElementsAre(0x01000000u));
    CBmp c = MakeBmp(3, 2, {0, 0x01000000, 0, 0, 0, 0x02000000});
    ASSERT_TRUE(c.CropToContent());
    EXPECT_THAT(Words(c), ElementsAre(0x01000000u, 0u, 0u, 0x02000000u));
}

TEST(Shift, MovesTheLinearSequence) {
    struct Case {
        int dx, dy;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {1, 0, {0, 1, 2, 3}},  // carries into the next row
        {0, -1, {3, 4, 0, 0}},
        {1, 1, {0, 0, 0, 1}},
        {0, 0, {1, 2, 3, 4}},
        {4, 0, {0, 0, 0, 0}},
        {-2147483647, -2147483647, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        CBmp b = MakeBmp(2, 2, {1, 2, 3, 4});
        b.Shift(c.dx, c.dy);
        EXPECT_EQ(Words(b), c.expected) << c.dx << "," << c.dy;
    }
}

TEST(Scroll, RotatesColoursAndKeepsAlphaInPlace) {
    struct Case {
        int dx, dy;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {1, 0, {0x10000004, 0x20000001, 0x30000002, 0x40000003}},
        {-1, 0, {0x10000002, 0x20000003, 0x30000004, 0x40000001}},
        {0, 1, {0x10000003, 0x20000004, 0x30000001, 0x40000002}},
        {2, 2, {0x10000001, 0x20000002, 0x30000003, 0x40000004}},  // whole turns
        {5, -3, {0x10000002, 0x20000003, 0x30000004, 0x40000001}},  // 5 % 2 = 1, -3 % 2 = -1: -1 pixel
    };
    for (const auto& c : cases) {
        CBmp b = MakeBmp(2, 2, {0x10000001, 0x20000002, 0x30000003, 0x40000004});
        b.Scroll(c.dx, c.dy);
        EXPECT_EQ(Words(b), c.expected) << c.dx << "," << c.dy;
    }
}

TEST(Scroll, MatchesAPlainRotationOnLargerPictures) {
    // Odd sizes and steps that wrap across rows and the picture's end, against the rotation
    // written out one byte at a time.
    for (const auto& [w, h, dx, dy] : std::vector<std::array<int, 4>>{
             {7, 5, 1, 0}, {7, 5, -1, 0}, {7, 5, 3, 0}, {7, 5, -3, 2}, {102, 102, 1, 1}, {102, 102, -5, 7}, {33, 1, 40, 0}, {1, 9, 0, -4},
             {256, 256, 8, 8}, {256, 256, -8, -8}, {256, 256, 3, -5}}) {
        CBmp b;
        ASSERT_TRUE(b.Create(w, h));
        const long long n = static_cast<long long>(w) * h;
        for (long long i = 0; i < n * 4; ++i) b.Bits()[i] = static_cast<std::uint8_t>(i * 37 + i / 7);
        const std::vector<std::uint8_t> before(b.Bits(), b.Bits() + n * 4);
        b.Scroll(dx, dy);
        const long long by = ((dx % w + static_cast<long long>(dy % h) * w) % n + n) % n;
        for (long long i = 0; i < n; ++i) {
            const long long j = (i + by) % n;
            for (int c = 0; c < 4; ++c) {
                const std::uint8_t want = c == 3 ? before[j * 4 + 3] : before[i * 4 + c];
                ASSERT_EQ(b.Bits()[j * 4 + c], want) << w << "x" << h << " by " << dx << "," << dy << " pixel " << j;
            }
        }
    }
}

namespace {
// The resampling rules written out plainly (divisions everywhere, one byte at a time), to check
// the stepped and multiply-shift arithmetic of Resample on many sizes.
std::vector<int> PlainResample(const std::vector<int>& in, int w, int h, int m, int n) {
    std::vector<int> mid(static_cast<std::size_t>(w) * n, 0), out(static_cast<std::size_t>(m) * n, 0);
    for (int x = 0; x < w; ++x) {
        if (h < n) {
            for (int i = 0; i < n; ++i) {
                const long long r = static_cast<long long>(i) * (h - 1) / (n - 1);
                const long long f = (static_cast<long long>(i) * 255 * (h - 1) / (n - 1)) % 255;
                mid[i * w + x] = f == 0 ? in[r * w + x]
                                        : static_cast<int>((in[(r + 1) * w + x] * f + in[r * w + x] * (255 - f)) / 255);
            }
        } else {
            for (int i = 0; i < h; ++i) {
                const long long p = static_cast<long long>(i) * n, q = p + n, d = q / h, v = in[i * w + x];
                if (p / h == d) {
                    mid[p / h * w + x] += static_cast<int>(n * v / h);
                } else {
                    if (p != h * d) mid[p / h * w + x] += static_cast<int>(v * (h * d - p) / h);
                    if (q % h) mid[d * w + x] += static_cast<int>(q % h * v / h);
                }
            }
        }
    }
    for (int y = 0; y < n; ++y) {
        if (w < m) {
            for (int i = 0; i < m; ++i) {
                const long long c = static_cast<long long>(i) * (w - 1) / (m - 1);
                const long long f = (static_cast<long long>(i) * 255 * (w - 1) / (m - 1)) % 255;
                const long long right = f ? mid[y * w + c + 1] : 0;
                out[y * m + i] = static_cast<int>((mid[y * w + c] * (255 - f) + right * f) >> 8);
            }
        } else {
            for (int i = 0; i < w; ++i) {
                const long long p = static_cast<long long>(i) * m, q = p + m, d = q / w, v = mid[y * w + i];
                if (p / w == d) {
                    out[y * m + p / w] += static_cast<int>(m * v / w);
                } else {
                    if (p != w * d) out[y * m + p / w] += static_cast<int>(v * (w * d - p) / w);
                    if (q % w) out[y * m + d] += static_cast<int>(q % w * v / w);
                }
            }
        }
    }
    return out;
}
}  // namespace

TEST(Resample, AgreesWithThePlainRulesOnManySizes) {
    std::uint32_t seed = 99;
    const auto next = [&seed](int mod) { return static_cast<int>((seed = seed * 1103515245u + 12345u) >> 16) % mod; };
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + next(40), h = 1 + next(40), m = 1 + next(60), n = 1 + next(60);
        if (w == m && h == n) continue;
        std::vector<int> values(static_cast<std::size_t>(w) * h);
        CBmp b;
        b.Create(w, h);
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = next(256);
            for (int k = 0; k < 4; ++k) b.Bits()[i * 4 + k] = static_cast<std::uint8_t>(values[i]);
        }
        ASSERT_TRUE(b.Resample(m, n));
        ASSERT_EQ(GreyValues(b), PlainResample(values, w, h, m, n)) << w << "x" << h << " -> " << m << "x" << n;
    }
}
