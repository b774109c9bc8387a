#pragma once

#include <stdexcept>

// A sealed text failed its check (wrong key or damaged text). The cipher layer shows nothing: whoever
// unseals a text the user sees tells it in the user's language.
class ECryptoError : public std::runtime_error
{
public:
    ECryptoError() : std::runtime_error("the sealed text failed its check") {}
};
