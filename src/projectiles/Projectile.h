#pragma once

struct BITMAP;
class Invader;

// A shot fired by a tower. The game moves, draws and hit-tests it, and deletes it once it is no
// longer alive.
class Projectile {
  public:
    Projectile(int x, int y) : x(x), y(y) {}
    virtual ~Projectile() = default;
    Projectile(const Projectile&) = delete;
    Projectile& operator=(const Projectile&) = delete;
    virtual void update(double dt) = 0;
    virtual void draw(BITMAP* target) = 0;
    virtual void hit(Invader* invader) = 0;

    bool alive = true;
    double x;
    double y;
};
