#pragma once

#include "PasswordEdit.h"

// Rates the field's text: the logarithm of the alphabet its characters come from times its
// length, where repeated characters count less and common English letters less than rare ones.
class TPasswordQual : public TPasswordEdit
{
public:
    using TPasswordEdit::TPasswordEdit;

    // The raw quality of the field's text.
    virtual double Quality() const;

    // ln(N) × S: N the size of the alphabet the bytes are taken from (lower case, upper case
    // after the first position, digits and other ASCII before the last, bytes from 0x80), S the
    // length with the k-th occurrence of a byte counting 1/k, spaces half and ASCII letters by
    // their rarity in English. 0 for no bytes.
    static double RawQualityOf(std::string_view bytes);
};
