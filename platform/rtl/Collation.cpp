#include "platform/rtl/Collation.h"

#include <unicode/ucol.h>

#include <memory>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace {

struct CollatorCloser {
  void operator()(UCollator* c) const { ucol_close(c); }
};

struct CachedCollator {
  String localeName;
  bool ignoreCase;
  std::unique_ptr<UCollator, CollatorCloser> collator;
};

// ICU collators are not to be shared between threads for writing; one set per thread keeps the
// compare path free of locks. A program uses one or two locales, so a short list suffices.
UCollator* CollatorFor(const String& localeName, bool ignoreCase) {
  thread_local std::vector<CachedCollator> cache;
  for (auto& c : cache)
    if (c.ignoreCase == ignoreCase && c.localeName == localeName) return c.collator.get();

  std::string icuName;
  for (Char ch : localeName) icuName.push_back(ch == u'-' ? '_' : static_cast<char>(ch & 0x7F));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UCollator, CollatorCloser> collator(ucol_open(icuName.c_str(), &status));
  if (U_FAILURE(status) || !collator)
    throw EConvertError("No collation for the locale '" + icuName + "': " + u_errorName(status));
  // Case-insensitive: letters and accents count ("е" and "ё" stay distinct), case does not.
  ucol_setStrength(collator.get(), ignoreCase ? UCOL_SECONDARY : UCOL_TERTIARY);
  // Compare canonically equivalent forms (a precomposed "ё" equals "е" + combining diaeresis).
  ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
  // The locale's own script first (ICU's Russian tailoring) is not the platform's order: keep the
  // common one, Latin before Cyrillic.
  const int32_t noReorder[] = {UCOL_REORDER_CODE_NONE};
  ucol_setReorderCodes(collator.get(), noReorder, 1, &status);
  if (U_FAILURE(status)) throw EConvertError(std::string("Collation set-up failed: ") + u_errorName(status));
  cache.push_back({localeName, ignoreCase, std::move(collator)});
  return cache.back().collator.get();
}

int Sign(UCollationResult r) { return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0; }

}  // namespace

int CollateCompare(std::u16string_view a, std::u16string_view b, bool ignoreCase, const String& localeName) {
  if (a == b) return 0;
  UCollator* c = CollatorFor(localeName, ignoreCase);
  return Sign(
      ucol_strcoll(c, a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size())));
}

int CollateCompare(std::u16string_view a, std::u16string_view b, bool ignoreCase) {
  return CollateCompare(a, b, ignoreCase, FormatSettings().LocaleName);
}

std::string CollationSortKey(std::u16string_view s, bool ignoreCase) {
  UCollator* c = CollatorFor(FormatSettings().LocaleName, ignoreCase);
  std::string key(s.size() * 3 + 16, '\0');
  for (;;) {
    const int32_t n =
        ucol_getSortKey(c, s.data(), static_cast<int32_t>(s.size()), reinterpret_cast<uint8_t*>(key.data()),
                        static_cast<int32_t>(key.size()));
    if (n <= static_cast<int32_t>(key.size())) {
      key.resize(n > 0 ? n - 1 : 0);  // drop the terminating zero byte
      return key;
    }
    key.resize(static_cast<size_t>(n));
  }
}
