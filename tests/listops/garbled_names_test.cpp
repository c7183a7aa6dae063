// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/garbled_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vantor {
namespace {

struct Row {
  const char* what;
  std::string native;
  GarbledEncoding encoding;
  std::optional<std::string> repaired;
};

TEST(RepairedName, FindsWhatGarbledNamesMeantAndLeavesGoodNamesAlone) {
  const GarbledEncoding gbk = GarbledEncoding::kGb18030;
  const std::vector<Row> rows = {
      // Raw bytes of another code page.
      {"raw GBK", "\xD6\xD0\xCE\xC4.txt", gbk, "中文.txt"},
      {"raw GBK, no extension", "\xB5\xDA" "1" "\xBC\xAF", gbk, "第1集"},
      {"raw GB18030 four-byte", "\x81\x30\x8A\x31" "\xD6\xD0", gbk, "ä中"},
      {"raw Big5", "\xA4\xA4\xA4\xE5.txt", GarbledEncoding::kBig5, "中文.txt"},
      {"raw Shift_JIS", "\x82\xA0\x82\xA2.txt", GarbledEncoding::kShiftJis, "あい.txt"},
      {"raw EUC-KR", "\xC7\xD1\xB1\xDB.txt", GarbledEncoding::kEucKr, "한글.txt"},
      {"a lone high byte", "\xD6.txt", gbk, std::nullopt},
      {"0xFF is no lead byte", "\xFF\xFE.txt", gbk, std::nullopt},
      {"no double-byte character", "\x80.txt", gbk, std::nullopt},
      // Bytes shown as Latin-1/CP1252 or CP437 and stored as UTF-8.
      {"Latin-1 mojibake", "ÖÐÎÄ.txt", gbk, "中文.txt"},
      {"CP437 mojibake", "╓╨╬─.txt", gbk, "中文.txt"},
      {"Latin-1 mojibake of Big5", "¤¤¤å.txt", GarbledEncoding::kBig5, "中文.txt"},
      {"mojibake with digits", "µÚ1¼¯.mp4", gbk, "第1集.mp4"},
      // Names that are fine, or read as nothing sensible.
      {"ASCII", "notes.txt", gbk, std::nullopt},
      {"Chinese", "中文.txt", gbk, std::nullopt},
      {"café", "café.txt", gbk, std::nullopt},
      {"Straße: ße reads as a GBK pair outside the hanzi rows", "Straße.txt", gbk, std::nullopt},
      {"Björk", "Björk - Jóga.mp3", gbk, std::nullopt},
      {"niño", "niño.txt", gbk, std::nullopt},
      {"Motörhead", "Motörhead.flac", gbk, std::nullopt},
      {"Hangul", "한국어.txt", gbk, std::nullopt},
      {"emoji", "😀 photo.jpg", gbk, std::nullopt},
      {"trade mark", "™ notes.txt", gbk, std::nullopt},
      {"Latin-1 letters that read as symbols", "ª¡.txt", gbk, std::nullopt},
      {"empty", "", gbk, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(RepairedName(row.native, row.encoding), row.repaired);
  }
}

}  // namespace
}  // namespace vantor
