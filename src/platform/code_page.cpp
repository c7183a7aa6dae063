// SPDX-License-Identifier: GPL-3.0-or-later
// GB18030 <-> UTF-8 and UTF-16.
//
// Byte text is GB18030 with the GBK codes kept: a character GBK holds has its
// glibc iconv "GBK" code (its "CP936" is an alias of the same module), which
// like Windows code page 936 reads the single byte 0x80 as the euro sign
// (U+20AC) and writes the euro sign as 0x80. Every other character has its
// GB18030 code: the two-byte codes of the user-defined areas (private-use
// characters) and four-byte codes for all the rest, as glibc iconv
// "GB18030" writes them. Twenty-four private-use characters that glibc no
// longer maps (the standard of 2022 gave their old codes to other
// characters) keep codes of their own, listed below, so that every Unicode
// scalar value converts both ways.
//
// Names are converted by the hundred thousand, so iconv is asked only once:
// on the first non-ASCII conversion every one- and two-byte GBK code is run
// through it, and the codes that come back unchanged (GBK -> Unicode -> the
// same GBK) fill two tables, GBK to Unicode and Unicode to GBK. The codes
// beyond GBK get tables of their own, built the first time a character GBK
// lacks shows up, so that GBK text never pays for them. Characters beyond the
// Basic Multilingual Plane are computed: U+10000 is 0x90308130 and the codes
// count up from there. A text then converts losslessly exactly when each of
// its characters does, which the tables answer without a call. Pure ASCII is
// copied as it is.
#include "platform/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vantor {
namespace {

constexpr const char* kGbkCharset = "GBK";
constexpr const char* kGb18030Charset = "GB18030";
constexpr const char* kUtf8Charset = "UTF-8";

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// Output bounds: a UTF-8 character of 2 to 4 bytes becomes at most 4 bytes,
// so byte text is at most twice as long as its UTF-8 (a 2-byte letter such as
// ä becomes a 4-byte code). A byte of byte text gives at most 3 UTF-8 bytes
// (0x80 -> E2 82 AC), and the same bound covers U+FFFD (3 bytes) put in for a
// single bad byte.
constexpr std::size_t kMaxUtf8PerGbkByte = 3;
constexpr std::size_t kMaxBytesPerUtf8Byte = 2;

class Converters {
 public:
  Converters() = default;
  Converters(const Converters&) = delete;
  Converters& operator=(const Converters&) = delete;
  ~Converters() {
    if (toGbk_ != kNoDescriptor) iconv_close(toGbk_);
    if (toUtf8_ != kNoDescriptor) iconv_close(toUtf8_);
  }

  // kNoDescriptor when the system lacks the GBK module; every non-ASCII
  // conversion then fails.
  iconv_t ToGbk() { return Open(toGbk_, kGbkCharset, kUtf8Charset); }
  iconv_t ToUtf8() { return Open(toUtf8_, kUtf8Charset, kGbkCharset); }

 private:
  static iconv_t Open(iconv_t& slot, const char* to, const char* from) {
    if (slot == kNoDescriptor) slot = iconv_open(to, from);
    return slot;
  }

  iconv_t toGbk_ = kNoDescriptor;
  iconv_t toUtf8_ = kNoDescriptor;
};

enum class Scan { kAscii, kNonAscii, kHasNul };

// One pass without early exit, so that the compiler can vectorise it.
Scan ScanBytes(std::string_view text) {
  unsigned char all = 0;
  bool nul = false;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    all |= byte;
    nul |= byte == 0;
  }
  if (nul) return Scan::kHasNul;
  return (all & 0x80) != 0 ? Scan::kNonAscii : Scan::kAscii;
}

// Converts all of input into out with cd, strictly: any byte sequence that is
// invalid, incomplete or has no counterpart fails the whole conversion.
// maxOut bounds the output (see above), so E2BIG means a broken bound and
// fails too.
bool ConvertStrict(iconv_t cd, std::string_view input, std::string& out, std::size_t maxOut) {
  if (cd == kNoDescriptor) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(maxOut);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  // A positive result counts irreversible substitutions; none may happen.
  if (result != 0 || inLeft != 0) return false;
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return false;
  out.resize(out.size() - outLeft);
  return true;
}


