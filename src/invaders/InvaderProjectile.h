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
    // Where the shot ends (or, for a bomb, first bounces): on the ground line or a tower.
    virtual void impact() = 0;

    // Whether the shot's hit circle overlaps any tower's.
    bool touchesTower() const;
    // Every tower whose hit circle comes within reach of the shot's position loses amount.
    void damageTowers(double reach, int amount) const;

    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
    SpriteAnim* anim = nullptr; // owned
    bool alive = true;
};
