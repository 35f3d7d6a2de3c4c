// Screenshots of a window's client area, taken from the screen as the user sees it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class Screenshot {
public:
    // The client area of `window`, or the whole window with its frame when `withFrame`.
    static Screenshot Of(HWND window, bool withFrame = false);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at (x, y) as 0xRRGGBB.
    std::uint32_t Pixel(int x, int y) const;
    bool IsDark(int x, int y) const;
    void SavePng(const std::string& path) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;  // 0xRRGGBB, row by row from the top
};
