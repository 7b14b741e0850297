// A still of play composed the way the game draws a frame, to judge the art in context.

#include "DataSet.h"

#include "Art.h"

#include <map>
#include <string>

namespace {

class Scene {
  public:
    explicit Scene(const DataSet& data) : frame(320, 240) {
        for (const ImageFile& f : data.images)
            images[f.name] = &f.image;
        for (const SheetFile& f : data.sheets)
            sheets[f.name] = &f.sheet;
        frame.blitOpaque(*images["bg.mz"], 0, 0);
    }

    const Image& image(const std::string& name) { return *images[name]; }

    Image frameOf(const std::string& sheet, int row, int entry) {
        const Sheet& s = *sheets[sheet];
        const SheetRow& r = s.rows[row];
        const FrameRect& f = s.frames[r.frames[entry % r.frames.size()]];
        return s.image.region(f.x, f.y, f.w, f.h);
    }
    void sprite(const std::string& sheet, int row, int entry, int x, int y) {
        frame.blit(frameOf(sheet, row, entry), x, y);
    }
    void centred(const std::string& sheet, int row, int entry, int cx, int cy) {
        Image f = frameOf(sheet, row, entry);
        frame.blit(f, cx - f.width() / 2, cy - f.height() / 2);
    }
    void tower(const std::string& sheet, int row, int entry, int x) {
        Image f = frameOf(sheet, row, entry);
        frame.blit(f, x, kGroundLine - f.height());
    }
    void button(int i, int look, int icon, bool greyedIcon) {
        const int x = 300 - i * 20;
        frame.blit(image("slots.mz").region(19 * look, 0, 19, 19), x, 220);
        frame.blit(image("icons.mz").region(16 * icon + 16, greyedIcon ? 16 : 0, 16, 16), x + 1,
                   221);
    }

    Image frame;

  private:
    std::map<std::string, const Image*> images;
    std::map<std::string, const Sheet*> sheets;
};

} // namespace

Image makeMockFrame(const DataSet& data) {
    Scene s(data);
    const PixelFont main = makeMainFont(), small = makeSmallFont(), smallRed = makeSmallRedFont();

    const struct {
        int image, x, y;
    } clouds[] = {{1, 10, 52}, {1, 75, 55},  {1, 190, 50}, {1, 250, 57},
                  {2, 40, 53}, {2, 210, 58}, {0, 120, 50}, {0, 280, 52},
                  {4, 20, 49}, {4, 170, 53}, {3, 90, 47},  {3, 250, 46}};
    for (const auto& c : clouds)
        s.frame.blit(s.image("cloud" + std::to_string(c.image + 1) + ".mz"), c.x, c.y);

    s.tower("tower_laser.sz", 0, 0, 30);
    s.tower("tower_laser.sz", 2, 0, 62);
    s.tower("tower_missile.sz", 0, 0, 110);
    s.tower("tower_tesla.sz", 0, 1, 150);
    s.tower("tower_missile.sz", 4, 1, 196);
    s.tower("tower_laser.sz", 0, 2, 240);
    s.tower("tower_tesla.sz", 0, 3, 275);

    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 12; ++c) {
            int row = (r == 1 && c == 4) ? 2 : (r == 0 && c == 7) ? 1 : 0;
            s.sprite("squibble.sz", row, c + r, 40 + 20 * c, 96 + 16 * r);
        }
    s.sprite("squibble.sz", 2, 1, 120, 150);

    s.frame.blit(s.image("laser_small.mz"), 37, 150);
    s.frame.blit(s.image("laser_small.mz"), 69, 118);
    s.frame.blit(s.image("laser_small.mz"), 247, 170);
    s.centred("missile.sz", 3, 0, 104, 170);
    s.centred("puff2.sz", 0, 1, 108, 176);
    s.centred("puff2.sz", 0, 3, 112, 181);
    s.centred("missile.sz", 6, 0, 210, 160);
    s.centred("explosion_small.sz", 0, 2, 186, 116);
    s.centred("poof.sz", 0, 3, 226, 100);
    s.sprite("alienbullet.sz", 0, 1, 140, 140);
    s.sprite("alienbullet.sz", 0, 3, 262, 176);
    // A tesla discharge, drawn the way the game's spark effect draws it.
    s.frame.line(157, 192, 146, 170, {255, 255, 255});
    s.frame.line(146, 170, 128, 157, {255, 255, 255});

    s.frame.blit(s.image("selector.mz").region(0, 0, 7, 7), 150 - 3, kGroundLine - 24 - 3);
    s.frame.blit(s.image("selector.mz").region(7, 0, 7, 7), 150 + 14 - 3, kGroundLine - 24 - 3);
    s.frame.blit(s.image("selector.mz").region(0, 7, 7, 7), 150 - 3, kGroundLine - 3);
    s.frame.blit(s.image("selector.mz").region(7, 7, 7, 7), 150 + 14 - 3, kGroundLine - 3);

    main.draw(s.frame, 2, 220, "#");
    s.frame.blit(s.image("redbar.mz").region(0, 10, 53, 10), 11, 220);
    s.frame.blit(s.image("redbar.mz").region(1, 1, 35, 7), 12, 221);
    std::string health = "14";
    small.draw(s.frame, 36 - small.textWidth(health) / 2, 221, health);
    main.draw(s.frame, 2, 229, "$ 135");
    s.button(0, 2, 2, true);
    s.button(1, 1, 1, false);
    s.button(2, 0, 0, false);
    std::string title = "Missile Turret - $120", desc = "Homing missiles that burst on impact";
    main.draw(s.frame, 257 - main.textWidth(title), 220, title);
    small.draw(s.frame, 257 - small.textWidth(desc), 230, desc);
    smallRed.draw(s.frame, 100, 190, "-1");
    small.draw(s.frame, 230, 92, "+7");

    // The wave banner, drawn at twice its size like the game's bouncing text.
    std::string banner = "Wave 3";
    Image text(main.textWidth(banner) + 2, 10);
    main.draw(text, 0, 0, banner);
    s.frame.blit(text.scaled(2), 160 - text.width(), 60);
    return s.frame;
}
