// A board of everything the generator draws, for a person to review the art at a glance.

#include "DataSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const Colour kBoard{112, 112, 120};
const Colour kFrameBack{96, 96, 104};
const int kBoardWidth = 640;
const int kGap = 6;

Image frameOf(const Sheet& s, int number) {
    const FrameRect& r = s.frames[number];
    return s.image.region(r.x, r.y, r.w, r.h);
}

Image withLabel(const PixelFont& font, const std::string& label, const Image& content) {
    int w = std::max(font.textWidth(label), content.width());
    Image block(w, font.height() + 1 + content.height(), kBoard);
    font.draw(block, 0, 0, label);
    block.blitOpaque(content, 0, font.height() + 1);
    return block;
}

// The content on the board colour, so transparent areas show as board.
Image onBoard(const Image& img, bool opaque) {
    Image out(img.width(), img.height(), kBoard);
    if (opaque)
        out.blitOpaque(img, 0, 0);
    else
        out.blit(img, 0, 0);
    return out;
}

Image sheetBlock(const PixelFont& font, const std::string& name, const Sheet& s) {
    std::vector<Image> lines;
    int width = font.textWidth(name);
    for (size_t r = 0; r < s.rows.size(); ++r) {
        char label[48];
        std::snprintf(label, sizeof label, "%zu:%g", r, s.rows[r].fps);
        int x = 26, h = font.height();
        for (int f : s.rows[r].frames) {
            x += s.frames[f].w + 2;
            h = std::max(h, s.frames[f].h);
        }
        Image line(x, h, kBoard);
        font.draw(line, 0, 0, label);
        x = 26;
        for (int f : s.rows[r].frames) {
            Image frame = frameOf(s, f);
            line.fillRect(x, 0, frame.width(), frame.height(), kFrameBack);
            line.blit(frame, x, 0);
            x += frame.width() + 2;
        }
        width = std::max(width, line.width());
        lines.push_back(line);
    }
    int height = font.height() + 1;
    for (const Image& l : lines)
        height += l.height() + 2;
    Image block(width, height, kBoard);
    font.draw(block, 0, 0, name);
    int y = font.height() + 1;
    for (const Image& l : lines) {
        block.blitOpaque(l, 0, y);
        y += l.height() + 2;
    }
    return block;
}

// Shelf packing, in the order given.
Image pack(const std::vector<Image>& blocks) {
    std::vector<std::pair<int, int>> at;
    int x = kGap, y = kGap, shelf = 0;
    for (const Image& b : blocks) {
        if (x > kGap && x + b.width() + kGap > kBoardWidth) {
            x = kGap;
            y += shelf + kGap;
            shelf = 0;
        }
        at.push_back({x, y});
        x += b.width() + kGap * 2;
        shelf = std::max(shelf, b.height());
    }
    Image board(kBoardWidth, y + shelf + kGap, kBoard);
    for (size_t i = 0; i < blocks.size(); ++i)
        board.blitOpaque(blocks[i], at[i].first, at[i].second);
    return board;
}

const Image& imageNamed(const DataSet& data, const std::string& name) {
    for (const ImageFile& f : data.images)
        if (f.name == name)
            return f.image;
    static const Image none;
    return none;
}

// The boss as the game layers it: body, satellites, band, eye, all centred on one point.
Image orbComposite(const DataSet& data) {
    const Image& body = imageNamed(data, "orb1.mz");
    Image out(64, 64, kBoard);
    const int cx = 32, cy = 32;
    out.blit(body, cx - body.width() / 2, cy - body.height() / 2);
    for (const SheetFile& f : data.sheets)
        if (f.name == "orb4.sz") {
            const int offsets[3][2] = {{8, 0}, {-3, 6}, {-4, -6}};
            for (int i = 0; i < 3; ++i) {
                double a = (i / 3.0 + 0.4 * i) * 3.14159 * 0.5;
                Image sat = frameOf(f.sheet, f.sheet.rows[0].frames[i]);
                out.blit(sat, cx + static_cast<int>(8 * std::cos(a)) + offsets[i][0] - 4,
                         cy + static_cast<int>(8 * std::sin(a)) + offsets[i][1] - 4);
            }
        }
    for (const char* overlay : {"orb2.mz", "orb3.mz"}) {
        const Image& o = imageNamed(data, overlay);
        out.blit(o, cx - o.width() / 2, cy - o.height() / 2);
    }
    return out;
}

} // namespace

Image makeContactSheet(const DataSet& data) {
    const PixelFont font = makeSmallFont();
    std::vector<Image> blocks;
    for (const ImageFile& f : data.images) {
        bool opaque = f.name.rfind("font_", 0) == 0 || f.name == "bg.mz";
        char label[64];
        std::snprintf(label, sizeof label, "%s %dx%d", f.name.c_str(), f.image.width(),
                      f.image.height());
        blocks.push_back(withLabel(font, label, onBoard(f.image, opaque)));
    }
    blocks.push_back(withLabel(font, "boss composite", orbComposite(data)));
    for (const SheetFile& f : data.sheets)
        blocks.push_back(sheetBlock(font, f.name, f.sheet));
    // A sample of every font, with the spacing the game uses.
    const PixelFont fonts[4] = {makeMainFont(), makeMainRedFont(), makeSmallFont(),
                                makeSmallRedFont()};
    for (const PixelFont& f : fonts) {
        const std::string lines[] = {"The quick brown fox jumps over the lazy dog.",
                                     "PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! # $ 1234567890",
                                     "Laser Turret - $50  (Lv 2)  +12  -1  Wave 10  <>[]{}@&%?"};
        int w = 0;
        for (const std::string& l : lines)
            w = std::max(w, f.textWidth(l));
        Image sample(w, f.height() * 3 + 4, {40, 44, 70});
        for (int i = 0; i < 3; ++i)
            f.draw(sample, 0, i * (f.height() + 1), lines[i]);
        blocks.push_back(sample);
    }
    return pack(blocks);
}
