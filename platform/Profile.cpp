#include "platform/Profile.h"

#include <cstdint>

#include "platform/FileSystem.h"
#include "platform/Sjis.h"

namespace platform {
namespace {

// " に書き込めません" ("cannot write to") in Shift-JIS; the path goes in front of it.
constexpr std::string_view kCannotWrite = "\x20\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1";

// Values are read into a buffer of 2048 bytes, NUL included.
constexpr std::size_t kMaxValueBytes = 2047;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) {
  if (c <= '9') return c - '0';
  return (FoldAscii(c) - 'A') + 10;
}

int ParseInteger(std::string_view text, int def) {
  // Leading blanks are skipped, as the platform's integer reading does (MenuItems=" 1" is 1).
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  std::string_view hex;
  bool isHex = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = text.substr(2);
    isHex = true;
  } else if (!text.empty() && text[0] == '$') {
    hex = text.substr(1);
    isHex = true;
  }
  if (isHex) {
    // Up to eight digits, taken as the bits of a 32-bit word: $FFFFFFFF is -1.
    if (hex.empty() || hex.size() > 8) return def;
    std::uint32_t value = 0;
    for (char c : hex) {
      if (!IsHexDigit(c)) return def;
      value = value * 16 + static_cast<std::uint32_t>(HexValue(c));
    }
    return static_cast<std::int32_t>(value);
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return def;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return def;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{INT32_MAX} + 1) return def;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return def;
  return static_cast<int>(value);
}

std::string_view DropQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::size_t ProfileFile::FoldHash::operator()(std::string_view text) const noexcept {
  // FNV-1a over the folded bytes.
  std::uint64_t h = 14695981039346656037ull;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t next = NextCharOffset(text, i);
    for (std::size_t j = i; j < next; ++j) {
      char c = next == i + 1 ? FoldAscii(text[j]) : text[j];
      h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    i = next;
  }
  return static_cast<std::size_t>(h);
}

std::size_t ProfileFile::FoldHash::operator()(const KeyRef& ref) const noexcept {
  return (*this)(ref.key) ^ (ref.section * 0x9E3779B97F4A7C15ull);
}

bool ProfileFile::FoldEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t next = NextCharOffset(a, i);
    if (next == i + 1) {
      if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    } else if (a.substr(i, next - i) != b.substr(i, next - i)) {
      return false;
    }
    i = next;
  }
  return true;
}

bool ProfileFile::FoldEqual::operator()(const KeyRef& a, const KeyRef& b) const noexcept {
  return a.section == b.section && (*this)(a.key, b.key);
}

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  if (std::FILE* file = OpenForReading(path_)) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes_.append(buffer, n);
    unreadable_ = std::ferror(file) != 0;
    std::fclose(file);
  } else {
    unreadable_ = FileExists(path_);
  }
  // An unreadable file reads as empty, like a missing one; but writing our few keys over it would
  // throw away everything else it holds, so writes to it are refused.
  if (unreadable_) bytes_.clear();
  Parse();
}

ProfileFile::ProfileFile(FromBytesTag, std::string path, std::string bytes)
    : path_(std::move(path)), bytes_(std::move(bytes)) {
  Parse();
}

ProfileFile ProfileFile::FromBytes(std::string path, std::string bytes) {
  return ProfileFile(FromBytesTag{}, std::move(path), std::move(bytes));
}

ProfileFile::ProfileFile(const ProfileFile& other)
    : path_(other.path_), bytes_(other.bytes_), unreadable_(other.unreadable_) {
  Parse();
}

ProfileFile::ProfileFile(ProfileFile&& other) noexcept
    : path_(std::move(other.path_)), bytes_(std::move(other.bytes_)), unreadable_(other.unreadable_) {
  Parse();
  other.Parse();
}

ProfileFile& ProfileFile::operator=(const ProfileFile& other) {
  if (this != &other) {
    path_ = other.path_;
    bytes_ = other.bytes_;
    unreadable_ = other.unreadable_;
    Parse();
  }
  return *this;
}

ProfileFile& ProfileFile::operator=(ProfileFile&& other) noexcept {
  if (this != &other) {
    path_ = std::move(other.path_);
    bytes_ = std::move(other.bytes_);
    unreadable_ = other.unreadable_;
    Parse();
    other.Parse();
  }
  return *this;
}

