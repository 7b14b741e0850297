#include "Image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

uint8_t clampByte(double v) {
    if (v <= 0.0)
        return 0;
    if (v >= 255.0)
        return 255;
    return static_cast<uint8_t>(std::lround(v));
}

} // namespace

Colour rgb(int r, int g, int b) {
    return {clampByte(r), clampByte(g), clampByte(b)};
}

Colour mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
            clampByte(a.b + (b.b - a.b) * t)};
}

Colour shade(Colour c, double factor) {
    return {clampByte(c.r * factor), clampByte(c.g * factor), clampByte(c.b * factor)};
}

Colour notMask(Colour c) {
    if (c == kMask)
        return {254, 0, 254};
    return c;
}

Image::Image(int width, int height, Colour fill)
    : w(width), h(height), pixels(static_cast<size_t>(width) * height, fill) {}

Colour Image::get(int x, int y) const {
    if (!inside(x, y))
        return kMask;
    return pixels[static_cast<size_t>(y) * w + x];
}

void Image::set(int x, int y, Colour c) {
    if (inside(x, y))
        pixels[static_cast<size_t>(y) * w + x] = c;
}

void Image::tint(int x, int y, Colour c, double amount) {
    if (!inside(x, y) || isMask(x, y))
        return;
    set(x, y, notMask(mix(get(x, y), c, amount)));
}

void Image::fill(Colour c) {
    std::fill(pixels.begin(), pixels.end(), c);
}

void Image::fillRect(int x, int y, int width, int height, Colour c) {
    for (int yy = y; yy < y + height; ++yy)
        for (int xx = x; xx < x + width; ++xx)
            set(xx, yy, c);
}

void Image::frameRect(int x, int y, int width, int height, Colour c) {
    for (int xx = x; xx < x + width; ++xx) {
        set(xx, y, c);
        set(xx, y + height - 1, c);
    }
    for (int yy = y; yy < y + height; ++yy) {
        set(x, yy, c);
        set(x + width - 1, yy, c);
    }
}

void Image::line(int x0, int y0, int x1, int y1, Colour c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Image::disc(double cx, double cy, double r, Colour c) {
    ellipse(cx, cy, r, r, c);
}

void Image::ellipse(double cx, double cy, double rx, double ry, Colour c) {
    if (rx <= 0.0 || ry <= 0.0)
        return;
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                set(x, y, c);
        }
}

void Image::ring(double cx, double cy, double rInner, double rOuter, Colour c) {
    int x0 = static_cast<int>(std::floor(cx - rOuter)),
        x1 = static_cast<int>(std::ceil(cx + rOuter));
    int y0 = static_cast<int>(std::floor(cy - rOuter)),
        y1 = static_cast<int>(std::ceil(cy + rOuter));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= rOuter && d >= rInner)
                set(x, y, c);
        }
}

void Image::blit(const Image& src, int x, int y) {
    for (int yy = 0; yy < src.h; ++yy)
        for (int xx = 0; xx < src.w; ++xx) {
            Colour c = src.get(xx, yy);
            if (c != kMask)
                set(x + xx, y + yy, c);
        }
}

void Image::blitOpaque(const Image& src, int x, int y) {
    for (int yy = 0; yy < src.h; ++yy)
        for (int xx = 0; xx < src.w; ++xx)
            set(x + xx, y + yy, src.get(xx, yy));
}

Image Image::scaled(int factor) const {
    Image out(w * factor, h * factor);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            out.set(x, y, get(x / factor, y / factor));
    return out;
}

Image Image::flippedX() const {
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.set(w - 1 - x, y, get(x, y));
    return out;
}

Image Image::region(int x, int y, int width, int height) const {
    Image out(width, height);
    for (int yy = 0; yy < height; ++yy)
        for (int xx = 0; xx < width; ++xx)
            out.set(xx, yy, get(x + xx, y + yy));
    return out;
}

void Image::outline(Colour c) {
    Image before = *this;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!before.isMask(x, y))
                continue;
            if (!before.isMask(x - 1, y) || !before.isMask(x + 1, y) || !before.isMask(x, y - 1) ||
                !before.isMask(x, y + 1))
                set(x, y, c);
        }
}
