#pragma once

#include "Command.h"

// delete: drops entries from a container's catalog (compact removes their bytes).
class TDeleteCommand : public TCommand
{
public:
    std::string Name() const override { return "delete"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 2; }
    std::size_t MaxPositionals() const override { return std::numeric_limits<std::size_t>::max(); }
    int Run(const TArguments& args, TConsole& console) const override;
};
