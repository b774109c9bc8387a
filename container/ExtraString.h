#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a record made with Fill takes from outside the core: the program's settings and its
// version. The application sets a provider at start; without one, Fill leaves these empty.
class TExtraProvider
{
public:
    virtual ~TExtraProvider() = default;
    virtual std::string LastUsedMailAddress() const = 0;
    // The four numbers of the program's file version and its version text.
    virtual std::array<std::int32_t, 4> VersionNumbers() const = 0;
    virtual std::string VersionText() const = 0;
};

// The record every container carries as its extra text: sixteen positional fields, each followed
// by the separator character 127. It tells the receiving program which version made the
// container and carries the mail address an answer goes to. Reserved fields are kept as read.
class TExtraString
{
public:
    static constexpr char Separator = '\x7F';
    static constexpr int FieldCount = 16;
    static constexpr const char* CurrentFormat = "8";

    // Fields by index.
    enum : int
    {
        RecordFormat = 0,
        Flags = 1,
        SenderAddress = 5,
        Version1 = 10,
        Version2 = 11,
        Version3 = 12,
        Version4 = 13,
        VersionText = 14,
        Reserved2 = 15
    };

    // Empty texts and zero numbers; with fill, the format, the sender address and the version
    // as the provider gives them.
    explicit TExtraString(bool fill = false);

    // Every field followed by the separator: always exactly sixteen separators. The fields are
    // UTF-8; the record as a whole is stored as Windows-1252 when every character can be, else
    // as UTF-8 (see ToStoredText).
    std::string Serialize() const;
    // Assigns the pieces ended by a separator to the fields in order; text after the last
    // separator is ignored, missing trailing fields keep their values, and a numeric piece that
    // is not a decimal number quietly ends the parse there. The stored record is decoded first
    // (see FromStoredText).
    void Parse(std::string_view text);

    const std::string& Field(int index) const { return FFields[static_cast<std::size_t>(index)]; }
    void SetField(int index, std::string value) { FFields[static_cast<std::size_t>(index)] = std::move(value); }
    std::int32_t Number(int index) const;
    void SetNumber(int index, std::int32_t value);

    // Whether the field holds a number (flags, the version numbers, the second reserved number).
    static bool IsNumeric(int index);

    bool operator==(const TExtraString& other) const = default;

    static void SetProvider(const TExtraProvider* provider);

private:
    std::array<std::string, FieldCount> FFields;
};

// The splitting and joining of the record, also used for lists kept in the settings: each item
// followed by the separator; text after the last separator is ignored.
std::vector<std::string> SplitSeparated(std::string_view text);
std::string JoinSeparated(const std::vector<std::string>& items);
