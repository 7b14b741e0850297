#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// What the harnesses share. Inputs are the image and sheet streams as the readers see them after
// decompression (a file in data/ may be gzip-compressed or not; zlib undoes that before our code
// reads a byte), handed over in memory so that an execution costs microseconds.

// Allegro headless at 32-bit colour, as the game and its tests run; call from
// LLVMFuzzerInitialize.
void setUpAllegro();

// Whether the input starts with an image block the reader would accept that declares more pixels
// than any input within -max_len can fill. Such a picture is almost all the end-of-stream filler,
// costs a full decode per execution and adds no path of its own (the side limits are checked
// before anything is allocated, and inputs beyond them still run), so harnesses skip it.
bool declaresOversizedImage(const uint8_t* data, size_t size);

// The input as it is, or inflated (at most cap bytes, and a second time when the first gives a
// gzip stream again) when it starts as a gzip stream does: a few hundred bytes reach tables and
// files of megabytes, which no input within -max_len could spell out (deflate packs at most about
// a thousand to one), so the readers' limits on them are tried too.
std::vector<uint8_t> inflatedInput(const uint8_t* data, size_t size, size_t cap);

// Aborts with the message when the condition fails: a harness's own invariant, reported by
// libFuzzer like any crash.
void require(bool condition, const char* what);
