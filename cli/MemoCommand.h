#pragma once

#include "Command.h"

// memo: prints the memo of a container, as stored or as plain text.
class TMemoCommand : public TCommand
{
public:
    std::string Name() const override { return "memo"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 1; }
    std::size_t MaxPositionals() const override { return 1; }
    int Run(const TArguments& args, TConsole& console) const override;
};
