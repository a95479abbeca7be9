#pragma once
// The hash under which the user name and password are stored. It must give
// exactly the numbers older installations stored, so it replays their
// runtime's random generator step for step.
#include <QString>
#include <cstdint>

int32_t HashText(const QString& text);

// The classic runtime's 24-bit generator, kept separate so its steps can be checked.
class ClassicRandom {
public:
    // A negative argument restarts the sequence from that number, then draws.
    double Rnd(float argument);
    // Draws the next number, 0 <= r < 1.
    double Rnd();
    // Mixes a number into the seed (the upper half of its double pattern).
    void Randomize(double number);
    uint32_t seed() const { return seed_; }

private:
    double step();
    uint32_t seed_ = 0x50000; // the runtime's seed at start-up
};
