#pragma once

#include <string>
#include <vector>

// Word lists of the synthetic register: names, places, and the values each code
// type takes with their rough frequencies in a Chinese urban community.
namespace Vocabulary {

struct Weighted
{
    std::string text;
    int weight;
};

struct Region
{
    std::string code; // six-digit administrative division code
    std::string province; // empty for the municipalities
    std::string city;
    std::string district;
};

const std::vector<Weighted> &surnames();
// Characters of given names, by sex and by era of birth (0 before 1965, 1 up to
// 1994, 2 after): names follow the fashions of their time.
const std::vector<std::string> &givenChars(bool male, int era);

// Districts of the community's own city; the first is the community's district.
const std::vector<Region> &homeRegions();
// Where people who moved in came from.
const std::vector<Region> &otherRegions();

// The community's compound; addresses are this plus building and room.
const std::string &compound();
const std::vector<std::string> &streets(); // for addresses elsewhere

const std::vector<std::string> &employers();
const std::vector<std::string> &schools(int level); // 0 primary, 1 secondary, 2 university
const std::vector<std::string> &prisons();
const std::vector<std::string> &offences();

// Frequencies by code type (t_code.F_type in lower case). Types whose value
// depends on the person (age, household) have several lists; see the generator.
const std::vector<Weighted> &codeValues(const std::string &type);

} // namespace Vocabulary
