#include "multilang/MemoryEditingTable.h"

#include <algorithm>

#include "foundation/Errors.h"
#include "foundation/StringList.h"

MemoryEditingTable::MemoryEditingTable(int columns, int rows) : columns_(std::max(columns, 0)) {
  SetRowCount(rows);
}

void MemoryEditingTable::Check(int col, int row) const {
  if (row < 0 || row >= RowCount()) ListIndexError(row);
  if (col < 0 || col >= columns_) ListIndexError(col);
}

std::string MemoryEditingTable::Cell(int col, int row) const {
  Check(col, row);
  return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void MemoryEditingTable::SetCell(int col, int row, const std::string& text) {
  Check(col, row);
  rows_[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
}

void MemoryEditingTable::SetRowCount(int count) {
  rows_.resize(static_cast<size_t>(std::max(count, 0)),
               std::vector<std::string>(static_cast<size_t>(columns_)));
}

void MemoryEditingTable::AppendWords(TStrings& words, int languages) const {
  words.BeginUpdate();
  for (const auto& row : rows_) {
    if (row.empty() || row[0].empty()) continue;
    words.Add(row[0]);
    for (int k = 0; k < languages; ++k)
      words.Add(static_cast<size_t>(k) + 1 < row.size() ? row[static_cast<size_t>(k) + 1] : std::string());
  }
  words.EndUpdate();
}
