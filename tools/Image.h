#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One 24-bit colour as the data files store it.
struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Colour& o) const { return !(*this == o); }
};

// The game treats this colour as transparent everywhere.
constexpr Colour kMask{255, 0, 255};

Colour rgb(int r, int g, int b);
// Linear blend from a (t = 0) to b (t = 1), t clamped.
Colour mix(Colour a, Colour b, double t);
// Scales brightness; factors above 1 brighten towards white-ish saturation.
Colour shade(Colour c, double factor);
// A drawn colour must never be read as transparent by accident.
Colour notMask(Colour c);

// An RGB canvas whose untouched pixels are the mask colour, with the few drawing primitives the
// art needs. Everything clips at the edges, so art code can draw carelessly near them.
class Image {
  public:
    Image() = default;
    Image(int width, int height, Colour fill = kMask);

    int width() const { return w; }
    int height() const { return h; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    // Outside the canvas reads as the mask colour.
    Colour get(int x, int y) const;
    bool isMask(int x, int y) const { return get(x, y) == kMask; }
    void set(int x, int y, Colour c);
    // Sets only where something is already drawn (keeps silhouettes).
    void tint(int x, int y, Colour c, double amount);

    void fill(Colour c);
    void fillRect(int x, int y, int width, int height, Colour c);
    void frameRect(int x, int y, int width, int height, Colour c);
    void line(int x0, int y0, int x1, int y1, Colour c);
    // Pixels whose centres lie within radius r of (cx, cy).
    void disc(double cx, double cy, double r, Colour c);
    void ellipse(double cx, double cy, double rx, double ry, Colour c);
    void ring(double cx, double cy, double rInner, double rOuter, Colour c);

    // Copies src with its top-left corner at (x, y), skipping mask pixels.
    void blit(const Image& src, int x, int y);
    // Copies every pixel, the mask colour included.
    void blitOpaque(const Image& src, int x, int y);
    // Scales by a whole factor (for the contact sheet).
    Image scaled(int factor) const;
    Image flippedX() const;
    Image region(int x, int y, int width, int height) const;

    // Adds a one-pixel outline of colour c around everything drawn.
    void outline(Colour c);
    // Replaces every drawn pixel by f(pixel).
    template <typename F> void mapDrawn(F f) {
        for (Colour& p : pixels)
            if (p != kMask)
                p = notMask(f(p));
    }

    const std::vector<Colour>& data() const { return pixels; }

  private:
    int w = 0, h = 0;
    std::vector<Colour> pixels;
};