void ProfileFile::Parse() {
  lines_.clear();
  sectionList_.clear();
  sections_.clear();
  keys_.clear();
  eol_ = {};
  keys_.reserve(bytes_.size() / 24);

  const std::string_view all = bytes_;
  const std::size_t n = all.size();
  std::size_t current = SIZE_MAX;  // section of the line, SIZE_MAX before the first header
  for (std::size_t pos = 0; pos < n;) {
    std::size_t end = pos;
    while (end < n && all[end] != '\r' && all[end] != '\n') ++end;
    std::size_t next = end;
    if (next < n) next += (all[next] == '\r' && next + 1 < n && all[next + 1] == '\n') ? 2 : 1;
    if (eol_.empty() && next > end) eol_ = all.substr(end, next - end);
    const std::size_t index = lines_.size();
    lines_.push_back({pos, end});
    pos = next;

    std::string_view content = Trim(all.substr(lines_.back().begin, end - lines_.back().begin));
    if (content.empty()) continue;
    if (content.front() == '[') {
      // The name runs to the last ']' of the line; a line without one is not a header.
      std::size_t close = FindLastCharOf(content, "]");
      if (close != std::string_view::npos) {
        current = sectionList_.size();
        sectionList_.push_back({index});
        sections_.emplace(content.substr(1, close - 1), current);
        continue;
      }
    }
    if (current == SIZE_MAX) continue;
    sectionList_[current].lastLine = index;
    if (content.front() == ';') continue;

    const std::size_t contentBegin = static_cast<std::size_t>(content.data() - all.data());
    std::size_t equals = FindChar(content, '=');
    Entry entry{};
    entry.line = index;
    KeyRef ref{current, Trim(content.substr(0, equals))};
    if (equals == std::string_view::npos) {
      entry.replaceFrom = contentBegin + content.size();
      entry.needsEquals = true;
    } else {
      entry.value = Trim(content.substr(equals + 1));
      entry.replaceFrom = entry.value.empty() ? contentBegin + equals + 1
                                              : static_cast<std::size_t>(entry.value.data() - all.data());
      entry.needsEquals = false;
    }
    keys_.emplace(ref, entry);
  }
}

const ProfileFile::Entry* ProfileFile::Find(std::string_view section, std::string_view key) const {
  auto s = sections_.find(section);
  if (s == sections_.end()) return nullptr;
  auto k = keys_.find(KeyRef{s->second, key});
  return k == keys_.end() ? nullptr : &k->second;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const Entry* entry = Find(section, key);
  std::string_view value = entry ? DropQuotes(entry->value) : def;
  return std::string(CutAtCharBoundary(value, kMaxValueBytes));
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  const Entry* entry = Find(section, key);
  if (!entry) return def;
  return ParseInteger(DropQuotes(entry->value), def);
}

std::string ProfileFile::BytesWith(std::string_view section, std::string_view key, std::string_view value) const {
  const std::string_view eol = eol_.empty() ? std::string_view("\r\n") : eol_;
  std::string out;
  out.reserve(bytes_.size() + section.size() + key.size() + value.size() + 8);

  auto s = sections_.find(section);
  if (s == sections_.end()) {
    out = bytes_;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += eol;
    out.append("[").append(section).append("]").append(eol);
    out.append(key).append("=").append(value).append(eol);
    return out;
  }

  auto k = keys_.find(KeyRef{s->second, key});
  if (k != keys_.end()) {
    const Entry& entry = k->second;
    out.append(bytes_, 0, entry.replaceFrom);
    if (entry.needsEquals) out += '=';
    out.append(value);
    out.append(bytes_, lines_[entry.line].end);
    return out;
  }

  // A new key goes right after the last non-blank line of its section, before that line's own end.
  const std::size_t at = lines_[sectionList_[s->second].lastLine].end;
  out.append(bytes_, 0, at);
  out.append(eol).append(key).append("=").append(value);
  out.append(bytes_, at);
  return out;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string next = BytesWith(section, key, value);
  if (unreadable_ || !WriteFileAtomically(path_, next)) throw FrameworkError(path_ + std::string(kCannotWrite));
  bytes_ = std::move(next);
  Parse();
}

void ProfileFile::WriteStrings(const std::vector<ProfileValue>& values) {
  ProfileFile next = FromBytes(path_, bytes_);
  for (const ProfileValue& v : values) {
    next.bytes_ = next.BytesWith(v.section, v.key, v.value);
    next.Parse();
  }
  if (unreadable_ || !WriteFileAtomically(path_, next.bytes_)) throw FrameworkError(path_ + std::string(kCannotWrite));
  bytes_ = std::move(next.bytes_);
  Parse();
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

}  // namespace platform
