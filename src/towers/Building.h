#pragma once

#include <vector>

struct BITMAP;
class SpriteAnim;
class SpriteSheet;
struct TowerDef;

// A tower on the ground line: placement, drawing, damage smoke, damage and destruction, repair,
// demolition and the prices its menu shows. The three tower types fire and upgrade in their
// own ways.
class Building {
public:
    explicit Building(int type);
    virtual ~Building();
    Building(const Building&) = delete;
    Building& operator=(const Building&) = delete;

    virtual void draw(BITMAP* target);
    virtual void update(double dt) = 0;
    // Buys one more level of upgrade k + 1 (the money is charged by the game beforehand).
    virtual void upgrade(int k) = 0;

    void placeAt(int x);
    // The game's per-frame step: the tower's own update, then smoke while badly damaged.
    void tick(double dt);

    double centreX() const;
    double centreY() const;
    double hitRadius() const;
    int maxHealth() const;
    int sellValue() const;
    int repairCost() const;
    void takeDamage(int amount);
    void explode();
    void repair();
    void sell();

    const TowerDef& def() const;
    // Width of the frame row 0 of the type's sheet shows at rest; 0 without a sheet.
    int restFrameWidth() const;

    SpriteSheet* sheet = nullptr; // not owned
    SpriteAnim* anim = nullptr;   // owned; created by placeAt
    int type;
    int x = 0;
    std::vector<int> upgradeLevels;
    int health = 0;
    bool removed = false;
    double smokeTimer = 0.0;

protected:
    // Common part of every subclass's upgrade: range and level checks, then the counter.
    // False when nothing was bought.
    bool countUpgrade(int k);

private:
    void spawnSmokePuff();
};

// Creates the tower class for a type index; null for any other index.
Building* createTower(int type);
