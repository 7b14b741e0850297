#pragma once

struct BITMAP;
class SpriteAnim;
class Wave;

// What the rest of the game knows about an enemy: position, health, size and its wave.
class Invader {
  public:
    Invader() = default;
    virtual ~Invader();
    Invader(const Invader&) = delete;
    Invader& operator=(const Invader&) = delete;
    virtual void update(double dt) = 0;
    virtual void draw(BITMAP* target) = 0;
    // 0 when the hit had no effect because the invader was already dead.
    virtual int takeDamage(int amount) = 0;
    virtual double centreX() const;
    virtual double centreY() const;

    // Moves the invader so that its centre lands on (cx, cy).
    void setCentre(int cx, int cy);

    double x = 0.0;
    double y = 0.0;
    int health = 0;
    int maxHealth = 0;
    SpriteAnim* anim = nullptr; // owned
    double hitRadius = 0.0;
    Wave* wave = nullptr;
};
