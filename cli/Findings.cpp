#include "cli/Findings.h"

#include <string>

#include "platform/Sjis.h"

namespace cli {
namespace {

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonNumber(int value) { return value > 0 ? std::to_string(value) : "null"; }

// A field of a tab-separated line holds no tab or line break: such bytes (only a file name can bring
// them) are shown as '?'.
std::string Field(const std::string& utf8) {
  std::string out = utf8;
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

std::string Number(int value) { return value > 0 ? std::to_string(value) : ""; }

}  // namespace

void PrintFinding(std::FILE* stream, const LibraryFinding& finding, bool json) {
  const std::string path = platform::SjisToUtf8(finding.path);
  const std::string text = platform::SjisToUtf8(finding.text);
  std::string line;
  if (json) {
    line = std::string("{\"kind\":\"") + FindingKindName(finding.kind) + "\",\"folder\":" + JsonNumber(finding.folder) +
           ",\"slot\":" + JsonNumber(finding.slot) + ",\"path\":" + JsonString(path) + ",\"text\":" + JsonString(text) + "}";
  } else {
    line = std::string(FindingKindName(finding.kind)) + "\t" + Number(finding.folder) + "\t" + Number(finding.slot) + "\t" +
           Field(path) + "\t" + Field(text);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stream);
}

}  // namespace cli
