#include "tests/e2e/screen_reading.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <limits>

namespace tembira::e2e {

namespace {

// A pixel counts as ink when some channel is this much darker than the
// marker: the body of a glyph and the darker part of its anti-aliased edge,
// but not a light embossed shadow.
constexpr int inkThreshold = 64;

bool isInk(Rgb pixel, Rgb marker) {
    return std::max({marker.r - pixel.r, marker.g - pixel.g, marker.b - pixel.b}) > inkThreshold;
}

// The cell without its outermost pixels, where a neighbouring tile's
// 65-pixel square overlaps by one.
Rect inner(int k) {
    Rect c = cell(k);
    return {c.x + 2, c.y + 2, c.w - 4, c.h - 4};
}

} // namespace

std::vector<bool> ink(const Shot& shot, int k) {
    const Rect r = inner(k);
    const Rgb m = marker(k);
    std::vector<bool> mask;
    mask.reserve(std::size_t(r.w * r.h));
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            mask.push_back(isInk(shot.at(x, y), m));
    return mask;
}

int inkCount(const Shot& shot, int k) {
    int n = 0;
    for (bool b : ink(shot, k))
        n += b;
    return n;
}

int blackCount(const Shot& shot, int k) {
    const Rect r = inner(k);
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) {
            const Rgb c = shot.at(x, y);
            n += c.r >= 0 && std::max({c.r, c.g, c.b}) < 64;
        }
    return n;
}

bool plain(const Shot& shot, int k) {
    const Rect c = cell(k);
    return distance(shot.at(c.centreX(), c.centreY()), marker(k)) <= 8 && inkCount(shot, k) == 0;
}

int mismatch(const std::vector<bool>& a, const std::vector<bool>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

Cells readBoard(const Shot& shot, const Shot& reference, const Cells& known) {
    std::vector<std::vector<bool>> glyphs(16);
    for (int k = 1; k <= 16; ++k)
        if (known[std::size_t(k - 1)])
            glyphs[std::size_t(known[std::size_t(k - 1)])] = ink(reference, k);
    Cells seen{};
    for (int k = 1; k <= 16; ++k) {
        const auto mask = ink(shot, k);
        int best = 0, fewest = std::numeric_limits<int>::max();
        for (int n = 1; n <= 15; ++n)
            if (int d = mismatch(mask, glyphs[std::size_t(n)]); d < fewest) {
                fewest = d;
                best = n;
            }
        seen[std::size_t(k - 1)] = inkCount(shot, k) == 0 ? 0 : best;
    }
    return seen;
}

bool readBitmap(const std::string& file, Bitmap& out, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    auto u16 = [&](std::size_t at) { return unsigned(d[at] | d[at + 1] << 8); };
    auto u32 = [&](std::size_t at) { return std::uint32_t(u16(at) | u16(at + 2) << 16); };
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
        error = file + " is not a bitmap";
        return false;
    }
    const std::uint32_t offset = u32(10), header = u32(14);
    const auto width = std::int32_t(u32(18)), height = std::int32_t(u32(22));
    if (u16(28) != 8 || u32(30) != 0) {
        error = file + " is not an uncompressed 8-bit bitmap";
        return false;
    }
    std::uint32_t colours = u32(46);
    if (colours == 0)
        colours = 256;
    const std::size_t palette = 14 + header;
    const int rows = std::abs(height);
    const std::size_t stride = (std::size_t(width) + 3) / 4 * 4;
    if (width <= 0 || palette + 4 * colours > offset || offset + stride * rows > d.size()) {
        error = file + " is cut short";
        return false;
    }
    out.width = width;
    out.height = rows;
    out.pixels.assign(std::size_t(width * rows), {});
    for (int y = 0; y < rows; ++y) {
        const std::size_t row = offset + stride * std::size_t(height > 0 ? rows - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const std::size_t entry = palette + 4 * std::size_t(d[row + std::size_t(x)]);
            out.pixels[std::size_t(y * width + x)] = {d[entry + 2], d[entry + 1], d[entry]};
        }
    }
    return true;
}

Rgb meanOf(const Shot& shot, const Rect& block) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = block.y; y < block.bottom(); ++y)
        for (int x = block.x; x < block.right(); ++x) {
            const Rgb c = shot.at(x, y);
            r += c.r, g += c.g, b += c.b, ++n;
        }
    return {int(r / n), int(g / n), int(b / n)};
}

Rgb meanOf(const Bitmap& picture, const Rect& placed, const Rect& block) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = block.y; y < block.bottom(); ++y)
        for (int x = block.x; x < block.right(); ++x) {
            // The picture pixel under the centre of screen pixel (x, y).
            const int px = int((x - placed.x + 0.5) * picture.width / placed.w);
            const int py = int((y - placed.y + 0.5) * picture.height / placed.h);
            const Rgb c = picture.at(std::clamp(px, 0, picture.width - 1),
                                     std::clamp(py, 0, picture.height - 1));
            r += c.r, g += c.g, b += c.b, ++n;
        }
    return {int(r / n), int(g / n), int(b / n)};
}

int worstBlock(const Shot& shot, const Bitmap& picture, const Rect& placed, const Rect& except) {
    int worst = 0;
    for (int y = frameInside.y; y + 16 <= frameInside.bottom(); y += 16)
        for (int x = frameInside.x; x + 16 <= frameInside.right(); x += 16) {
            const Rect block{x, y, 16, 16};
            if (x < except.right() && except.x < x + 16 && y < except.bottom() && except.y < y + 16)
                continue;
            worst = std::max(worst, distance(meanOf(shot, block), meanOf(picture, placed, block)));
        }
    return worst;
}

} // namespace tembira::e2e
