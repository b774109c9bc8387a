#include "ui/password/PasswordMeter.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

// One occurrence of an ASCII letter, by the letter's frequency in English.
double LetterWeight(double frequency)
{
    return 0.5 / frequency + 0.5;
}

const double WeightA = LetterWeight(43.31);
const double WeightB = LetterWeight(10.56);
const double WeightX = LetterWeight(1.48);
const double LnLower = std::log(26.0);

double Raw(std::string_view bytes)
{
    return TPasswordQual::RawQualityOf(bytes);
}

} // namespace

TEST(PasswordCheckCodeTest, KnownCodesOfTheFieldsKey)
{
    // The code of the key the field's text makes. "Äpfel €-café" as Windows-1252 (C4 70 66 65 6C
    // 20 80 2D 63 61 66 E9): the sum of byte × position is 8897, modulo 4096 705 = 11 × 64 + 1 (its
    // UTF-8 bytes would give "N/"). Thirty thousand ÿ (0xFF): 255 × (1 + … + 30000) is far past 32
    // bits; modulo 4096 it is 2344 = 36 × 64 + 40.
    QLineEdit field;
    const TPasswordEdit edit(&field);
    for (const auto& [text, code] : {std::pair<QString, const char*>{QString(), ""},
                                     {QStringLiteral("\u00C4pfel \u20AC-caf\u00E9"), "LB"},
                                     {QString(30000, QChar(0xFF)), "jo"}}) {
        field.setText(text);
        EXPECT_EQ(edit.CheckCode().toStdString(), code) << text.size();
    }
}

TEST(PasswordQualityTest, RawQualityByAlphabetAndRepetition)
{
    EXPECT_NEAR(Raw("abc"), 5.149455, 1e-6);
    // A capital first, a digit or other character last and spaces set no class: N = 1, ln 1 = 0.
    // Repetition adds harmonic terms, only how often counts, not where; digits keep their full
    // weight, spaces half. All five classes: 26 + 26 + 10 + 31 + 20. Bytes from 0x80 by the code
    // page: À (0xC0) is a capital, š (0x9A) small; not being ASCII letters, each weighs
    // 1. × (0xD7) is no letter: inside the text it adds 20, not the 31 of other ASCII; € last counts.
    for (const char* text : {"", "A", "7", " ", "!", "   ", "Z9", "Z!"}) {
        EXPECT_EQ(Raw(text), 0.0) << text;
    }
    for (const auto& [text, quality] : {std::pair<const char*, double>{"a", LnLower * WeightA},
                                        {"aa", LnLower * 1.5 * WeightA},
                                        {"aaa", LnLower * (1 + 1.0 / 2 + 1.0 / 3) * WeightA},
                                        {"abab", Raw("aabb")},
                                        {"a99b", std::log(36.0) * (WeightA + 1.5 + WeightB)},
                                        {"a  b", LnLower * (WeightA + 0.75 + WeightB)},
                                        {"aB1!\xE9z", std::log(113.0) * (WeightA + WeightB + 3 + LetterWeight(1.39))},
                                        {"x\xC0", std::log(72.0) * (WeightX + 1)},
                                        {"X\x9A", std::log(46.0) * (WeightX + 1)},
                                        {"x\xD7y", std::log(46.0) * (WeightX + 1 + LetterWeight(9.06))},
                                        {"\x80", std::log(20.0)}}) {
        EXPECT_NEAR(Raw(text), quality, 1e-12) << text;
    }
}

TEST(PasswordMeterLevelTest, LinearUpToTheKneeThenApproachingOneOnABarOfAHundred)
{
    // 0.0243 a unit up to 0.9 at the knee, no step there; at 100 / 2.43 q = 100 - 10 / 11.
    const double knee = 90 / 2.43;
    for (const auto& [raw, level] :
         {std::pair{0.0, 0.0}, {10.0, 0.243}, {knee, 0.9}, {knee + 1e-9, 0.9}, {100 / 2.43, 1 - 0.1 / 11}}) {
        EXPECT_NEAR(TPasswordMeter::LevelOf(raw), level, 1e-9) << raw;
    }
    // The bar rounds halves to even and stays within its range.
    for (const auto& [level, position] :
         {std::pair{0.125132, 13}, {0.125, 12}, {0.375, 38}, {0.0, 0}, {2.0, 100}, {-0.5, 0}, {std::nan(""), 0}}) {
        EXPECT_EQ(TPasswordMeter::BarPosition(level), position) << level;
    }
}

TEST(PasswordMeterFieldTest, RatesTheBytesThatBecomeTheKeyAndAnOutlivedFieldAsEmpty)
{
    auto field = std::make_unique<QLineEdit>();
    field->setObjectName("passwordField");
    TPasswordMeter meter(field.get());
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    const TPasswordQual& rating = meter;
    const TPasswordQual raw(field.get());
    field->setText("abc");
    EXPECT_EQ(meter.CheckCode(), "JO");
    EXPECT_NEAR(raw.Quality(), 5.149455, 1e-6);
    EXPECT_NEAR(rating.Quality(), 0.125132, 1e-6); // the level, also through the base
    // é fits the code page: one byte 0xE9, not the two bytes of UTF-8 (which give "IV").
    field->setText(QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(raw.CheckCode(), "Dp");
    EXPECT_NEAR(raw.Quality(), std::log(46.0), 1e-12);
    // Ł does not fit: its UTF-8 bytes C5 81 are rated, and C5 reads as the capital Å.
    field->setText(QString::fromUtf8("a\xC5\x81"));
    EXPECT_NEAR(raw.Quality(), std::log(72.0) * (WeightA + 2), 1e-12);
    field.reset();
    EXPECT_EQ(meter.CheckCode(), QString());
    EXPECT_EQ(meter.Quality(), 0.0);
    meter.ShowPlain(true);
}