// The GBK codes iconv converts losslessly, as two tables. A two-byte code is
// stored as lead * 256 + trail, a one-byte code (0x80) as itself; 0 means no
// mapping. GBK holds nothing beyond the Basic Multilingual Plane.
class GbkTables {
 public:
  GbkTables() : toUnicode_(kCodes, 0), toGbk_(kCodes, 0) {
    Converters converters;
    iconv_t decode = converters.ToUtf8();
    iconv_t encode = converters.ToGbk();
    if (decode == kNoDescriptor || encode == kNoDescriptor) return;
    std::string code;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
      code.assign(1, static_cast<char>(lead));
      Learn(decode, encode, code, lead);
      for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
        code.assign({static_cast<char>(lead), static_cast<char>(trail)});
        Learn(decode, encode, code, lead << 8 | trail);
      }
    }
    // A byte that stood both for itself and as a lead byte would make a text
    // ambiguous to read; GBK has none, and iconv's reading is kept then.
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
      if (toUnicode_[byte] == 0) continue;
      for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
        if (toUnicode_[byte << 8 | trail] != 0) return;
      }
    }
    usable_ = true;
  }

  // False when iconv lacks GBK; every non-ASCII conversion fails then.
  bool Usable() const { return usable_; }

  // Unicode of a GBK code, 0 when it has none.
  uint16_t UnicodeOf(unsigned code) const { return toUnicode_[code]; }
  // GBK code of a character of the Basic Multilingual Plane, 0 when none.
  uint16_t GbkOf(unsigned character) const { return toGbk_[character]; }

 private:
  static constexpr size_t kCodes = 0x10000;

  // Records code when iconv turns it into one character and back into code.
  void Learn(iconv_t decode, iconv_t encode, const std::string& code, unsigned index) {
    std::string utf8;
    std::string back;
    if (!ConvertStrict(decode, code, utf8, code.size() * kMaxUtf8PerGbkByte)) return;
    if (!ConvertStrict(encode, utf8, back, utf8.size()) || back != code) return;
    const std::optional<uint32_t> character = SingleCharacter(utf8);
    if (!character || *character == 0 || *character >= kCodes) return;
    toUnicode_[index] = static_cast<uint16_t>(*character);
    toGbk_[*character] = static_cast<uint16_t>(index);
  }

  // The one character a UTF-8 text of two or three bytes spells.
  static std::optional<uint32_t> SingleCharacter(std::string_view utf8) {
    const auto byte = [&utf8](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(utf8[i])); };
    if (utf8.size() == 2 && (byte(0) & 0xE0) == 0xC0) return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
    if (utf8.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
      return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    }
    return std::nullopt;
  }

  std::vector<uint16_t> toUnicode_;
  std::vector<uint16_t> toGbk_;
  bool usable_ = false;
};

const GbkTables& Tables() {
  static const GbkTables tables;
  return tables;
}

