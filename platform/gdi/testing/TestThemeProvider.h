// A visual style for tests: part sizes, colours and content margins set by the test; backgrounds are
// drawn as flat fills (the fill colour, or one derived from part and state) with an optional border,
// and every draw is recorded.
#pragma once

#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "platform/gdi/UxTheme.h"

class TestThemeProvider : public ThemeProvider {
 public:
  // Knows the classes the components open, unless given others.
  TestThemeProvider();
  explicit TestThemeProvider(std::vector<String> classes);

  // state 0 applies to every state of the part without an entry of its own.
  void SetPartSize(const String& cls, int part, int state, SIZE size);
  void SetColor(const String& cls, int part, int state, int property, COLORREF color);
  void SetInt(const String& cls, int part, int state, int property, int value);
  void SetContentMargins(const String& cls, int part, MARGINS margins);
  void SetPartiallyTransparent(const String& cls, int part, bool transparent);

  struct DrawCall {
    String className;
    int part;
    int state;
    RECT rect;
  };
  const std::vector<DrawCall>& Draws() const { return draws_; }
  void ClearDraws() { draws_.clear(); }
  // The colour a background of this part and state is filled with.
  COLORREF FillColor(const String& cls, int part, int state) const;

  bool HasClass(const String& className) const override;
  bool IsPartDefined(const String& className, int part, int state) const override;
  bool PartSize(const String& className, int part, int state, THEMESIZE kind, SIZE* size) const override;
  bool Color(const String& className, int part, int state, int property, COLORREF* color) const override;
  bool Int(const String& className, int part, int state, int property, int* value) const override;
  RECT ContentRect(const String& className, int part, int state, const RECT& bounds) const override;
  bool PartiallyTransparent(const String& className, int part, int state) const override;
  void DrawBackground(const String& className, HDC dc, int part, int state, const RECT& rect,
                      const RECT* clip) override;

 private:
  using Key = std::tuple<String, int, int>;
  template <class V>
  const V* Find(const std::map<Key, V>& m, const String& cls, int part, int state) const;

  std::set<String> classes_;
  std::map<Key, SIZE> sizes_;
  std::map<std::tuple<String, int, int, int>, COLORREF> colors_;
  std::map<std::tuple<String, int, int, int>, int> ints_;
  std::map<std::pair<String, int>, MARGINS> margins_;
  std::set<std::pair<String, int>> transparent_;
  std::vector<DrawCall> draws_;
};

// Installs a provider for a test's scope and removes it after.
class ScopedThemeProvider {
 public:
  explicit ScopedThemeProvider(ThemeProvider* p) { SetThemeProvider(p); }
  ~ScopedThemeProvider() { SetThemeProvider(nullptr); }
  ScopedThemeProvider(const ScopedThemeProvider&) = delete;
  ScopedThemeProvider& operator=(const ScopedThemeProvider&) = delete;
};
