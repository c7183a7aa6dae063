// SPDX-License-Identifier: GPL-3.0-or-later
// The rows a run works on. The filter box hides the rows whose names do not
// match it, and the check box "only the selected rows" narrows the shown rows
// to the selected ones; every operation (preview, steps, direct runs), the
// commit, delete and save then leave the other rows alone.
#pragma once

#include <QRegularExpression>
#include <string>
#include <vector>

#include "entries/entry_list.h"
#include "platform/prompter.h"

namespace vantor {

// The filter box's text compiled once: wildcards ("*" any run, "?" one
// character) on the whole name, or, after "re:", a regular expression found
// anywhere in the name; both without regard to letter case. A text without
// wildcards is found anywhere in the name. An empty text, "re:" alone and an
// invalid expression match every name.
// NameFilter("*.srt").Matches("E01.SRT") == true; NameFilter("re:^e\\d+").Matches("e12.mkv") == true.
class NameFilter {
 public:
  NameFilter() = default;
  explicit NameFilter(const ByteText& text);

  bool Active() const { return kind_ != Kind::kAll; }
  bool Valid() const { return error_.empty(); }
  // The expression's error as the regular-expression engine words it, with
  // its 1-based position; empty for a valid filter.
  const std::string& Error() const { return error_; }
  bool Matches(const ByteText& name) const;

 private:
  enum class Kind { kAll, kWildcard, kExpression };
  Kind kind_ = Kind::kAll;
  ByteText wildcard_;
  QRegularExpression expression_;
  std::string error_;
};

// The rows of a list a run takes: every row when `in` is empty, else the rows
// whose entry is 1. noneChosen: only the selected rows were asked for and no
// shown row is selected, which refuses every run.
struct RowSubset {
  std::vector<char> in;
  bool onlySelected = false;
  bool noneChosen = false;
  int shown = -1;  // rows the filter shows; -1: no filter

  bool Contains(int row) const {
    return in.empty() || (row >= 0 && static_cast<size_t>(row) < in.size() && in[static_cast<size_t>(row)] != 0);
  }
  // Rows taken, for the status line.
  int Count(int rowCount) const;
};

// The subset of list's rows for the filter and, with onlySelected, the
// selected rows (0-based, any order). The selected rows the filter hides are
// not taken.
// MakeRowSubset(list of a.srt b.mkv, NameFilter("*.srt"), false, {}).in == {1, 0}.
RowSubset MakeRowSubset(const EntryList& list, const NameFilter& filter, bool onlySelected,
                        const std::vector<int>& selectedRows);

// True, after "请先选中要改的行" (提醒：), when the subset asks for the selected
// rows and none is selected: the run then does nothing. Nothing is told for
// a null subset.
bool RefuseNoRowChosen(const RowSubset* rows, Prompter& prompter);

}  // namespace vantor
