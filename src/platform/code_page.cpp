// GBK <-> UTF-8 through glibc's iconv.
//
// The charset is "GBK"; glibc's "CP936" is an alias of the same module, so the
// two behave identically. Like Windows code page 936, it reads the single byte
// 0x80 as the euro sign (U+20AC) and writes the euro sign as 0x80, so names
// holding "€" convert both ways and reach the program as on Windows (where the
// byte text layer, too, counts 0x80 as a lead byte). Codes of the user-defined
// areas and bytes such as 0xFF have no mapping and are refused.
//
// Names are converted by the hundred thousand, so the common case is cheap:
// pure ASCII is copied without iconv, the descriptors are opened once per
// thread and only reset between calls, and the round-trip check works in a
// per-thread scratch buffer.
#include "platform/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

  // Room for the back conversion of the round-trip check.
  std::string& Scratch() { return scratch_; }

 private:
  static iconv_t Open(iconv_t& slot, const char* to, const char* from) {
    if (slot == kNoDescriptor) slot = iconv_open(to, from);
    return slot;
  }

  iconv_t toGbk_ = kNoDescriptor;
  iconv_t toUtf8_ = kNoDescriptor;
  std::string scratch_;
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

}  // namespace

std::optional<ByteText> GbkFromUtf8(std::string_view utf8) {
  switch (ScanBytes(utf8)) {
    case Scan::kHasNul: return std::nullopt;
    case Scan::kAscii: return ByteText(utf8);
    case Scan::kNonAscii: break;
  }
  Converters& converters = ThreadConverters();
  ByteText gbk;
  if (!ConvertStrict(converters.ToGbk(), utf8, gbk, utf8.size())) return std::nullopt;
  std::string& back = converters.Scratch();
  if (!ConvertStrict(converters.ToUtf8(), gbk, back, gbk.size() * kMaxUtf8PerGbkByte) ||
      back != utf8) {
    return std::nullopt;
  }
  return gbk;
}

std::optional<std::string> Utf8FromGbk(const ByteText& gbk) {
  switch (ScanBytes(gbk)) {
    case Scan::kHasNul: return std::nullopt;
    case Scan::kAscii: return gbk;
    case Scan::kNonAscii: break;
  }
  Converters& converters = ThreadConverters();
  std::string utf8;
  if (!ConvertStrict(converters.ToUtf8(), gbk, utf8, gbk.size() * kMaxUtf8PerGbkByte)) {
    return std::nullopt;
  }
  std::string& back = converters.Scratch();
  if (!ConvertStrict(converters.ToGbk(), utf8, back, utf8.size()) || back != gbk) {
    return std::nullopt;
  }
  return utf8;
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
