#pragma once

#include "projectiles/Projectile.h"

class SpriteAnim;

// A homing missile. It picks a random live invader of the current wave, flies along its launch
// heading for a moment, then steers after the target with a turn rate capped one way only,
// slowing down while it turns hard and trailing smoke. It re-targets when the target dies,
// fizzles when nothing is left, and explodes on a hit or when its life runs out, hurting every
// invader within its blast. x and y are the centre of the sprite.
// Pixels: a blast radius far wider than the field. The turret holds its tuned radius and each
// widening to this, so even a blast widened at every level scatters over a span an int counts.
constexpr double kWidestBlast = 1 << 16;

class MissileProjectile : public Projectile {
  public:
    MissileProjectile(int x, int y, int damage, int splashDamage, double splashRadius);
    ~MissileProjectile() override;

    // Picks a random live invader of the current wave; false when there is none.
    bool acquireTarget();
    void update(double dt) override;
    void draw(BITMAP* target) override;
    void hit(Invader* invader) override;
    void explode();

    // Whether the target is gone: none, dead, or its wave deleted (then it is never touched).
    bool targetLost() const;
    // Whether a step of no time would leave the flight as it is (see the definition).
    bool standsStill() const;
    void settle() override;

    SpriteAnim* anim; // owned
    double speed;     // pixels per second
    double heading;   // radians, 0 to the right, counter-clockwise on screen
    int damage;       // of a direct hit
    int splashDamage; // to every invader inside the blast
    double splashRadius;
    double steeringMax;        // cap on counter-clockwise turning, radians per second
    double steeringResponse;   // slow-down per radian of heading error
    Invader* target = nullptr; // not owned
    double age = 0.0;
    double life;
    double trailTimer = 0.0;
    // The serial of the wave the target belongs to. Once the game's current wave has another
    // serial, the target was deleted with its wave, even if a new wave lives at its address.
    unsigned long long targetWaveSerial = 0;

  private:
    // The part of standsStill that the missile's own numbers decide, and the rest.
    bool steadyOnItsOwn() const;
    bool targetWithinReckoning() const;
    // steadyOnItsOwn() as the last whole step left the missile: nothing but a hit (which ends
    // it) changes the missile between that step and settle().
    bool steadyAfterStep = false;
};
