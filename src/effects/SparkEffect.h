#pragma once

#include "effects/Effect.h"

// The tesla coil's lightning bolt between two points, drawn once into its own image.
class SparkEffect : public Effect {
  public:
    SparkEffect(int x1, int y1, int x2, int y2);
    ~SparkEffect() override;
    SparkEffect(const SparkEffect&) = delete;
    SparkEffect& operator=(const SparkEffect&) = delete;

    void update(double dt) override;
    void draw(BITMAP* target) override;

    BITMAP* image;
};
