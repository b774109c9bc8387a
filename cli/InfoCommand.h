#pragma once

#include "Command.h"

// info: shows the state of a container and its extra record.
class TInfoCommand : public TCommand
{
public:
    std::string Name() const override { return "info"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 1; }
    std::size_t MaxPositionals() const override { return 1; }
    int Run(const TArguments& args, TConsole& console) const override;
};
