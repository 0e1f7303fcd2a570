// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.h"
#include "common/regionalsettings.h"

#include <gtest/gtest.h>

namespace {

// Thousands points anywhere are ignored: "1.2345,5" and "1.5".
TEST(ValoreNumerico, ReadsItalianNumbersAndNeverFails) {
    const std::pair<const char*, double> texts[] = {
        {"", 0},    {"1.234,500", 1234.5}, {" 12,5 ", 12.5}, {"-2,500", -2.5},      {"0,000", 0},
        {"abc", 0}, {"12abc", 0},          {"1,2,3", 0},     {"1.2345,5", 12345.5}, {"1.5", 15}};
    for (const auto& [text, expected] : texts)
        EXPECT_DOUBLE_EQ(ValoreNumerico(QString::fromUtf8(text)), expected) << text;
}

TEST(ValoreNumerico, NullAndNumericValues) {
    EXPECT_EQ(ValoreNumerico(QVariant()), 0.0);
    EXPECT_EQ(ValoreNumerico(QVariant(QMetaType::fromType<QString>())), 0.0);
    EXPECT_EQ(ValoreNumerico(42), 42.0);
    EXPECT_EQ(ValoreNumerico(2.75), 2.75);
    EXPECT_EQ(ValoreNumerico(true), -1.0); // the database engine's True
}

// Out of 16 bits ("40000") or no number ("12abc"): the leading number, unrounded.
TEST(ValoreIntero, RoundsHalvesToEvenOrFallsBackToLeadingNumber) {
    const std::pair<const char*, float> texts[] = {
        {"", 0},       {"8,25", 8},     {"8,5", 8},       {"9,5", 10},
        {"-2,5", -2},  {"10,51", 11},   {"32767", 32767}, {"40000", 40000},
        {"12abc", 12}, {"8.7pt", 8.7f}, {"abc", 0},       {"  -3 kg", -3}};
    for (const auto& [text, expected] : texts)
        EXPECT_FLOAT_EQ(ValoreIntero(QString::fromUtf8(text)), expected) << text;
    EXPECT_EQ(ValoreIntero(QVariant()), 0.0f);
}

TEST(LeadingNumber, ReadsLikeTheClassicValFunction) {
    using numbers::leadingNumber;
    EXPECT_DOUBLE_EQ(leadingNumber(u"  -12.5kg"), -12.5);
    EXPECT_DOUBLE_EQ(leadingNumber(u"1 2 3"), 123); // blanks are skipped anywhere
    EXPECT_DOUBLE_EQ(leadingNumber(u"8,25"), 8);    // a comma ends the number
    EXPECT_DOUBLE_EQ(leadingNumber(u"1.5e3x"), 1500);
    EXPECT_DOUBLE_EQ(leadingNumber(u"12e"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber(u"True"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u"-"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u"1e999"), 0); // no infinity
}

TEST(FormatNumero, GroupsAndRoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatNumero(1234.5, 3), u"1.234,500");
    EXPECT_EQ(FormatNumero(2, 3), u"2,000");
    EXPECT_EQ(FormatNumero(0, 3), u"0,000");
    EXPECT_EQ(FormatNumero(-0.0001, 3), u"0,000");
    EXPECT_EQ(FormatNumero(-2.5, 3), u"-2,500");
    EXPECT_EQ(FormatNumero(1234567, 0), u"1.234.567");
    EXPECT_EQ(FormatNumero(0.125, 2), u"0,13");
    EXPECT_EQ(FormatNumero(2.5, 0), u"3");
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
