#pragma once

#include <string>
#include <string_view>

// Resident identity numbers (GB 11643): region, birth date, sequence, check character.
namespace IdentityNumber {

// ISO 7064 MOD 11-2 check character of the first 17 digits; 0 when they are not 17 digits.
char checkChar(std::string_view first17);

// 18 characters, a real calendar date and the right check character.
bool isValid(std::string_view id);

// The sequence's last digit is odd for men and even for women.
bool isMale(std::string_view id);

// region: 6 digits; sequence: 0..999.
std::string make(std::string_view region, int year, int month, int day, int sequence);

} // namespace IdentityNumber
