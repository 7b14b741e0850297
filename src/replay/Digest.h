#pragma once

#include <cstdint>
#include <string>

class Game;

// A 64-bit FNV-1a hash, fed field by field. Doubles are hashed by their bits: two states that
// differ in the last bit of a position are different states.
class Digest {
  public:
    void addBytes(const void* data, std::size_t size);
    void addInt(long long value);
    void addDouble(double value);
    void addString(const std::string& text);
    std::uint64_t value() const { return hash; }
    // 16 lower-case hex digits.
    std::string hex() const;

  private:
    std::uint64_t hash = 14695981039346656037ull;
};

// Every regular file of the folder (name and contents, in name order): strings.txt and every
// image, sheet, font and sound. Empty when the folder cannot be read.
std::string dataDigest(const std::string& folder);

// What a play-through has come to: money, health, the wave and its timer, the controls, every
// tower, shot and invader with its position and health, the number of effects, the clouds and
// the screen shake. Equal digests after the same input mean the game ran the same way.
std::string stateDigest(const Game& game);
