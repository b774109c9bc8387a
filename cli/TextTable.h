#pragma once

#include <ostream>
#include <string>
#include <vector>

// Rows of text printed in lined-up columns, two spaces apart; the last column is not padded.
class TTextTable
{
public:
    explicit TTextTable(std::vector<std::string> header);
    // Columns whose cells are aligned to the right (numbers).
    void AlignRight(std::size_t column);
    void AddRow(std::vector<std::string> row);
    void Print(std::ostream& out) const;

private:
    std::vector<std::vector<std::string>> FRows;
    std::vector<bool> FRight;
};
