#pragma once

#include <stdexcept>
#include <string>

// Every failure of a container, with a text of the message table in the language current when
// it was raised.
class EContainerError : public std::runtime_error
{
public:
    explicit EContainerError(const std::string& message) : std::runtime_error(message) {}
};

// The password does not open the container.
class EPasswordError : public EContainerError
{
public:
    explicit EPasswordError(const std::string& message) : EContainerError(message) {}
};

// The user cancelled a long copy through its progress callback; what the copy had begun is undone.
class ECancelled : public EContainerError
{
public:
    explicit ECancelled(const std::string& message) : EContainerError(message) {}
};

#include "language/FormatText.h"
#include "language/Message.h"

// Raises EContainerError with the message in the current language, its placeholders filled.
[[noreturn]] void ThrowContainerError(const TMessage& message, std::initializer_list<TFormatArg> args = {});
// Raises ECancelled ("Cancelled. Nothing was changed.").
[[noreturn]] void ThrowCancelled();
