#include "entries/natural_sort.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/code_page.h"

namespace vantor {

namespace {

constexpr int kDigitWindow = 7;    // a number must start within the first 7 bytes
constexpr size_t kWideList = 100;  // from this many names on, numbers pad to 3 digits

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

// The padded key of name, or an empty key when the name sorts as it is.
ByteText PaddedKey(const ByteText& name, size_t listSize, const ByteText& oneZeroMarker,
                   const ByteText& twoZerosMarker) {
  // Characters are stepped over whole: the digit bytes inside a four-byte
  // character are no number (no GBK trail byte is a digit).
  const size_t window = std::min<size_t>(kDigitWindow, name.size());
  size_t first = 0;
  while (first < window && !IsDigit(name[first])) {
    const size_t width = CharWidthAt(name, first);
    if (width == 0) return {};
    first += width;
  }
  if (first >= window) return {};

  int digits = 1;
  if (first + 1 < name.size() && IsDigit(name[first + 1])) {
    digits = (first + 2 < name.size() && IsDigit(name[first + 2])) ? 3 : 2;
  }
  int zeros = 0;
  if (listSize < kWideList) {
    zeros = digits == 1 ? 1 : 0;
  } else {
    zeros = digits == 1 ? 2 : (digits == 2 ? 1 : 0);
  }
  if (zeros == 0) return {};

  const ByteText& marker = zeros == 1 ? oneZeroMarker : twoZerosMarker;
  ByteText key;
  key.reserve(name.size() + zeros + marker.size());
  key.append(name, 0, first);
  key.append(static_cast<size_t>(zeros), '0');
  key.append(name, first);
  key.append(marker);
  return key;
}

// Unsigned byte order, a prefix before the longer text.
int CompareKeys(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (order != 0) return order;
  return (a.size() > b.size()) - (a.size() < b.size());
}

}  // namespace

int NaturalSort(TextArray& names) {
  const size_t count = names.size();
  if (count < 2) return static_cast<int>(count);

  const ByteText oneZeroMarker = Gbk("加1个蛋蛋");
  const ByteText twoZerosMarker = Gbk("加2个蛋蛋");

  // Padded keys live in their own array; the others are the names themselves.
  std::vector<ByteText> padded(count);
  std::vector<std::pair<std::string_view, uint32_t>> keys(count);
  for (size_t i = 0; i < count; ++i) {
    padded[i] = PaddedKey(names[i], count, oneZeroMarker, twoZerosMarker);
    keys[i] = {padded[i].empty() ? std::string_view(names[i]) : std::string_view(padded[i]),
               static_cast<uint32_t>(i)};
  }
  std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
    const int order = CompareKeys(a.first, b.first);
    return order != 0 ? order < 0 : a.second < b.second;
  });

  TextArray sorted;
  sorted.reserve(count);
  for (const auto& key : keys) sorted.push_back(std::move(names[key.second]));
  names = std::move(sorted);
  return static_cast<int>(count);
}

}  // namespace vantor