// Writes the UTF-8 of a Unicode scalar value at out and returns the end.
char* PutUtf8(char* out, uint32_t character) {
  if (character < 0x80) {
    *out++ = static_cast<char>(character);
  } else if (character < 0x800) {
    *out++ = static_cast<char>(0xC0 | character >> 6);
    *out++ = static_cast<char>(0x80 | (character & 0x3F));
  } else if (character >= 0x10000) {
    *out++ = static_cast<char>(0xF0 | character >> 18);
    *out++ = static_cast<char>(0x80 | (character >> 12 & 0x3F));
    *out++ = static_cast<char>(0x80 | (character >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (character & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | character >> 12);
    *out++ = static_cast<char>(0x80 | (character >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (character & 0x3F));
  }
  return out;
}

// Reads the character that starts at utf8[pos] and moves pos past it; nullopt
// for anything that is not well-formed UTF-8 (a stray or missing continuation
// byte, an overlong form, a surrogate, a value beyond U+10FFFF).
std::optional<uint32_t> NextCharacter(std::string_view utf8, size_t& pos) {
  const auto lead = static_cast<unsigned char>(utf8[pos]);
  size_t length = 0;
  uint32_t character = 0;
  uint32_t least = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, character = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, character = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, character = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (utf8.size() - pos < length) return std::nullopt;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    character = character << 6 | (next & 0x3F);
  }
  if (character < least || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += length;
  return character;
}

// A four-byte code b1 b2 b3 b4 as its place in the order of all four-byte
// codes: ((b1 - 0x81) * 10 + b2 - 0x30) * 126 + b3 - 0x81) * 10 + b4 - 0x30.
constexpr uint32_t kFourByteCodesBeforeLead = 12600;  // codes per first byte
constexpr uint32_t kBmpFourByteCodes = 39420;          // 0x81308130 .. 0x8431A439
constexpr uint32_t kFirstSupplementaryIndex = 189000;  // 0x90308130 is U+10000

uint32_t FourByteIndex(const unsigned char* code) {
  return ((static_cast<uint32_t>(code[0] - 0x81) * 10 + (code[1] - 0x30)) * 126 + (code[2] - 0x81)) * 10 +
         (code[3] - 0x30);
}

char* PutFourByteCode(char* out, uint32_t index) {
  *out++ = static_cast<char>(0x81 + index / kFourByteCodesBeforeLead);
  *out++ = static_cast<char>(0x30 + index / 1260 % 10);
  *out++ = static_cast<char>(0x81 + index / 10 % 126);
  *out++ = static_cast<char>(0x30 + index % 10);
  return out;
}

// Private-use characters glibc's GB18030 leaves without a code, with the codes
// the standard of 2022 gives the first eighteen (the four-byte codes glibc
// leaves free) and the two-byte codes the standard of 2005 gave the last six
// (which glibc reads as characters beyond the Basic Multilingual Plane, whose
// four-byte codes are used here instead).
struct FixedCode {
  uint16_t character;
  uint32_t code;  // the bytes, first byte highest
};
constexpr FixedCode kFixedCodes[] = {
    {0xE81E, 0x82359037}, {0xE826, 0x82359038}, {0xE82B, 0x82359039}, {0xE82C, 0x82359130},
    {0xE832, 0x82359131}, {0xE843, 0x82359132}, {0xE854, 0x82359133}, {0xE864, 0x82359134},
    {0xE78D, 0x84318236}, {0xE78E, 0x84318237}, {0xE78F, 0x84318238}, {0xE790, 0x84318239},
    {0xE791, 0x84318330}, {0xE792, 0x84318331}, {0xE793, 0x84318332}, {0xE794, 0x84318333},
    {0xE795, 0x84318334}, {0xE796, 0x84318335}, {0xE816, 0xFE51},     {0xE817, 0xFE52},
    {0xE818, 0xFE53},     {0xE831, 0xFE6C},     {0xE83B, 0xFE76},     {0xE855, 0xFE91},
};

// The codes of the Basic Multilingual Plane beyond GBK: two-byte codes GBK
// leaves unassigned and the four-byte codes, both ways. Built from iconv's
// GB18030, keeping only codes that come back unchanged and characters GBK
// does not hold.
class ExtendedTables {
 public:
  ExtendedTables() : twoToUnicode_(0x10000, 0), fourToUnicode_(kBmpFourByteCodes, 0), toCode_(0x10000, 0) {
    const GbkTables& gbk = Tables();
    if (!gbk.Usable()) return;
    iconv_t decode = iconv_open(kUtf8Charset, kGb18030Charset);
    iconv_t encode = iconv_open(kGb18030Charset, kUtf8Charset);
    if (decode == kNoDescriptor || encode == kNoDescriptor) {
      if (decode != kNoDescriptor) iconv_close(decode);
      if (encode != kNoDescriptor) iconv_close(encode);
      return;
    }
    std::string code;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        const unsigned index = lead << 8 | trail;
        if (trail == 0x7F || gbk.UnicodeOf(index) != 0) continue;
        code.assign({static_cast<char>(lead), static_cast<char>(trail)});
        const uint32_t character = Learn(decode, encode, code);
        if (character != 0) Add(character, index);
      }
    }
    char bytes[4];
    for (uint32_t index = 0; index < kBmpFourByteCodes; ++index) {
      PutFourByteCode(bytes, index);
      code.assign(bytes, 4);
      const uint32_t character = Learn(decode, encode, code);
      if (character != 0) Add(character, kFourByteFlag | index);
    }
    iconv_close(decode);
    iconv_close(encode);
    for (const FixedCode& fixed : kFixedCodes) {
      if (toCode_[fixed.character] != 0) continue;
      if (fixed.code > 0xFFFF) {
        unsigned char four[4] = {static_cast<unsigned char>(fixed.code >> 24), static_cast<unsigned char>(fixed.code >> 16),
                                 static_cast<unsigned char>(fixed.code >> 8), static_cast<unsigned char>(fixed.code)};
        const uint32_t index = FourByteIndex(four);
        if (fourToUnicode_[index] == 0) Add(fixed.character, kFourByteFlag | index);
      } else if (twoToUnicode_[fixed.code] == 0) {
        Add(fixed.character, fixed.code);
      }
    }
    usable_ = true;
  }

  bool Usable() const { return usable_; }

  // Unicode of a two-byte code GBK leaves unassigned, 0 when none.
  uint16_t UnicodeOfTwoByte(unsigned code) const { return twoToUnicode_[code]; }
  // Unicode of the four-byte code at index (below kBmpFourByteCodes), 0 when none.
  uint16_t UnicodeOfFourByte(uint32_t index) const { return fourToUnicode_[index]; }

  // Writes the code of a character of the Basic Multilingual Plane that GBK
  // lacks and returns the end; nullptr when it has none (surrogates).
  char* Put(char* out, uint32_t character) const {
    const uint32_t code = toCode_[character];
    if (code == 0) return nullptr;
    if ((code & kFourByteFlag) != 0) return PutFourByteCode(out, code & ~kFourByteFlag);
    *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
    return out;
  }

 private:
  static constexpr uint32_t kFourByteFlag = 0x80000000u;

  // The character of the Basic Multilingual Plane that code stands for when it
  // comes back unchanged and GBK does not hold the character; else 0.
  static uint32_t Learn(iconv_t decode, iconv_t encode, const std::string& code) {
    std::string utf8;
    std::string back;
    if (!ConvertStrict(decode, code, utf8, code.size() * kMaxUtf8PerGbkByte)) return 0;
    if (!ConvertStrict(encode, utf8, back, utf8.size() * kMaxBytesPerUtf8Byte) || back != code) return 0;
    size_t pos = 0;
    const std::optional<uint32_t> character = NextCharacter(utf8, pos);
    if (!character || pos != utf8.size() || *character < 0x80 || *character >= 0x10000) return 0;
    if (Tables().GbkOf(*character) != 0) return 0;
    return *character;
  }

  void Add(uint32_t character, uint32_t code) {
    if (toCode_[character] != 0) return;
    toCode_[character] = code;
    if ((code & kFourByteFlag) != 0) {
      fourToUnicode_[code & ~kFourByteFlag] = static_cast<uint16_t>(character);
    } else {
      twoToUnicode_[code] = static_cast<uint16_t>(character);
    }
  }

  std::vector<uint16_t> twoToUnicode_;
  std::vector<uint16_t> fourToUnicode_;
  std::vector<uint32_t> toCode_;  // two-byte code, or kFourByteFlag | four-byte index
  bool usable_ = false;
};

const ExtendedTables& Extended() {
  static const ExtendedTables tables;
  return tables;
}

// Writes the code of any Unicode scalar value above 0x7F at out and returns
// the end; nullptr when it has none (a surrogate, or no tables).
char* PutCode(char* out, uint32_t character, const GbkTables& tables) {
  if (character < 0x10000) {
    const unsigned code = tables.GbkOf(character);
    if (code != 0) {
      if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
      *out++ = static_cast<char>(code & 0xFF);
      return out;
    }
    const ExtendedTables& extended = Extended();
    return extended.Usable() ? extended.Put(out, character) : nullptr;
  }
  if (character > 0x10FFFF) return nullptr;
  return PutFourByteCode(out, kFirstSupplementaryIndex + (character - 0x10000));
}

// The character whose code starts at text[pos], with the code's length; 0
// when the bytes there are not a code (see CharWidthAt for the lengths).
struct DecodedCharacter {
  uint32_t character = 0;
  size_t length = 1;
};
DecodedCharacter DecodeAt(std::string_view text, size_t pos, const GbkTables& tables) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  if (lead == 0x80) return {tables.UnicodeOf(lead), 1};
  if (pos + 1 >= text.size()) return {0, 1};
  const auto trail = static_cast<unsigned char>(text[pos + 1]);
  const unsigned pair = lead << 8 | trail;
  const uint32_t character = tables.UnicodeOf(pair);
  if (character != 0) return {character, 2};
  // Beyond GBK: a four-byte code, or a two-byte code GBK leaves unassigned.
  if (CharWidthAt(text, pos) == 4) {
    const uint32_t index = FourByteIndex(reinterpret_cast<const unsigned char*>(text.data() + pos));
    if (index < kBmpFourByteCodes) {
      const ExtendedTables& extended = Extended();
      return {extended.Usable() ? extended.UnicodeOfFourByte(index) : 0u, 4};
    }
    if (index >= kFirstSupplementaryIndex && index - kFirstSupplementaryIndex <= 0xFFFFF) {
      return {0x10000 + (index - kFirstSupplementaryIndex), 4};
    }
    return {0, 4};
  }
  const ExtendedTables& extended = Extended();
  return {extended.Usable() ? extended.UnicodeOfTwoByte(pair) : 0u, 2};
}

