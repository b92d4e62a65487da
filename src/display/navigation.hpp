#pragma once
// Moving through the readings and editing them from the grid: the current reading
// (DataIndex) in the current row (CurrentRow), Up, Down, Delete and Insert in the depth
// column, and a value typed into a channel cell. Each works on the model alone and says
// what the window has to do afterwards.

#include <optional>
#include <string>
#include <string_view>

#include "sounding/sounding.hpp"
#include "text/outcome.hpp"

namespace pelorin {

// Virtual-key codes of the keys the depth column acts on.
enum VirtualKey : int { KeyUp = 38, KeyDown = 40, KeyInsert = 45, KeyDelete = 46 };

// What the grid needs after a key: nothing, the row selection of `row` (the highlight
// moves, no cell text changes), or a RefreshGrid.
struct GridStep {
  enum Kind { Nothing, SelectRow, Refresh } kind = Nothing;
  int row = 0;
};

// The row the row selection settles on for a requested row: never above the first
// complete reading (MaxLag + 1) and never below the grid's last row.
int selectableRow(const Sounding& s, int row);

// The row selection: makes `row` (as selectableRow gives it) the current row and returns
// it. DataIndex is the caller's business.
int selectRow(Sounding& s, int row);

// Down: the next reading becomes current, while there is one.
GridStep moveDown(Sounding& s);
// Up: the previous reading becomes current, down to the first complete one (MaxLag + 1).
GridStep moveUp(Sounding& s);

// Delete: removes the current reading's speed and channel values (each channel at its lag);
// later values move up one place, the depths stay where they are and the last one falls
// away. Ignored when the current reading is no reading, or with 10,000 readings.
GridStep deleteCurrentReading(Sounding& s);

// Insert: opens a place before the current reading by repeating the values of the reading
// two above it; depths from the reading above on are continued in steps of DepthIncrement,
// and lagging channels get the no-value marker at the new last reading. Ignored when the
// current reading is one of the first MaxLag + 1, or with 10,000 readings.
GridStep insertReading(Sounding& s);

// One key in the depth column; any other key changes nothing.
GridStep depthKey(Sounding& s, int keyCode);

// A key in a channel cell of grid row `row`, whose text before the key is `text`: the value
// it stores, the text's numeric prefix, for the reading in that row. Nothing when the row
// lies past reading 10,000 or the number does not fit a float.
struct TypedValue {
  int reading;
  float value;
};
std::optional<TypedValue> typedChannelValue(const Sounding& s, int row, std::string_view text);

// Makes reading n current by pressing Up or Down as often as needed, the row moving as it
// would in the grid. Refused, saying which readings they reach, when Up and Down cannot
// reach n.
Outcome goToReading(Sounding& s, int n);

}  // namespace pelorin
