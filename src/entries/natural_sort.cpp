// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries/natural_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

namespace vantor {

namespace {

bool IsDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

// Bytes of the character at `at` (a lone lead byte at the end counts one).
size_t CharacterLength(std::string_view text, size_t at) {
  const size_t width = CharWidthAt(text, at, text.size());
  return width == 0 ? 1 : width;
}

size_t DigitRunEnd(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

// Compares the digit runs [aFrom, aTo) and [bFrom, bTo) by value.
int CompareNumbers(std::string_view a, size_t aFrom, size_t aTo, std::string_view b, size_t bFrom, size_t bTo) {
  while (aFrom < aTo && a[aFrom] == '0') ++aFrom;
  while (bFrom < bTo && b[bFrom] == '0') ++bFrom;
  const size_t aDigits = aTo - aFrom;
  const size_t bDigits = bTo - bFrom;
  if (aDigits != bDigits) return aDigits < bDigits ? -1 : 1;
  return aDigits == 0 ? 0 : std::memcmp(a.data() + aFrom, b.data() + bFrom, aDigits);
}

int CompareBytes(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (order != 0) return order;
  return (a.size() > b.size()) - (a.size() < b.size());
}

// ---------------------------------------------------------------------------
// Sort keys. Comparing names run by run costs a parse of both names at every
// comparison, and a sort of n names makes some 20 n of them, each touching
// two strings scattered over the heap. Instead every name is turned once into
// a key whose plain byte order is the natural order up to its final
// tie-break, and the sort moves small fixed-size items (eight bytes of the
// key, where the key is, which name) and compares only their eight bytes:
// sorted by the first eight, then each run of items that agree on them by
// the next eight, and so on (a radix sort on eight-byte digits), so that no
// comparison reaches out into the heap.
//
// A key is the name's characters in turn, then a 0 byte:
// - a run of digits becomes '0', one byte of 1 + its significant digit count,
//   and the significant digits. Every digit compares the same against any
//   byte that is not a digit, so the '0' stands for the run there; against
//   another run the count, then the digits, give the order by value;
// - any other character is its own bytes. The single-byte characters are
//   never 0 and never digits, and the multi-byte ones (a lead byte and a
//   second byte outside the digits, or four bytes with digits second and
//   fourth) are never the start of one another, so equal key bytes always
//   stand for the same kind of piece in both names.
// Names whose characters do not fit this (a lone lead byte, a lead byte with
// a digit after it that makes no four-byte character, a 0 byte, a run of
// more than 254 significant digits) are sorted by CompareNaturally itself.
// Keys that are equal belong to names equal in natural order: those compare
// by their bytes, then by their place in the input (the sort is stable).

constexpr size_t kMaxDigits = 254;
// From this many names on, two threads share the work (when there are two
// cores): below it a thread costs more than it saves.
constexpr size_t kTwoThreadsFrom = 1 << 15;

struct SortItem {
  uint64_t head;    // the key's first eight bytes, big-endian, 0 beyond its end
  uint32_t key;     // where the key starts in its half's key store
  uint32_t name;    // index of the name in the input
};

// Appends the key of name to keys; false when name does not fit the key rule.
bool AppendKey(std::string_view name, std::string& keys) {
  size_t at = 0;
  while (at < name.size()) {
    const auto byte = static_cast<unsigned char>(name[at]);
    if (IsDigit(byte)) {
      size_t from = at;
      const size_t end = DigitRunEnd(name, at);
      while (from < end && name[from] == '0') ++from;
      if (end - from > kMaxDigits) return false;
      keys.push_back('0');
      keys.push_back(static_cast<char>(1 + end - from));
      keys.append(name.substr(from, end - from));
      at = end;
      continue;
    }
    if (byte == 0) return false;
    const size_t width = CharWidthAt(name, at, name.size());
    if (width == 0) return false;
    if (width == 2 && IsDigit(static_cast<unsigned char>(name[at + 1]))) return false;
    keys.append(name.substr(at, width));
    at += width;
  }
  keys.push_back('\0');
  return true;
}

uint64_t HeadOf(const char* key) {
  uint64_t head = 0;
  for (int i = 0; i < 8; ++i) {
    const auto byte = static_cast<unsigned char>(key[i]);
    head |= static_cast<uint64_t>(byte) << (56 - 8 * i);
    if (byte == 0) break;
  }
  return head;
}

// The keys of names[from, to) into keys, one item each; false when a name
// does not fit the key rule.
bool MakeItems(const TextArray& names, size_t from, size_t to, std::string& keys, SortItem* items) {
  size_t bytes = 0;
  for (size_t i = from; i < to; ++i) bytes += names[i].size() + 1;
  keys.reserve(bytes + bytes / 4 + 16);
  for (size_t i = from; i < to; ++i) {
    const size_t start = keys.size();
    if (!AppendKey(names[i], keys) || keys.size() > UINT32_MAX) return false;
    items[i - from] = {0, static_cast<uint32_t>(start), static_cast<uint32_t>(i)};
  }
  // The heads are read once the store no longer moves.
  for (size_t i = from; i < to; ++i) items[i - from].head = HeadOf(keys.data() + items[i - from].key);
  return true;
}

// Runs job on a thread of its own and waits for it; inline when no thread
// can be had. `here` runs on the calling thread meanwhile.
template <typename Job, typename Here>
void AlongsideThisThread(Job job, Here here) {
  std::thread other;
  try {
    other = std::thread(job);
  } catch (const std::system_error&) {
    job();
  }
  here();
  if (other.joinable()) other.join();
}

bool ByHead(const SortItem& a, const SortItem& b) { return a.head < b.head; }

// Sorts [first, last) by head alone, with two threads when told to and the
// range is large: each sorts one half, then both merge them at once, one
// from the front and one from the back (each placing half of the items),
// through scratch. Only the heads are compared, so the work stays within the
// items' own memory.
void SortByHead(SortItem* first, SortItem* last, bool twoThreads, SortItem* scratch) {
  const size_t count = static_cast<size_t>(last - first);
  if (!twoThreads || count < kTwoThreadsFrom) {
    std::sort(first, last, ByHead);
    return;
  }
  SortItem* middle = first + count / 2;
  AlongsideThisThread([&] { std::sort(middle, last, ByHead); }, [&] { std::sort(first, middle, ByHead); });
  const size_t front = count / 2;
  AlongsideThisThread(
      [&] {
        const SortItem* x = middle;
        const SortItem* y = last;
        for (size_t place = count; place-- > front;) {
          // From the back, equal heads come from the later half first.
          if (x == first || (y != middle && !ByHead(y[-1], x[-1]))) {
            scratch[place] = *--y;
          } else {
            scratch[place] = *--x;
          }
        }
      },
      [&] {
        const SortItem* x = first;
        const SortItem* y = middle;
        for (size_t place = 0; place < front; ++place) {
          if (y == last || (x != middle && !ByHead(*y, *x))) {
            scratch[place] = *x++;
          } else {
            scratch[place] = *y++;
          }
        }
      });
  std::copy(scratch, scratch + count, first);
}

// Where the keys are: items of names below split have theirs in low, the
// others in high.
struct KeyStores {
  size_t split;
  const char* low;
  const char* high;
  const char* KeyOf(const SortItem& item) const { return (item.name < split ? low : high) + item.key; }
};

// Sorts [first, last), whose keys agree on their first depth bytes and whose
// heads hold the next eight, into key order: by head, then every run of
// equal heads that goes on past them by its next eight bytes, and so on.
// Items whose whole keys agree (names equal in natural order) go by the
// names' bytes, then by input place.
void SortByKey(const TextArray& names, const KeyStores& keys, SortItem* first, SortItem* last, size_t depth,
               bool twoThreads, SortItem* scratch) {
  // One head for the whole range (a prefix all the names share) needs no sort.
  const bool allEqual = std::all_of(first, last, [first](const SortItem& item) { return item.head == first->head; });
  if (!allEqual) SortByHead(first, last, twoThreads, scratch);
  for (SortItem* run = first; run != last;) {
    SortItem* runEnd = run + 1;
    while (runEnd != last && runEnd->head == run->head) ++runEnd;
    if (runEnd - run > 1) {
      if ((run->head & 0xFF) == 0) {
        std::sort(run, runEnd, [&names](const SortItem& a, const SortItem& b) {
          const int order = CompareBytes(names[a.name], names[b.name]);
          return order != 0 ? order < 0 : a.name < b.name;
        });
      } else {
        const auto refill = [&keys, depth](SortItem* from, SortItem* to) {
          for (SortItem* item = from; item != to; ++item) item->head = HeadOf(keys.KeyOf(*item) + depth + 8);
        };
        SortItem* half = run + (runEnd - run) / 2;
        if (twoThreads && static_cast<size_t>(runEnd - run) >= kTwoThreadsFrom) {
          AlongsideThisThread([&] { refill(half, runEnd); }, [&] { refill(run, half); });
        } else {
          refill(run, runEnd);
        }
        SortByKey(names, keys, run, runEnd, depth + 8, twoThreads, scratch);
      }
    }
    run = runEnd;
  }
}

bool UseTwoThreads(size_t count) { return count >= kTwoThreadsFrom && std::thread::hardware_concurrency() >= 2; }

}  // namespace

int CompareNaturally(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[j]);
    if (IsDigit(x) && IsDigit(y)) {
      const size_t aEnd = DigitRunEnd(a, i);
      const size_t bEnd = DigitRunEnd(b, j);
      if (const int order = CompareNumbers(a, i, aEnd, b, j, bEnd); order != 0) return order;
      i = aEnd;
      j = bEnd;
      continue;
    }
    if (x < 0x80 || y < 0x80) {
      // A single-byte character on either side decides by its first byte.
      if (x != y) return x < y ? -1 : 1;
      ++i;
      ++j;
      continue;
    }
    const size_t aLength = CharacterLength(a, i);
    const size_t bLength = CharacterLength(b, j);
    if (const int order = CompareBytes(a.substr(i, aLength), b.substr(j, bLength)); order != 0) return order;
    i += aLength;
    j += bLength;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return CompareBytes(a, b);
}

namespace {

// The order by CompareNaturally itself, for names that do not fit the keys.
std::vector<uint32_t> OrderByComparison(const TextArray& names) {
  std::vector<uint32_t> order(names.size());
  for (size_t i = 0; i < names.size(); ++i) order[i] = static_cast<uint32_t>(i);
  std::stable_sort(order.begin(), order.end(),
                   [&names](uint32_t a, uint32_t b) { return CompareNaturally(names[a], names[b]) < 0; });
  return order;
}

}  // namespace

std::vector<uint32_t> NaturalOrder(const TextArray& names) {
  const size_t count = names.size();
  if (count < 2 || count > UINT32_MAX) return OrderByComparison(names);

  const bool twoThreads = UseTwoThreads(count);
  const size_t split = twoThreads ? count / 2 : count;
  std::vector<SortItem> items(count);
  std::string low;
  std::string high;
  bool lowFits = true;
  bool highFits = true;
  if (twoThreads) {
    AlongsideThisThread([&] { highFits = MakeItems(names, split, count, high, items.data() + split); },
                        [&] { lowFits = MakeItems(names, 0, split, low, items.data()); });
  } else {
    lowFits = MakeItems(names, 0, count, low, items.data());
  }

  if (!lowFits || !highFits) return OrderByComparison(names);

  std::vector<SortItem> scratch(twoThreads ? count : 0);
  SortByKey(names, KeyStores{split, low.data(), high.data()}, items.data(), items.data() + count, 0, twoThreads,
            scratch.data());
  std::vector<uint32_t> order(count);
  for (size_t i = 0; i < count; ++i) order[i] = items[i].name;
  return order;
}

int NaturalSort(TextArray& names) {
  if (names.size() < 2) return static_cast<int>(names.size());
  const std::vector<uint32_t> order = NaturalOrder(names);
  TextArray sorted;
  sorted.reserve(names.size());
  for (const uint32_t i : order) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
  return static_cast<int>(names.size());
}

}  // namespace vantor
