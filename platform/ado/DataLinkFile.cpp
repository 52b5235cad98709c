#include "platform/ado/DataLinkFile.h"

#include <fstream>
#include <iterator>

#include "platform/ado/DbDriver.h"
#include "platform/ado/SqlTokens.h"
#include "platform/rtl/StrUtils.h"

namespace {

// What the parser trims: blanks and control characters.
bool Trimmed(Char c) { return c <= u' '; }

bool NeedsQuotes(const String& v) {
  if (v.empty()) return false;
  if (Trimmed(v.front()) || Trimmed(v.back())) return true;
  return v.find_first_of(u";=\"'") != String::npos;
}

}  // namespace

TConnectionStringItems ParseConnectionString(const String& text) {
  TConnectionStringItems items;
  size_t i = 0;
  while (i < text.size()) {
    size_t eq = text.find(u'=', i);
    size_t semi = text.find(u';', i);
    if (eq == String::npos || (semi != String::npos && semi < eq)) {
      // A bare word without a value: skipped.
      if (semi == String::npos) break;
      i = semi + 1;
      continue;
    }
    String name = Trim(text.substr(i, eq - i));
    size_t j = eq + 1;
    while (j < text.size() && Trimmed(text[j])) ++j;
    String value;
    if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
      Char q = text[j++];
      while (j < text.size()) {
        if (text[j] == q) {
          if (j + 1 < text.size() && text[j + 1] == q) {
            value += q;
            j += 2;
            continue;
          }
          ++j;
          break;
        }
        value += text[j++];
      }
      size_t end = text.find(u';', j);
      i = end == String::npos ? text.size() : end + 1;
    } else {
      size_t end = text.find(u';', j);
      value = Trim(text.substr(j, end == String::npos ? String::npos : end - j));
      i = end == String::npos ? text.size() : end + 1;
    }
    if (!name.empty()) items.emplace_back(name, value);
  }
  return items;
}

String BuildConnectionString(const TConnectionStringItems& items) {
  String out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += u';';
    out += items[i].first + u'=';
    const String& v = items[i].second;
    if (NeedsQuotes(v)) {
      Char q = v.find(u'"') == String::npos ? u'"' : u'\'';
      out += q;
      for (Char c : v) {
        out += c;
        if (c == q) out += c;
      }
      out += q;
    } else {
      out += v;
    }
  }
  return out;
}

String ConnectionStringValue(const TConnectionStringItems& items, const String& name) {
  for (auto& [n, v] : items)
    if (SameName(Trim(n), name)) return v;
  return String();
}

void SetConnectionStringValue(TConnectionStringItems& items, const String& name, const String& value) {
  for (auto& [n, v] : items)
    if (SameName(n, name)) {
      v = value;
      return;
    }
  items.emplace_back(name, value);
}

String ReadDataLinkFile(const String& fileName) {
  std::ifstream in(StringToUtf8(fileName), std::ios::binary);
  if (!in) throw EADOError(u"File name \"" + fileName + u"\" could not be opened as a data link file");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  String text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      text += static_cast<Char>(static_cast<unsigned char>(bytes[i]) |
                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
  } else {
    size_t start = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    text = Utf8ToString(std::string_view(bytes).substr(start));
  }
  // The first line that is neither the header nor a comment is the connection string.
  size_t i = 0;
  while (i <= text.size()) {
    size_t end = text.find(u'\n', i);
    String line = Trim(text.substr(i, end == String::npos ? String::npos : end - i));
    if (!line.empty() && line[0] != ';' && line[0] != '[') return line;
    if (end == String::npos) break;
    i = end + 1;
  }
  throw EADOError(u"File name \"" + fileName + u"\" holds no connection string");
}

void WriteDataLinkFile(const String& fileName, const String& connectionString) {
  String text =
      u"[oledb]\r\n; Everything after this line is the connection string\r\n" + connectionString + u"\r\n";
  std::string bytes = "\xFF\xFE";
  for (Char c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  std::ofstream out(StringToUtf8(fileName), std::ios::binary | std::ios::trunc);
  if (!out) throw EADOError(u"Cannot create data link file \"" + fileName + u"\"");
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw EADOError(u"Cannot write data link file \"" + fileName + u"\"");
}
