#pragma once

#include "Command.h"

// add: stores more files and folders in an existing container: all of them, or none when one
// cannot be stored.
class TAddCommand : public TCommand
{
public:
    std::string Name() const override { return "add"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 2; }
    std::size_t MaxPositionals() const override { return std::numeric_limits<std::size_t>::max(); }
    int Run(const TArguments& args, TConsole& console) const override;
};
