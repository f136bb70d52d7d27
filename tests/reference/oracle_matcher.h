#pragma once

#include <string>
#include <string_view>

namespace kestrova {

struct WikiTable;

// The matching routines written literally, step by step, as the reference the fast matcher
// must agree with. Slow on purpose: titles are normalised on every search and pieces are tried
// one by one.
namespace oracle {

std::string NandL(std::string_view mot);
double MatchValue(std::string_view mot1, std::string_view mot2, bool A = false);

struct SearchOutcome
{
    std::string jeu;
    int bestRow = 0;
    int bestName = 0; // 0 the title, k its alias k - 1
    bool anyTitle = false;
    double bestScore = -11110;
    double m = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    std::string caption; // raw bytes of the title plus the marker
    std::string address; // root plus the raw link
};

// The search of a ROM click for a cleaned ROM name (UTF-8).
SearchOutcome SearchMatch(const WikiTable &table, std::string_view cleanedNameUtf8,
                          const std::string &root);

} // namespace oracle
} // namespace kestrova
