#pragma once

#include "Command.h"

// extract: writes entries of a container out below a folder.
class TExtractCommand : public TCommand
{
public:
    std::string Name() const override { return "extract"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 1; }
    std::size_t MaxPositionals() const override { return std::numeric_limits<std::size_t>::max(); }
    int Run(const TArguments& args, TConsole& console) const override;
};
