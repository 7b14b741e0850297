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
    // The game's second look at every shot in a frame, after the wave's own update: a shot that
    // follows an invader may have to act on what the wave did (its target died), as a step of
    // no time.
    virtual void settle() { update(0.0); }

    bool alive = true;
    // False for a shot whose settle() does nothing: the game then spares the call, made for
    // every shot every frame.
    bool settles = true;
    double x;
    double y;
};
