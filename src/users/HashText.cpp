#include "users/HashText.h"

#include "platform/Convert.h"
#include "platform/Windows1252.h"

#include <cstring>

double ClassicRandom::step()
{
    seed_ = (seed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return seed_ / 16777216.0;
}

double ClassicRandom::Rnd()
{
    return step();
}

double ClassicRandom::Rnd(float argument)
{
    if (argument < 0.0f) {
        uint32_t b;
        std::memcpy(&b, &argument, sizeof b);
        seed_ = (b + (b >> 24)) & 0xFFFFFFu;
    }
    return step();
}

void ClassicRandom::Randomize(double number)
{
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    const uint32_t h = static_cast<uint32_t>(bits >> 32);
    seed_ = (seed_ & 0xFFu) | ((((h & 0xFFFFu) ^ (h >> 16)) & 0xFFFFu) << 8);
}

int32_t HashText(const QString& text)
{
    int32_t x = 0;
    for (QChar c : text) {
        const int b = Windows1252::byteFor(c);
        // Codes are signed 16-bit values widened with their sign; all 8-bit codes are positive.
        x ^= static_cast<int16_t>(b < 0 ? '?' : b);
    }
    ClassicRandom rnd;
    rnd.Rnd(-1.0f);
    rnd.Randomize(static_cast<double>(x));
    const double r = rnd.Rnd();
    return static_cast<int32_t>(RoundHalfEven(r * 2147483647.0));
}
