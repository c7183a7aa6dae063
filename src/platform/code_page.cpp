// GBK <-> UTF-8.
//
// The mapping is glibc's iconv "GBK" (its "CP936" is an alias of the same
// module). Like Windows code page 936, it reads the single byte 0x80 as the
// euro sign (U+20AC) and writes the euro sign as 0x80, so names holding "€"
// convert both ways and reach the program as on Windows (where the byte text
// layer, too, counts 0x80 as a lead byte). Codes of the user-defined areas and
// bytes such as 0xFF have no mapping and are refused.
//
// Names are converted by the hundred thousand, so iconv is asked only once:
// on the first non-ASCII conversion every one- and two-byte GBK code is run
// through it, and the codes that come back unchanged (GBK -> Unicode -> the
// same GBK) fill two tables, GBK to Unicode and Unicode to GBK. A text then
// converts losslessly exactly when each of its characters does, which the
// tables answer without a call. Pure ASCII is copied as it is.
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
constexpr const char* kUtf8Charset = "UTF-8";

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// Output bounds: a UTF-8 character of 2 to 4 bytes becomes at most 2 GBK
// bytes (the 3-byte euro sign becomes 1), so GBK is never longer than its
// UTF-8. A GBK byte gives at most 3 UTF-8 bytes (0x80 -> E2 82 AC), and the
// same bound covers U+FFFD (3 bytes) put in for a single bad byte.
constexpr std::size_t kMaxUtf8PerGbkByte = 3;

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

Converters& ThreadConverters() {
  thread_local Converters converters;
  return converters;
}

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

// Writes the UTF-8 of a character of the Basic Multilingual Plane at out and
// returns the end.
char* PutUtf8(char* out, uint32_t character) {
  if (character < 0x80) {
    *out++ = static_cast<char>(character);
  } else if (character < 0x800) {
    *out++ = static_cast<char>(0xC0 | character >> 6);
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

// Hands each character of a GBK text without NUL to emit, in order; false at
// the first byte sequence that is not a GBK character.
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
    uint32_t character = tables->UnicodeOf(lead);
    if (character != 0) {
      ++pos;
    } else if (pos + 1 < gbk.size()) {
      character = tables->UnicodeOf(lead << 8 | static_cast<unsigned char>(gbk[pos + 1]));
      pos += 2;
    }
    if (character == 0) return false;
    emit(character);
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
  ByteText gbk(utf8.size(), '\0');  // GBK is never longer than its UTF-8
  char* out = gbk.data();
  for (size_t pos = 0; pos < utf8.size();) {
    const std::optional<uint32_t> character = NextCharacter(utf8, pos);
    if (!character) return std::nullopt;
    if (*character < 0x80) {
      *out++ = static_cast<char>(*character);
      continue;
    }
    const unsigned code = *character < 0x10000 ? tables.GbkOf(*character) : 0;
    if (code == 0) return std::nullopt;
    if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  gbk.resize(static_cast<size_t>(out - gbk.data()));
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
  if (!DecodeGbk(gbk, [&out](uint32_t character) { *out++ = static_cast<char16_t>(character); })) {
    return std::nullopt;
  }
  return static_cast<size_t>(out - start);
}

std::optional<ByteText> GbkFromUtf16(std::u16string_view text) {
  const GbkTables& tables = Tables();
  ByteText gbk(text.size() * 2, '\0');
  char* out = gbk.data();
  for (const char16_t character : text) {
    if (character == 0) return std::nullopt;
    if (character < 0x80) {
      *out++ = static_cast<char>(character);
      continue;
    }
    // A surrogate has no GBK code, so it is refused here too.
    const unsigned code = tables.Usable() ? tables.GbkOf(character) : 0;
    if (code == 0) return std::nullopt;
    if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  gbk.resize(static_cast<size_t>(out - gbk.data()));
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
  iconv_t cd = ThreadConverters().ToUtf8();
  char* in = const_cast<char*>(gbk.data());
  std::size_t inLeft = gbk.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  if (cd != kNoDescriptor) iconv(cd, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    if (cd != kNoDescriptor &&
        iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
      break;
    }
    // iconv stopped at a byte it cannot read (or there is no iconv at all).
    // A lead byte with a would-be trail byte (0x80 and up) is one unknown
    // character; a trail byte in the ASCII range is read again on its own, so
    // that a bad lead byte does not swallow a letter.
    const auto lead = static_cast<unsigned char>(in[0]);
    std::size_t skip = 1;
    if (lead >= 0x81 && lead <= 0xFE && inLeft >= 2 &&
        static_cast<unsigned char>(in[1]) >= 0x80) {
      skip = 2;
    }
    if (cd == kNoDescriptor && lead < 0x80) {
      *outPtr++ = static_cast<char>(lead);
      --outLeft;
    } else {
      for (char c : std::string_view(kReplacement, 3)) *outPtr++ = c;
      outLeft -= 3;
    }
    in += skip;
    inLeft -= skip;
    if (cd != kNoDescriptor) iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace vantor
