#pragma once

#include "Command.h"

// set-memo: replaces the memo of a container.
class TSetMemoCommand : public TCommand
{
public:
    std::string Name() const override { return "set-memo"; }
    std::string Summary() const override;
    std::string Synopsis() const override;
    std::string Details() const override;
    std::vector<TOption> Options() const override;

protected:
    std::size_t MinPositionals() const override { return 1; }
    std::size_t MaxPositionals() const override { return 2; }
    int Run(const TArguments& args, TConsole& console) const override;
};
