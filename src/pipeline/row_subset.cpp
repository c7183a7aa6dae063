// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/row_subset.h"

#include "entries/listing.h"
#include "entries/messages.h"
#include "platform/code_page.h"

namespace vantor {

namespace {

QString QStringOfGbk(const ByteText& text) {
  const std::optional<std::string> utf8 = Utf8FromGbk(text);
  return utf8 ? QString::fromStdString(*utf8) : QString();
}

}  // namespace

NameFilter::NameFilter(const ByteText& text) {
  if (text.empty()) return;
  if (text.starts_with("re:")) {
    // "re:" alone, as it is typed on the way to an expression, hides nothing.
    if (text.size() == 3) return;
    kind_ = Kind::kExpression;
    expression_ = QRegularExpression(QStringOfGbk(text.substr(3)), QRegularExpression::CaseInsensitiveOption |
                                                                         QRegularExpression::UseUnicodePropertiesOption);
    if (!expression_.isValid()) {
      error_ = expression_.errorString().toStdString() + " (" +
               std::to_string(expression_.patternErrorOffset() + 1) + ")";
      kind_ = Kind::kAll;
    }
    return;
  }
  kind_ = Kind::kWildcard;
  const bool hasWildcard = text.find_first_of("*?") != ByteText::npos;
  wildcard_ = hasWildcard ? text : "*" + text + "*";
}

bool NameFilter::Matches(const ByteText& name) const {
  switch (kind_) {
    case Kind::kAll:
      return true;
    case Kind::kWildcard:
      return MatchesWildcard(name, wildcard_);
    case Kind::kExpression:
      return expression_.match(QStringOfGbk(name)).hasMatch();
  }
  return true;
}

int RowSubset::Count(int rowCount) const {
  if (in.empty()) return rowCount;
  int count = 0;
  for (char taken : in) count += taken != 0 ? 1 : 0;
  return count;
}

RowSubset MakeRowSubset(const EntryList& list, const NameFilter& filter, bool onlySelected,
                        const std::vector<int>& selectedRows) {
  RowSubset subset;
  const int rows = list.RowCount();
  if (!filter.Active() && !onlySelected) return subset;
  subset.in.assign(static_cast<size_t>(rows), 1);
  if (filter.Active()) {
    subset.shown = 0;
    for (int row = 0; row < rows; ++row) {
      const bool shown = filter.Matches(list.Cell(row, 0));
      subset.in[static_cast<size_t>(row)] = shown ? 1 : 0;
      subset.shown += shown ? 1 : 0;
    }
  }
  if (onlySelected) {
    subset.onlySelected = true;
    std::vector<char> selected(static_cast<size_t>(rows), 0);
    for (int row : selectedRows) {
      if (row >= 0 && row < rows) selected[static_cast<size_t>(row)] = 1;
    }
    bool any = false;
    for (size_t row = 0; row < selected.size(); ++row) {
      subset.in[row] = subset.in[row] != 0 && selected[row] != 0 ? 1 : 0;
      any |= subset.in[row] != 0;
    }
    subset.noneChosen = !any && rows > 0;
  }
  return subset;
}

bool RefuseNoRowChosen(const RowSubset* rows, Prompter& prompter) {
  if (rows == nullptr || !rows->noneChosen) return false;
  prompter.Inform(Gbk("请先选中要改的行"), messages::TitleReminder(), MessageIcon::kInformation);
  return true;
}

}  // namespace vantor
