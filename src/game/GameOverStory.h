#pragma once

#include <string>

struct BITMAP;
class Game;

// The game-over screen's account of the game: time played, invaders destroyed, money earned and
// spent, towers built and lost and the kind that did the most, one line each from y = top, over
// a darkened band so that the grey field beneath never gets in the way. Returns the y below it.
int drawGameOverStory(BITMAP* bmp, const Game& game, int top);

// Minutes and seconds: "12:05"; hours when it comes to that: "1:02:05".
std::string playedTime(double seconds);
