// Test data for the imaging tests under Wine: paths into tests/data/imaging and ImageMagick's
// RGBA dumps, compared with our BGRA bitmaps.
#pragma once

#include "scene/CBmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A test data file as a Windows path (the Linux tree is drive Z: under Wine).
inline std::wstring DataPath(const std::string& relative) {
    const std::string full = std::string(PINARBO_TEST_DATA) + "/imaging/" + relative;
    std::wstring out = full[0] == '/' ? L"Z:" : L"";
    for (char c : full) out += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return out;
}

inline std::vector<std::uint8_t> ReadData(const std::string& relative) {
    std::ifstream in(std::string(PINARBO_TEST_DATA) + "/imaging/" + relative, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Compares bmp with ImageMagick's RGBA dump of the same picture: alpha exactly, colours within
// tolerance where alpha is not 0 (a transparent pixel's colour carries no meaning).
inline void ExpectMatchesDump(const CBmp& bmp, const std::string& dump, int tolerance = 0) {
    const std::vector<std::uint8_t> rgba = ReadData(dump);
    ASSERT_EQ(rgba.size(), static_cast<std::size_t>(bmp.ByteSize())) << dump;
    int failures = 0;
    for (int i = 0; i < bmp.Width() * bmp.Height() && failures < 5; ++i) {
        const std::uint8_t* ours = bmp.Bits() + i * 4;
        const std::uint8_t* im = &rgba[static_cast<std::size_t>(i) * 4];
        bool ok = ours[3] == im[3];
        for (int k = 0; k < 3 && im[3] != 0; ++k) ok = ok && std::abs(ours[2 - k] - im[k]) <= tolerance;
        if (!ok) {
            ++failures;
            ADD_FAILURE() << dump << " pixel " << i << ": ours BGRA " << +ours[0] << "," << +ours[1] << ","
                          << +ours[2] << "," << +ours[3] << " ImageMagick RGBA " << +im[0] << "," << +im[1] << ","
                          << +im[2] << "," << +im[3];
        }
    }
}
