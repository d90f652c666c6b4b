// A grid of text cells that a caller keeps a window's texts in, one row per translation record:
// column 0 holds the record's key, column k + 1 its text for language k.
#pragma once

#include <string>

class EditingTable {
 public:
  virtual ~EditingTable() = default;

  // Cells are addressed as (column, row), both counted from 0.
  virtual std::string Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, const std::string& text) = 0;
  virtual int RowCount() const = 0;
  virtual void SetRowCount(int count) = 0;
  virtual int ColCount() const = 0;
};
