// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.h"

#include <gtest/gtest.h>

namespace {

// Thousands points anywhere are ignored: "1.2345,5" and "1.5".
TEST(ValoreNumerico, ReadsItalianNumbersAndValuesAndNeverFails) {
    const std::pair<const char*, double> texts[] = {
        {"", 0},      {"1.234,500", 1234.5}, {" 12,5 ", 12.5},      {"0,000", 0},
        {"12abc", 0}, {"1,2,3", 0},          {"1.2345,5", 12345.5}, {"1.5", 15}};
    for (const auto& [text, expected] : texts)
        EXPECT_DOUBLE_EQ(ValoreNumerico(QString::fromUtf8(text)), expected) << text;
    EXPECT_EQ(ValoreNumerico(QVariant()), 0.0);
    EXPECT_EQ(ValoreNumerico(QVariant(QMetaType::fromType<QString>())), 0.0);
    EXPECT_EQ(ValoreNumerico(42), 42.0);
    EXPECT_EQ(ValoreNumerico(2.75), 2.75);
    EXPECT_EQ(ValoreNumerico(true), -1.0); // the database engine's True
}

// Out of 16 bits ("40000") or no number ("8.7pt"): the leading number, unrounded.
TEST(ValoreIntero, RoundsHalvesToEvenOrFallsBackToLeadingNumber) {
    const std::pair<const char*, float> texts[] = {
        {"", 0},          {"8,25", 8},      {"9,5", 10},     {"-2,5", -2},   {"10,51", 11},
        {"32767", 32767}, {"40000", 40000}, {"8.7pt", 8.7f}, {"  -3 kg", -3}};
    for (const auto& [text, expected] : texts)
        EXPECT_FLOAT_EQ(ValoreIntero(QString::fromUtf8(text)), expected) << text;
    EXPECT_EQ(ValoreIntero(QVariant()), 0.0f);
}

// Blanks are skipped anywhere ("1 2 3"), a comma ends the number ("8,25"), and a number too
// large is no infinity ("1e999").
TEST(LeadingNumber, ReadsLikeTheClassicValFunction) {
    const std::pair<const char*, double> texts[] = {{"1 2 3", 123}, {"8,25", 8}, {"1.5e3x", 1500},
                                                    {"12e", 12},    {"True", 0}, {"-", 0},
                                                    {"1e999", 0}};
    for (const auto& [text, expected] : texts)
        EXPECT_DOUBLE_EQ(numbers::leadingNumber(QString::fromLatin1(text)), expected) << text;
}

TEST(FormatNumero, GroupsAndRoundsHalvesAwayFromZero) {
    const std::tuple<double, int, const char*> cases[] = {
        {1234.5, 3, "1.234,500"}, {-0.0001, 3, "0,000"}, {0.125, 2, "0,13"}, {2.5, 0, "3"}};
    for (const auto& [value, decimals, expected] : cases)
        EXPECT_EQ(FormatNumero(value, decimals), QString::fromUtf8(expected)) << expected;
}

TEST(Int16Conversion, RangeAndRounding) {
    EXPECT_EQ(numbers::toInt16(32767.4), 32767);
    EXPECT_FALSE(numbers::toInt16(32767.5)); // rounds to 32768
    EXPECT_EQ(numbers::toInt16(-32768), -32768);
    EXPECT_FALSE(numbers::toInt16(std::nan("")));
    EXPECT_EQ(numbers::toInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(numbers::toInt32(2147483648.0));
}

} // namespace
