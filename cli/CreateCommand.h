#pragma once

#include "Command.h"

// create: writes a new container from files, folders and a memo, under a temporary name that
// becomes the final one only when the container is complete.
class TCreateCommand : public TCommand
{
public:
    std::string Name() const override { return "create"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 1; }
    std::size_t MaxPositionals() const override { return std::numeric_limits<std::size_t>::max(); }
    int Run(const TArguments& args, TConsole& console) const override;
};
