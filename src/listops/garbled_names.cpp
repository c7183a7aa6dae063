// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/garbled_names.h"

#include "pipeline/apply_batch.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <vector>

#include <algorithm>

#include "entries/messages.h"
#include "pipeline/rename_batch.h"
#include "pipeline/reports.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

const char* CharsetOf(GarbledEncoding encoding) {
  switch (encoding) {
    case GarbledEncoding::kGb18030: return "GB18030";
    case GarbledEncoding::kBig5: return "CP950";
    case GarbledEncoding::kShiftJis: return "CP932";
    case GarbledEncoding::kEucKr: return "CP949";
  }
  return "GB18030";
}

// Converts all of input strictly (nothing invalid, incomplete or replaced).
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == kNoDescriptor) return std::nullopt;
  std::string out(input.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char* put = out.data();
  size_t outLeft = out.size();
  const size_t result = iconv(cd, &in, &inLeft, &put, &outLeft);
  const bool flushed = iconv(cd, nullptr, nullptr, &put, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (result != 0 || inLeft != 0 || !flushed) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

bool IsUtf8(std::string_view text) { return GbkFromUtf8(text).has_value(); }

// True when the bytes hold no NUL, no control character and no separator.
bool PlainBytes(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || byte == '/') return false;
  }
  return true;
}

// Walks the double-byte characters of bytes in the code page; false when a
// byte sequence is not one of its characters as this reads them. common tells
// whether every double-byte character is a common one; count how many there
// are.
struct DoubleBytes {
  bool valid = true;
  bool common = true;
  int count = 0;
};
DoubleBytes ScanDoubleBytes(std::string_view bytes, GarbledEncoding encoding) {
  DoubleBytes scan;
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const bool isLead = encoding == GarbledEncoding::kShiftJis ? (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)
                                                              : lead >= 0x81 && lead <= 0xFE;
    if (!isLead || i + 1 >= bytes.size()) {
      // A single high byte (half-width katakana, a stray byte): not common.
      scan.common = false;
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    bool common = false;
    switch (encoding) {
      case GarbledEncoding::kGb18030:  // GB2312 hanzi: rows B0-F7, columns A1-FE
        common = lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
        break;
      case GarbledEncoding::kBig5:  // frequent hanzi: A440-C67E
        common = lead >= 0xA4 && lead <= 0xC6 && ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE)) &&
                 !(lead == 0xC6 && trail > 0x7E);
        break;
      case GarbledEncoding::kShiftJis:  // hiragana, katakana, JIS level 1 kanji
        common = (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) || (lead == 0x83 && trail >= 0x40 && trail <= 0x96) ||
                 (lead >= 0x88 && lead <= 0x98 && trail >= 0x40 && trail <= 0xFC && !(lead == 0x88 && trail < 0x9F));
        break;
      case GarbledEncoding::kEucKr:  // Hangul syllables: B0A1-C8FE
        common = lead >= 0xB0 && lead <= 0xC8 && trail >= 0xA1 && trail <= 0xFE;
        break;
    }
    scan.common = scan.common && common;
    ++scan.count;
    i += 2;
  }
  return scan;
}

// The bytes of a UTF-8 text in a one-byte code page, when every character is
// ASCII or one of the page's.
std::optional<std::string> BytesInCodePage(std::string_view utf8, const char* codePage) {
  std::optional<std::string> bytes = Convert(codePage, "UTF-8", utf8);
  if (!bytes || bytes->size() == utf8.size()) return std::nullopt;  // all ASCII: nothing garbled
  return bytes;
}

}  // namespace

std::optional<std::string> RepairedName(std::string_view native, GarbledEncoding encoding) {
  if (native.empty() || !PlainBytes(native)) return std::nullopt;
  const char* charset = CharsetOf(encoding);
  if (!IsUtf8(native)) {
    const DoubleBytes scan = ScanDoubleBytes(native, encoding);
    if (scan.count == 0) return std::nullopt;
    std::optional<std::string> repaired = Convert("UTF-8", charset, native);
    if (!repaired || !PlainBytes(*repaired)) return std::nullopt;
    return repaired;
  }
  for (const char* codePage : {"CP1252", "ISO-8859-1", "CP437"}) {
    const std::optional<std::string> bytes = BytesInCodePage(native, codePage);
    if (!bytes || !PlainBytes(*bytes)) continue;
    const DoubleBytes scan = ScanDoubleBytes(*bytes, encoding);
    if (scan.count == 0 || !scan.common) continue;
    std::optional<std::string> repaired = Convert("UTF-8", charset, *bytes);
    if (repaired && PlainBytes(*repaired) && *repaired != native) return repaired;
  }
  return std::nullopt;
}

std::vector<GarbledEntry> FindGarbledEntries(const ByteText& directory, GarbledEncoding encoding) {
  FolderNames found = ReadFolderNames(directory, EntryKind::kAll);
  std::vector<std::pair<std::string, ByteText>> candidates;  // native name, engine name
  for (std::string& native : found.unconvertible) {
    ByteText name = RawNativeName(native);
    candidates.emplace_back(std::move(native), std::move(name));
  }
  for (ByteText& name : found.names) {
    std::optional<std::string> native = Utf8FromGbk(name);
    if (native && !IsAsciiText(*native)) candidates.emplace_back(std::move(*native), std::move(name));
  }
  std::sort(candidates.begin(), candidates.end());
  std::vector<GarbledEntry> garbled;
  for (auto& [native, name] : candidates) {
    const std::optional<std::string> repaired = RepairedName(native, encoding);
    if (!repaired) continue;
    std::optional<ByteText> repairedText = GbkFromUtf8(*repaired);
    const std::optional<std::string> shown = Utf8FromGbk(GbkShowingBadBytes(native));
    if (!repairedText || !shown) continue;
    garbled.push_back({std::move(name), *shown, std::move(*repairedText)});
  }
  return garbled;
}

int RepairGarbledNames(EntryList& list, Prompter& prompter, const std::vector<GarbledEntry>& chosen,
                       const IntakeSettings& settings) {
  std::vector<PlannedRename> plan;
  plan.reserve(chosen.size());
  for (size_t i = 0; i < chosen.size(); ++i) plan.push_back({static_cast<int>(i), chosen[i].name, chosen[i].repaired});
  // The rows are read again afterwards, so the step writes none; the history
  // record is what "撤回上一步" takes back.
  const BatchOutcome outcome = ApplyBatch(list.EntryDirectory(), std::move(plan), Gbk("修复乱码"), {}).outcome;
  if (ReportBatchNotStarted(prompter, outcome)) return 0;

  list.Clear();
  LoadFolderEntries(list, settings);
  ByteText text = Gbk("已修复") + ToText(outcome.renamed) + Gbk("个文件名");
  if (outcome.failed > 0) text += Gbk("，") + ToText(outcome.failed) + Gbk("个失败");
  prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
  ReportFailedRenames(prompter, outcome.failed);
  return outcome.failed;
}

std::optional<LeftOutNames> RereadIfRawNamesListed(EntryList& list, const IntakeSettings& settings) {
  bool raw = false;
  for (int row = 0; row < list.RowCount() && !raw; ++row) raw = IsRawNativeName(list.Cell(row, 0));
  if (!raw) return std::nullopt;
  list.Clear();
  return LoadFolderEntries(list, settings);
}

}  // namespace vantor
