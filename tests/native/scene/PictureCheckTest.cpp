#include "GifTestStreams.h"
#include "scene/OwnTransparency.h"
#include "scene/PictureCheck.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PictureCheck, PngMustReachItsEndChunk) {
    const Bytes png = ReadFileBytes(std::string(PINARBO_TEST_DATA) + "/imaging/files/alpha.png");
    ASSERT_GT(png.size(), 50u);
    EXPECT_TRUE(IsCompletePng(png.data(), png.size()));
    for (std::size_t cut = 8; cut < png.size(); ++cut) EXPECT_FALSE(IsCompletePng(png.data(), cut)) << cut;
    Bytes longer = png;
    longer.resize(png.size() + 100, 0);  // bytes after IEND do no harm
    EXPECT_TRUE(IsCompletePng(longer.data(), longer.size()));
    Bytes lying = png;
    lying[8] = 0x7F;  // the first chunk claims about 2 GB
    EXPECT_FALSE(IsCompletePng(lying.data(), lying.size()));
    lying[8] = 0xFF;
    EXPECT_FALSE(IsCompletePng(lying.data(), lying.size()));
}

TEST(PictureCheck, OtherDataIsLeftToTheDecoder) {
    const Bytes jpeg = ReadFileBytes(std::string(PINARBO_TEST_DATA) + "/imaging/files/rose.jpg");
    EXPECT_TRUE(IsCompletePng(jpeg.data(), 100));
    EXPECT_TRUE(IsCompletePng(nullptr, 0));
    const std::uint8_t shortSig[] = {0x89, 'P', 'N'};
    EXPECT_TRUE(IsCompletePng(shortSig, sizeof shortSig));
}

TEST(OwnTransparency, SomeAlphaBelowOpaqueAndNotAllZero) {
    struct SCase {
        const char* what;
        std::vector<std::uint8_t> alpha;
        bool carries;
    } const cases[] = {
        {"no alpha channel: all opaque", {255, 255, 255, 255}, false},
        {"alpha never filled in: all zero", {0, 0, 0, 0}, false},
        {"transparent background", {0, 255, 255, 0}, true},
        {"one pixel just below opaque", {255, 255, 254, 255}, true},
        {"the last pixel transparent", {255, 255, 255, 0}, true},
        {"half transparent throughout", {128, 128, 128, 128}, true},
        {"one pixel, opaque", {255}, false},
        {"no pixels", {}, false},
    };
    for (const SCase& c : cases) {
        std::vector<std::uint8_t> bgra;
        for (std::uint8_t a : c.alpha) bgra.insert(bgra.end(), {10, 10, 10, a});
        EXPECT_EQ(CarriesOwnTransparency(bgra.data(), c.alpha.size()), c.carries) << c.what;
    }
    EXPECT_FALSE(CarriesOwnTransparency(nullptr, 4));
}
