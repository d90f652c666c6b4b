// An editing table kept in memory: a grid of text cells whose rows can be turned into the lines
// of a translation table.
#pragma once

#include <string>
#include <vector>

#include "multilang/EditingTable.h"

class TStrings;

class MemoryEditingTable : public EditingTable {
 public:
  // `columns` is fixed: the key column and one column per language.
  explicit MemoryEditingTable(int columns, int rows = 1);

  // Outside the table: "List index out of bounds (%d)" naming the row, or the column when the
  // row exists.
  std::string Cell(int col, int row) const override;
  void SetCell(int col, int row, const std::string& text) override;
  int RowCount() const override { return rows_; }
  // New rows are empty; a negative count empties the table.
  void SetRowCount(int count) override;
  int ColCount() const override { return columns_; }

  // Appends one record per row that has a key: the key, then the texts of languages 0 to
  // `languages` - 1 (empty where the table has no such column). Rows without a key are not
  // records (the empty row an editor keeps at the end is one).
  void AppendWords(TStrings& words, int languages) const;

 private:
  // The index of a cell in `cells_`, after checking it lies inside the table.
  size_t At(int col, int row) const;
  int columns_;
  int rows_ = 0;
  std::vector<std::string> cells_;  // row by row; growing by a row allocates nothing per cell
};
