#pragma once
#include <cstdint>
#include <vector>

namespace tolarka::platform::sdl {

// Enlarges a picture of 32-bit pixels with bilinear filtering, straight into the destination's
// rows: each source row is stretched across once (only the rows the output needs, two kept at a
// time), then every output row is a blend of two of them. The four bytes of a pixel are filtered
// alike, so any channel order works. Positions and weights are in 64ths of a pixel (within a
// level or two of a floating-point filter); their tables are kept for the next picture of the
// same sizes.
class PixelStretch {
public:
    // Writes exactly dstW x dstH pixels at dst (rows dstPitch bytes apart); reads srcW x srcH
    // pixels at src. Both pictures at least 2 x 2 pixels; the output no smaller than the source
    // either way (false otherwise, nothing written).
    bool Run(const std::uint8_t* src, int srcW, int srcH, int srcPitch, std::uint8_t* dst, int dstW, int dstH,
             int dstPitch);

private:
    void Prepare(int srcW, int srcH, int dstW, int dstH);
    void PrepareGroups();
    void StretchRow(const std::uint8_t* src, std::uint8_t* out) const;

    int srcW_ = 0, srcH_ = 0, dstW_ = 0, dstH_ = 0;
    std::vector<std::int32_t> column_;    // for each output column: its left source pixel
    std::vector<std::uint16_t> across_;   // ... the left pixel's weight four times, the right's four
                                          // times (one vector of eight per output column)
    std::vector<std::uint8_t> pairs_;     // ... as bytes, left and right by turns for each channel
    std::vector<std::int32_t> groups_;    // for each four output columns: the first of the four source
                                          // pixels they take from (none when they spread wider)
    std::vector<std::uint8_t> shuffles_;  // ... and where each takes its pair from among them
    std::vector<std::int32_t> row_;       // for each output row: its upper source row
    std::vector<std::uint8_t> down_;      // ... and the lower row's weight
    std::vector<std::uint8_t> rows_;      // two stretched source rows
};

}  // namespace tolarka::platform::sdl
