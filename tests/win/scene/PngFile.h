// PNG files for golden-image tests, read and written with the system's imaging component (WIC),
// as 32-bit straight-alpha BGRA, rows top to bottom.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;
};

bool ReadPng(const std::wstring& path, SPixels& out);
bool WritePng(const std::wstring& path, const SPixels& pixels);

// A file below the test data folder as a Windows path (the folder is a Unix path under Wine).
std::wstring TestDataPath(const wchar_t* relative);
