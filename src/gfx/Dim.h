#pragma once

struct BITMAP;

// Darkens the rectangle from (x1, y1) to (x2, y2), corners included, towards black by
// strength / 255, so that text drawn over it reads whatever lies beneath.
void dimRect(BITMAP* target, int x1, int y1, int x2, int y2, int strength);
