#include "towers/Building.h"

#include "towers/LaserTurret.h"
#include "towers/MissileTurret.h"
#include "towers/TeslaCoil.h"

Building* createTower(int type) {
    switch (type) {
    case 0:
        return new LaserTurret();
    case 1:
        return new MissileTurret();
    case 2:
        return new TeslaCoil();
    default:
        return nullptr;
    }
}
