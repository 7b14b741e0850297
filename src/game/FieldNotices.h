#pragma once

#include <string>
#include <vector>

struct BITMAP;
class BitmapFont;

// Short texts over the field that say what just happened there, such as a tower lost. Each
// rises a little from where it was put and goes after a few seconds. Drawing only: a notice
// changes nothing in play, draws no random number and is no part of a replay's digest.
class FieldNotices {
  public:
    // (x, y): the middle of the text's top edge.
    void add(int x, int y, std::string text);
    void update(double dt);
    // Each text centred on its place, held inside the field.
    void draw(BITMAP* target, const BitmapFont* font, int fieldWidth) const;
    void clear() { notices.clear(); }
    std::size_t size() const { return notices.size(); }

    static constexpr double kLifetime = 2.5;

  private:
    struct Notice {
        int x;
        double y;
        std::string text;
        double age;
    };
    std::vector<Notice> notices;
};
