#pragma once

// Our own generator and noise instead of <random>: the standard distributions differ
// between library vendors, and the pictures must come out byte for byte the same.

#include <cmath>
#include <cstdint>

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, 1)
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(uniform() * n); }
    bool chance(double p) { return uniform() < p; }
    // Sum of uniforms: a cheap bell shape in [-1, 1].
    double bell() { return (uniform() + uniform() + uniform()) / 1.5 - 1.0; }

private:
    std::uint64_t state_;
};

class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed) : seed_(seed) {}

    // Smooth noise in [0, 1] with features about one unit apart.
    double at(double x, double y) const
    {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const auto ix = std::int32_t(fx);
        const auto iy = std::int32_t(fy);
        const double tx = fade(x - fx);
        const double ty = fade(y - fy);
        const double a = lattice(ix, iy);
        const double b = lattice(ix + 1, iy);
        const double c = lattice(ix, iy + 1);
        const double d = lattice(ix + 1, iy + 1);
        const double top = a + (b - a) * tx;
        const double bottom = c + (d - c) * tx;
        return top + (bottom - top) * ty;
    }

    // Octaves of at(), normalised back to about [0, 1].
    double fbm(double x, double y, int octaves, double gain = 0.5) const
    {
        double sum = 0.0;
        double amplitude = 1.0;
        double norm = 0.0;
        for (int i = 0; i < octaves; ++i) {
            // Each octave is shifted so the lattice points do not line up.
            sum += amplitude * at(x + i * 17.31, y - i * 9.73);
            norm += amplitude;
            amplitude *= gain;
            x *= 2.03;
            y *= 2.03;
        }
        return sum / norm;
    }

private:
    static double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

    double lattice(std::int32_t x, std::int32_t y) const
    {
        std::uint32_t h = std::uint32_t(x) * 0x8DA6B343u ^ std::uint32_t(y) * 0xD8163841u ^ seed_ * 0xCB1AB31Fu;
        h ^= h >> 15;
        h *= 0x2C1B3C6Du;
        h ^= h >> 12;
        h *= 0x297A2D39u;
        h ^= h >> 15;
        return double(h) / 4294967295.0;
    }

    std::uint32_t seed_;
};
