#include "sidetools/PregnancyTable.h"

#include <array>

#include "common/IniFile.h"

namespace tessaly {
namespace {

// Rows by age 18..45, columns by lunar month 1..12: '1' a boy, '0' a girl.
constexpr std::array<std::string_view, kPregnancyLastAge - kPregnancyFirstAge + 1> kTable = {
    /* 18 */ "010111111111",
    /* 19 */ "101001111100",
    /* 20 */ "010111111011",
    /* 21 */ "100000000000",
    /* 22 */ "011010010000",
    /* 23 */ "110110101110",
    /* 24 */ "101101100000",
    /* 25 */ "011001011111",
    /* 26 */ "101001010000",
    /* 27 */ "010100111101",
    /* 28 */ "101000111100",
    /* 29 */ "010011111000",
    /* 30 */ "100000000011",
    /* 31 */ "101000000001",
    /* 32 */ "101000000001",
    /* 33 */ "010100010001",
    /* 34 */ "101000000011",
    /* 35 */ "110100010011",
    /* 36 */ "011010001111",
    /* 37 */ "101101010101",
    /* 38 */ "010110101010",
    /* 39 */ "101110010100",
    /* 40 */ "010101101010",
    /* 41 */ "101010110101",
    /* 42 */ "010101011010",
    /* 43 */ "101010101111",
    /* 44 */ "110111010100",
    /* 45 */ "011000101011",
};

}  // namespace

std::string_view PregnancyAnswer(int age, int month) {
    if (age < kPregnancyFirstAge || age > kPregnancyLastAge || month < 1 || month > 12) return {};
    return kTable[std::size_t(age - kPregnancyFirstAge)][std::size_t(month - 1)] == '1' ? kBoyAnswer : kGirlAnswer;
}

std::string_view PregnancyAnswer(std::string_view ageText, int month) {
    long age = 0;
    if (!ParseInteger(ageText, &age) || age < kPregnancyFirstAge || age > kPregnancyLastAge) return {};
    return PregnancyAnswer(int(age), month);
}

}  // namespace tessaly
