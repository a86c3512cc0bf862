#pragma once
// 16-bit PCM mono WAV encoding and writing.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sfxgen/dsp.h"

namespace tolarka::sfxgen {

// The bytes of a RIFF/WAVE file: 44-byte header, then samples clamped to [-1, 1] and rounded
// to 16 bits.
std::vector<std::uint8_t> EncodeWav(const Samples& samples, int rate = kRate);

// Writes the bytes to a temporary file beside `path` and renames it over `path`, so a failed
// build never leaves half a file. Returns false (and leaves `path` untouched) on failure.
bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tolarka::sfxgen