// Hands each character of a text without NUL to emit, in order; false at the
// first byte sequence that is not a code.
template <typename Emit>
bool DecodeGbk(std::string_view gbk, Emit emit) {
  const GbkTables* tables = nullptr;
  for (size_t pos = 0; pos < gbk.size();) {
    const auto lead = static_cast<unsigned char>(gbk[pos]);
    if (lead < 0x80) {
      emit(lead);
      ++pos;
      continue;
    }
    if (tables == nullptr) tables = &Tables();
    if (!tables->Usable()) return false;
    const DecodedCharacter decoded = DecodeAt(gbk, pos, *tables);
    if (decoded.character == 0) return false;
    emit(decoded.character);
    pos += decoded.length;
  }
  return true;
}

}  // namespace

std::optional<ByteText> GbkFromUtf8(std::string_view utf8) {
  switch (ScanBytes(utf8)) {
    case Scan::kHasNul: return std::nullopt;
    case Scan::kAscii: return ByteText(utf8);
    case Scan::kNonAscii: break;
  }
  const GbkTables& tables = Tables();
  if (!tables.Usable()) return std::nullopt;
  // GBK codes are never longer than their UTF-8; the first code beyond GBK
  // makes room for the bound of all codes (twice the UTF-8).
  ByteText gbk(utf8.size(), '\0');
  bool grown = false;
  char* out = gbk.data();
  for (size_t pos = 0; pos < utf8.size();) {
    const std::optional<uint32_t> character = NextCharacter(utf8, pos);
    if (!character) return std::nullopt;
    if (*character < 0x80) {
      *out++ = static_cast<char>(*character);
      continue;
    }
    const unsigned code = *character < 0x10000 ? tables.GbkOf(*character) : 0;
    if (code != 0) {
      if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
      *out++ = static_cast<char>(code & 0xFF);
      continue;
    }
    if (!grown) {
      const size_t at = static_cast<size_t>(out - gbk.data());
      gbk.resize(utf8.size() * kMaxBytesPerUtf8Byte);
      out = gbk.data() + at;
      grown = true;
    }
    out = PutCode(out, *character, tables);
    if (out == nullptr) return std::nullopt;
  }
  gbk.resize(static_cast<size_t>(out - gbk.data()));
  if (grown) gbk.shrink_to_fit();
  return gbk;
}

