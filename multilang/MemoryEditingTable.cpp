#include "multilang/MemoryEditingTable.h"

#include <algorithm>

#include "foundation/Errors.h"
#include "foundation/StringList.h"

MemoryEditingTable::MemoryEditingTable(int columns, int rows) : columns_(std::max(columns, 0)) {
  SetRowCount(rows);
}

size_t MemoryEditingTable::At(int col, int row) const {
  if (row < 0 || row >= rows_) ListIndexError(row);
  if (col < 0 || col >= columns_) ListIndexError(col);
  return static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(col);
}

std::string MemoryEditingTable::Cell(int col, int row) const {
  return cells_[At(col, row)];
}

void MemoryEditingTable::SetCell(int col, int row, const std::string& text) {
  cells_[At(col, row)] = text;
}

void MemoryEditingTable::SetRowCount(int count) {
  rows_ = std::max(count, 0);
  cells_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(columns_));
}

void MemoryEditingTable::AppendWords(TStrings& words, int languages) const {
  words.BeginUpdate();
  for (int row = 0; row < rows_; ++row) {
    const size_t first = static_cast<size_t>(row) * static_cast<size_t>(columns_);
    if (columns_ == 0 || cells_[first].empty()) continue;
    words.Add(cells_[first]);
    for (int k = 0; k < languages; ++k)
      words.Add(k + 1 < columns_ ? cells_[first + static_cast<size_t>(k) + 1] : std::string());
  }
  words.EndUpdate();
}
