#pragma once

#include <cstdint>
#include <vector>

// xoshiro256** with our own reductions: std:: distributions differ between
// standard libraries, and the same seed must give the same register everywhere.
class Rng
{
public:
    explicit Rng(std::uint64_t seed)
    {
        for (auto &word : m_s) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    // 0 .. n-1; the tiny bias of a 64-bit multiply-shift is irrelevant here.
    std::uint32_t below(std::uint32_t n)
    {
        return static_cast<std::uint32_t>((static_cast<unsigned __int128>(next()) * n) >> 64);
    }
    int range(int lo, int hi) { return lo + static_cast<int>(below(static_cast<std::uint32_t>(hi - lo + 1))); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }
    // Bell-shaped: standard deviation spread, never beyond ±3 spread (sum of three uniforms).
    double bell(double mean, double spread) { return mean + (unit() + unit() + unit() - 1.5) * 2.0 * spread; }

    template <typename T> const T &pick(const std::vector<T> &v)
    {
        return v[below(static_cast<std::uint32_t>(v.size()))];
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t m_s[4];
};
