#include "cx/editors/cxStandardMask.h"

#include "platform/rtl/FormatSettings.h"

namespace {

enum : Byte { kCaseUpper = 0, kCaseLower = 1, kCaseNone = 2 };

bool IsAsciiLetter(Char c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

std::unique_ptr<TcxStandardMaskCustomItem> MakeManyItem(Char maskChar, Byte caseControl) {
  switch (maskChar) {
    case u'L':
    case u'l':
      return std::make_unique<TcxStandardMaskAlphaItem>(caseControl, maskChar == u'l');
    case u'A':
    case u'a':
      return std::make_unique<TcxStandardMaskAlphaNumericItem>(caseControl, maskChar == u'a');
    case u'C':
    case u'c':
      return std::make_unique<TcxStandardMaskASCIIItem>(caseControl, maskChar == u'c');
    case u'0':
    case u'9':
      return std::make_unique<TcxStandardMaskNumericItem>(caseControl, maskChar == u'9');
    case u'#':
      return std::make_unique<TcxStandardMaskNumericSymbolItem>(caseControl, true);
    default:
      return nullptr;
  }
}

}  // namespace

bool TcxStandardMaskManyItem::Check(Char& c) const {
  const bool result = Accepts(c);
  if (CaseControl == kCaseUpper && c >= u'a' && c <= u'z') c = static_cast<Char>(c - u'a' + u'A');
  if (CaseControl == kCaseLower && c >= u'A' && c <= u'Z') c = static_cast<Char>(c - u'A' + u'a');
  return result;
}

bool TcxStandardMaskAlphaItem::Accepts(Char c) const { return IsAsciiLetter(c); }
bool TcxStandardMaskAlphaNumericItem::Accepts(Char c) const { return IsAsciiLetter(c) || IsDigit(c); }
bool TcxStandardMaskNumericItem::Accepts(Char c) const { return IsDigit(c); }
bool TcxStandardMaskNumericSymbolItem::Accepts(Char c) const { return IsDigit(c) || c == u'+' || c == u'-'; }

void TcxStandardMask::Clear() {
  mask_.clear();
  exclamationMark_ = false;
  blank_ = u'_';
  items_.clear();
}

void TcxStandardMask::Compile(const String& mask) {
  Clear();
  mask_ = mask;
  String body = mask;
  if (!body.empty() && body[0] == u'!') {
    body.erase(0, 1);
    exclamationMark_ = true;
  }
  const size_t n = body.size();
  Byte caseState = kCaseNone;
  auto addLiteral = [this](Char c) { items_.push_back(std::make_unique<TcxStandardMaskLiteralItem>(c)); };
  for (size_t i = 0; i < n; ++i) {
    const Char c = body[i];
    if (c == u'>') {
      caseState = kCaseUpper;
    } else if (c == u'<') {
      if (i + 1 < n && body[i + 1] == u'>') {
        caseState = kCaseNone;
        ++i;
      } else {
        caseState = kCaseLower;
      }
    } else if (auto item = MakeManyItem(c, caseState)) {
      items_.push_back(std::move(item));
    } else if (c == u':') {
      addLiteral(FormatSettings().TimeSeparator);
    } else if (c == u'/') {
      addLiteral(FormatSettings().DateSeparator);
    } else if (c == u'\\') {
      if (i + 1 < n) addLiteral(body[++i]);
    } else if (c == u';' && n - i - 1 == 3 && body[i + 2] == u';') {
      blank_ = body[i + 3];  // ';X;Y' ends the mask: Y is the blank, X is the save flag
      return;
    } else if (c == u';' && n - i - 1 == 1) {
      return;  // ';X' ends the mask
    } else {
      addLiteral(c);
    }
  }
}

String TcxStandardMask::GetEmptyString() const {
  String result;
  result.reserve(items_.size());
  for (const auto& item : items_) {
    auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(item.get());
    result += literal ? literal->Literal : blank_;
  }
  return result;
}

void TcxStandardMask::Format(String& text) const {
  String result = GetEmptyString();
  std::vector<bool> filled(items_.size(), false);
  for (Char& c : text) {
    for (size_t k = 0; k < items_.size(); ++k) {
      const bool accepted = items_[k]->Check(c);
      if (filled[k]) continue;
      if (accepted) {
        result[k] = c;
        filled[k] = true;
        break;
      }
      if (IsBlank(c) && dynamic_cast<const TcxStandardMaskManyItem*>(items_[k].get())) {
        filled[k] = true;  // a blank keeps the position empty but uses it up
        break;
      }
    }
  }
  text = std::move(result);
}

bool TcxStandardMask::IsFullValid(String& text) const {
  if (text.size() != items_.size()) return false;
  for (size_t k = 0; k < items_.size(); ++k) {
    if (items_[k]->Check(text[k])) continue;
    auto* many = dynamic_cast<const TcxStandardMaskManyItem*>(items_[k].get());
    if (!(IsBlank(text[k]) && many && many->Optional)) return false;
  }
  return true;
}

bool TcxStandardMask::IsValid(String& text) const {
  if (text.size() > items_.size()) return false;
  for (size_t k = 0; k < text.size(); ++k) {
    if (items_[k]->Check(text[k])) continue;
    if (!(IsBlank(text[k]) && dynamic_cast<const TcxStandardMaskManyItem*>(items_[k].get()))) return false;
  }
  return true;
}
