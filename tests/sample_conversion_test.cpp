#include <gtest/gtest.h>

#include <cstring>

#include "WavBytes.h"
#include "audio/SampleConversion.h"

namespace {

WaveFormat Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormat f;
    f.formatTag = tag, f.channels = channels, f.samplesPerSec = rate, f.bitsPerSample = bits;
    f.blockAlign = uint16_t(channels * bits / 8);
    return f;
}

}  // namespace

// 8-bit data is unsigned around 128; wider data keeps its top 16 bits; float is scaled and
// clipped, also when named by the extensible record's sub-format; channels are averaged, rates
// interpolated to 44100 Hz and partial frames dropped.
TEST(SampleConversion, EncodingsChannelsAndRatesMapToTheDevicesSamples) {
    Bytes floats;
    for (float f : {0.5f, -2.0f}) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Put32(floats, bits);
    }
    WaveFormat extensible = Format(0xFFFE, 1, 44100, 32);
    extensible.extra.assign(22, 0);
    extensible.extra[6] = 3;
    const struct {
        WaveFormat format;
        Bytes data;
        std::vector<int16_t> expected;
    } cases[] = {
        {Format(1, 1, 44100, 8), {128, 0, 255}, {0, -32768, 32512}},
        {Format(1, 1, 44100, 24), {0xAA, 0x34, 0x12, 0x00, 0x00, 0x80}, {0x1234, -32768}},
        {Format(1, 1, 44100, 32), {0, 0, 0xFF, 0x7F}, {32767}},
        {Format(3, 1, 44100, 32), floats, {16384, -32767}},
        {extensible, floats, {16384, -32767}},
        {Format(1, 2, 44100, 16), Samples16({1000, 3000, -100, -300, 7}), {2000, -200}},
        {Format(1, 1, 22050, 16), Samples16({0, 1000, 2000}), {0, 500, 1000, 1500, 2000, 2000}},
        {Format(1, 1, 88200, 16), Samples16({0, 1, 2, 3, 4, 5}), {0, 2, 4}},
    };
    for (const auto& c : cases) {
        std::vector<int16_t> out;
        EXPECT_TRUE(ConvertToDeviceSamples(c.format, c.data.data(), c.data.size(), 44100, &out));
        EXPECT_EQ(out, c.expected) << c.format.formatTag << " " << c.format.bitsPerSample << " " << c.format.samplesPerSec;
    }
}

TEST(SampleConversion, RefusesWhatItCannotPlayAndTakesEveryRateFrom100To200000) {
    WaveFormat narrow = Format(1, 2, 44100, 16);
    narrow.blockAlign = 2;  // frames too small for their channels
    for (const WaveFormat& format : {Format(2, 1, 44100, 4), Format(1, 1, 44100, 12), Format(3, 1, 44100, 16),
                                     Format(0xFFFE, 1, 44100, 16) /* no sub-format */, Format(1, 1, 99, 8),
                                     Format(1, 1, 200001, 16), narrow})
        EXPECT_FALSE(CanConvert(format)) << format.formatTag << " " << format.bitsPerSample << " " << format.samplesPerSec;
    for (uint32_t rate : {100u, 8000u, 200000u}) EXPECT_TRUE(CanConvert(Format(1, 1, rate, 8))) << rate;
}
