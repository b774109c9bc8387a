#include "TextTable.h"

#include "TextFormat.h"

#include <algorithm>

TTextTable::TTextTable(std::vector<std::string> header) : FRight(header.size(), false)
{
    FRows.push_back(std::move(header));
}

void TTextTable::AlignRight(std::size_t column)
{
    FRight.at(column) = true;
}

void TTextTable::AddRow(std::vector<std::string> row)
{
    row.resize(FRight.size());
    FRows.push_back(std::move(row));
}

void TTextTable::Print(std::ostream& out) const
{
    std::vector<std::size_t> widths(FRight.size(), 0);
    for (const auto& row : FRows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], DisplayWidth(row[column]));
        }
    }
    for (const auto& row : FRows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::string& cell = row[column];
            const std::string padding(widths[column] - DisplayWidth(cell), ' ');
            const bool last = column + 1 == row.size();
            if (column > 0) {
                line += "  ";
            }
            if (FRight[column]) {
                line += padding + cell;
            } else {
                line += cell;
                if (!last) {
                    line += padding;
                }
            }
        }
        out << line << '\n';
    }
}
