#pragma once

struct BITMAP;
class SpriteAnim;

// A shot thrown by an invader at the towers; the game deletes it once it is no longer alive.
class InvaderProjectile {
  public:
    InvaderProjectile() = default;
    virtual ~InvaderProjectile();
    InvaderProjectile(const InvaderProjectile&) = delete;
    InvaderProjectile& operator=(const InvaderProjectile&) = delete;
    virtual void update(double dt) = 0;
    virtual void draw(BITMAP* target) = 0;
    virtual void impact() = 0;

    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
    SpriteAnim* anim = nullptr; // owned
    bool alive = true;
};
