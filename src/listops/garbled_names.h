// SPDX-License-Identifier: GPL-3.0-or-later
// Names garbled on the way from another system: raw bytes of a Chinese (or
// Japanese, Korean) code page that are not UTF-8, or such bytes shown as
// Latin-1 (CP1252) or CP437 characters by an archive tool and stored as
// UTF-8. This finds the name such a name was meant to be.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "platform/prompter.h"
#include "text/byte_text.h"

namespace vantor {

// The code page a garbled name was written in: the items of 组合框_乱码原编码,
// in order.
enum class GarbledEncoding { kGb18030, kBig5, kShiftJis, kEucKr };

// The UTF-8 name a native name was meant to be, or nullopt when it is not
// garbled or not in that code page:
// - a name that is not UTF-8 but is valid in the code page, with at least one
//   double-byte character: its characters (GarbledEncoding::kGb18030 reads GBK
//   and GB18030);
// - a UTF-8 name made only of ASCII and the characters of Latin-1/CP1252, or
//   only of ASCII and those of CP437, whose bytes in that code page are valid
//   in the chosen one, where every double-byte character is a common one
//   (GBK: the hanzi rows of GB2312; Big5: the frequent hanzi; Shift_JIS: kana
//   and the kanji of JIS level 1; EUC-KR: the Hangul syllables) and there is
//   at least one.
// Names that are fine, ASCII, or read as nothing sensible ("café.txt",
// "Straße.txt", a lone high byte) give nullopt.
// RepairedName("\xD6\xD0\xCE\xC4.txt", kGb18030) == "中文.txt";
// RepairedName("ÖÐÎÄ.txt", kGb18030) == "中文.txt"; RepairedName("╓╨╬─.txt", kGb18030) == "中文.txt".
std::optional<std::string> RepairedName(std::string_view native, GarbledEncoding encoding);

// One entry of the entry directory whose name is garbled.
struct GarbledEntry {
  ByteText name;      // as the rename engine takes it: byte text, or a raw stand-in
  std::string shown;  // the name as it shows now (UTF-8; bad bytes as \xHH)
  ByteText repaired;  // the name it was meant to be
};

// Every file and folder of directory whose name RepairedName repairs, in byte
// order of the native names. FindGarbledEntries("/d/", kGb18030) for a folder
// holding "\xD6\xD0.txt" gives {RawNativeName("\xD6\xD0.txt"), "\\xD6\\xD0.txt", "中.txt"}.
std::vector<GarbledEntry> FindGarbledEntries(const ByteText& directory, GarbledEncoding encoding);

// Renames the chosen entries of the entry directory to their repaired names
// in one batch of the rename engine (plan, conflicts refused, journal,
// recovery), reads the list again by settings, and records the renames of
// entries the list shows for "撤回上一步". Then "已修复" + n + "个文件名" (+ "，"
// + m + "个失败" and the shared failure report) under "提醒：". Returns how
// many failed.
int RepairGarbledNames(EntryList& list, Prompter& prompter, const std::vector<GarbledEntry>& chosen,
                       const IntakeSettings& settings);

// After an undo that gave entries their raw names back: when a row shows a
// raw stand-in (see RawNativeName), empties the list and reads it again by
// settings (the raw names leave it) and returns the names left out; nullopt,
// with the list as it was, when no row does.
std::optional<LeftOutNames> RereadIfRawNamesListed(EntryList& list, const IntakeSettings& settings);

}  // namespace vantor
