#pragma once

#include "gfx/SpriteAnim.h"

struct BITMAP;
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
    // The middle of the frame it shows, or x, y themselves for an invader drawn without an
    // animation of its own (the orb, whose x, y are its centre). Inline and not virtual: the hit
    // test, the missiles and the blasts ask for every invader every step.
    double centreX() const { return anim ? x + anim->frameWidth() / 2 : x; }
    double centreY() const { return anim ? y + anim->frameHeight() / 2 : y; }
    // Both at once, with one look at the frame.
    void centre(double& cx, double& cy) const {
        if (!anim) {
            cx = x;
            cy = y;
            return;
        }
        int width = 0, height = 0;
        anim->frameSize(width, height);
        cx = x + width / 2;
        cy = y + height / 2;
    }
    // False once the invader moves by itself (a diver diving, a splitter's half): its wave then
    // neither marches it nor turns at its edges. A kind says so through formationMember, not a
    // virtual function: the formation asks of every invader every step.
    bool inFormation() const { return formationMember; }
    // How fast it comes down when its formation descends at formationSpeed, for the warning.
    virtual double descentSpeed(double formationSpeed) const { return formationSpeed; }
    // What the kind keeps besides position and health (a plate's chipped damage, a dive's time),
    // for the state digest; 0 for a kind that keeps nothing.
    virtual double kindState() const { return 0.0; }

    // Moves the invader so that its centre lands on (cx, cy).
    void setCentre(int cx, int cy);

    double x = 0.0;
    double y = 0.0;
    int health = 0;
    int maxHealth = 0;
    SpriteAnim* anim = nullptr; // owned
    double hitRadius = 0.0;
    Wave* wave = nullptr;
    int kind = 0; // row of the invader kinds table (src/invaders/InvaderKinds.h)
    // What its kind's share of the towers' hits (InvaderDef::hitShare) left short of a whole
    // point: many small shares add up.
    double spareDamage = 0.0;
    bool formationMember = true;
};
