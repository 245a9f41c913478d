#include "IdentityNumber.h"

#include <cstdio>

namespace IdentityNumber {

namespace {

bool allDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int number(std::string_view s)
{
    int n = 0;
    for (char c : s)
        n = n * 10 + (c - '0');
    return n;
}

bool realDate(int y, int m, int d)
{
    static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (y < 1800 || m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

} // namespace

char checkChar(std::string_view first17)
{
    static const int weights[17] = { 7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2 };
    static const char chars[] = "10X98765432";
    if (first17.size() != 17 || !allDigits(first17))
        return 0;
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += (first17[i] - '0') * weights[i];
    return chars[sum % 11];
}

bool isValid(std::string_view id)
{
    if (id.size() != 18)
        return false;
    const char check = checkChar(id.substr(0, 17));
    return check != 0 && id[17] == check
        && realDate(number(id.substr(6, 4)), number(id.substr(10, 2)), number(id.substr(12, 2)));
}

bool isMale(std::string_view id)
{
    return id.size() >= 17 && (id[16] - '0') % 2 == 1;
}

std::string make(std::string_view region, int year, int month, int day, int sequence)
{
    char buf[19];
    std::snprintf(buf, sizeof buf, "%.6s%04d%02d%02d%03d", region.data(), year, month, day, sequence % 1000);
    std::string id(buf, 17);
    id += checkChar(id);
    return id;
}

} // namespace IdentityNumber