std::optional<std::string> Utf8FromGbk(std::string_view gbk) {
  switch (ScanBytes(gbk)) {
    case Scan::kHasNul: return std::nullopt;
    case Scan::kAscii: return std::string(gbk);
    case Scan::kNonAscii: break;
  }
  std::string utf8(gbk.size() * kMaxUtf8PerGbkByte, '\0');
  char* out = utf8.data();
  if (!DecodeGbk(gbk, [&out](uint32_t character) { out = PutUtf8(out, character); })) return std::nullopt;
  utf8.resize(static_cast<size_t>(out - utf8.data()));
  return utf8;
}

std::optional<size_t> Utf16FromGbk(std::string_view gbk, char16_t* out) {
  if (ScanBytes(gbk) == Scan::kHasNul) return std::nullopt;
  char16_t* const start = out;
  const auto put = [&out](uint32_t character) {
    if (character >= 0x10000) {
      *out++ = static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(character);
    }
  };
  if (!DecodeGbk(gbk, put)) return std::nullopt;
  return static_cast<size_t>(out - start);
}

std::optional<ByteText> GbkFromUtf16(std::u16string_view text) {
  const GbkTables& tables = Tables();
  if (!tables.Usable()) {
    for (const char16_t unit : text) {
      if (unit == 0 || unit >= 0x80) return std::nullopt;
    }
    return ByteText(text.begin(), text.end());
  }
  // A unit gives at most four bytes (a surrogate pair four for two units).
  ByteText gbk(text.size() * 4, '\0');
  char* out = gbk.data();
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t character = text[i];
    if (character == 0) return std::nullopt;
    if (character < 0x80) {
      *out++ = static_cast<char>(character);
      continue;
    }
    if (character >= 0xD800 && character <= 0xDFFF) {
      // Only a high surrogate followed by a low one is a character.
      if (character > 0xDBFF || i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
        return std::nullopt;
      }
      character = 0x10000 + ((character - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    out = PutCode(out, character, tables);
    if (out == nullptr) return std::nullopt;
  }
  gbk.resize(static_cast<size_t>(out - gbk.data()));
  gbk.shrink_to_fit();
  return gbk;
}

ByteText Gbk(std::string_view utf8Literal) {
  std::optional<ByteText> gbk = GbkFromUtf8(utf8Literal);
  if (!gbk) {
    std::fprintf(stderr, "vantor: text literal does not convert to GBK: \"%.*s\"\n",
                 static_cast<int>(utf8Literal.size()), utf8Literal.data());
    std::abort();
  }
  return *std::move(gbk);
}

std::string Utf8ForDisplay(const ByteText& gbk) {
  if (ScanBytes(gbk) == Scan::kAscii) return gbk;
  static constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

  std::string out(gbk.size() * kMaxUtf8PerGbkByte, '\0');
  char* put = out.data();
  const GbkTables& tables = Tables();
  for (size_t pos = 0; pos < gbk.size();) {
    const auto lead = static_cast<unsigned char>(gbk[pos]);
    if (lead < 0x80 && lead != 0) {
      *put++ = static_cast<char>(lead);
      ++pos;
      continue;
    }
    const DecodedCharacter decoded = tables.Usable() && lead != 0 ? DecodeAt(gbk, pos, tables) : DecodedCharacter{};
    if (decoded.character != 0) {
      put = PutUtf8(put, decoded.character);
      pos += decoded.length;
      continue;
    }
    // A byte sequence that is no code. A complete four-byte sequence is one
    // unknown character; so is a lead byte with a would-be trail byte (0x80 and
    // up); a trail byte in the ASCII range is read again on its own, so that a
    // bad lead byte does not swallow a letter or a digit.
    size_t skip = 1;
    if (decoded.length == 4) {
      skip = 4;
    } else if (lead >= 0x81 && lead <= 0xFE && pos + 1 < gbk.size() &&
               static_cast<unsigned char>(gbk[pos + 1]) >= 0x80) {
      skip = 2;
    }
    for (char c : std::string_view(kReplacement, 3)) *put++ = c;
    pos += skip;
  }
  out.resize(static_cast<size_t>(put - out.data()));
  return out;
}

ByteText GbkShowingBadBytes(std::string_view native) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  ByteText shown;
  shown.reserve(native.size() * 2);
  char code[4];
  const GbkTables& tables = Tables();
  for (size_t pos = 0; pos < native.size();) {
    const size_t start = pos;
    const std::optional<uint32_t> character = NextCharacter(native, pos);
    if (character && *character != 0) {
      if (*character < 0x80) {
        shown.push_back(static_cast<char>(*character));
        continue;
      }
      if (tables.Usable()) {
        const char* end = PutCode(code, *character, tables);
        if (end != nullptr) {
          shown.append(code, static_cast<size_t>(end - code));
          continue;
        }
      }
    }
    pos = start + 1;
    const auto byte = static_cast<unsigned char>(native[start]);
    shown += "\\x";
    shown.push_back(kHex[byte >> 4]);
    shown.push_back(kHex[byte & 0xF]);
  }
  return shown;
}

}  // namespace vantor
