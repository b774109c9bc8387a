#pragma once

#include "Command.h"

// wipe: overwrites files several times, then deletes them.
class TWipeCommand : public TCommand
{
public:
    std::string Name() const override { return "wipe"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 1; }
    std::size_t MaxPositionals() const override { return std::numeric_limits<std::size_t>::max(); }
    int Run(const TArguments& args, TConsole& console) const override;
};
