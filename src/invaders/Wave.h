#pragma once

#include <vector>

struct BITMAP;
class Invader;

// One attack's invaders. The wave owns them; dead ones stay in the list until the wave goes.
class Wave {
public:
    virtual ~Wave();
    virtual void update(double dt);
    virtual bool isDefeated() const;
    // The invader whose health bar the HUD shows, if any.
    virtual Invader* boss() const { return nullptr; }

    void drawInvaders(BITMAP* target) const;
    void killAll();

    std::vector<Invader*> invaders;
};
