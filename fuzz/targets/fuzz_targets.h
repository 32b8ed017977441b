#pragma once

// The fuzz targets' bodies, shared by the libFuzzer programs and by the test that replays the
// committed corpus and every crasher found, so CI runs them on each change.

#include <cstddef>
#include <cstdint>

namespace camvista::fuzz
{

// Reads the bytes as a settings file, then writes a value taken from them and reads it back.
int settingsFile(const std::uint8_t *data, std::size_t size);
// Loads the bytes as a picture file through the one loader and touches every pixel.
int pictureLoader(const std::uint8_t *data, std::size_t size);
// Blends a stamp over a background at a position, sizes and buffers all taken from the bytes.
int stampBlend(const std::uint8_t *data, std::size_t size);

// Reads the bytes as a camera save held in memory and checks every picture it gives.
int cameraSave(const std::uint8_t *data, std::size_t size);

// Reads the bytes (after a two-byte cut position) as a printer capture's text, at once and in
// two pieces, and checks every print it gives.
int printCapture(const std::uint8_t *data, std::size_t size);

// Stops the run with a message when a property that must hold does not.
void require(bool condition, const char *what);

} // namespace camvista::fuzz
