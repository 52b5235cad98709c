// The compiled form of a standard edit mask such as '!(999)000-0000;1;_': one item per character
// position of the edited text. Every mask string compiles.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

class TcxStandardMaskCustomItem {
 public:
  virtual ~TcxStandardMaskCustomItem() = default;
  // True when the character may stand at this position; case control may rewrite it.
  virtual bool Check(Char& c) const = 0;
};

class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
 public:
  explicit TcxStandardMaskLiteralItem(Char literal) : Literal(literal) {}
  bool Check(Char& c) const override { return c == Literal; }

  Char Literal;
};

// A character-class position; CaseControl 0 upper, 1 lower, 2 none.
class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
 public:
  TcxStandardMaskManyItem(Byte caseControl, bool optional) : CaseControl(caseControl), Optional(optional) {}
  bool Check(Char& c) const final;

  Byte CaseControl;
  bool Optional;

 protected:
  virtual bool Accepts(Char c) const = 0;
};

class TcxStandardMaskAlphaItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char c) const override;
};

class TcxStandardMaskAlphaNumericItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char c) const override;
};

class TcxStandardMaskASCIIItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char) const override { return true; }
};

class TcxStandardMaskNumericItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char c) const override;
};

class TcxStandardMaskNumericSymbolItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char c) const override;
};

class TcxStandardMask {
 public:
  TcxStandardMask() = default;
  TcxStandardMask(const TcxStandardMask&) = delete;
  TcxStandardMask& operator=(const TcxStandardMask&) = delete;

  void Clear();
  void Compile(const String& mask);

  int Count() const { return static_cast<int>(items_.size()); }
  TcxStandardMaskCustomItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }

  Char Blank() const { return blank_; }
  bool ExclamationMark() const { return exclamationMark_; }
  const String& Mask() const { return mask_; }

  // One character per item: the literal, or Blank for a character-class position.
  String GetEmptyString() const;
  // Replaces the text by the masked text built from it; always Count characters long.
  void Format(String& text) const;
  // The finished-value test: every required position filled.
  bool IsFullValid(String& text) const;
  // The weaker test: blanks allowed anywhere, a shorter text allowed.
  bool IsValid(String& text) const;

 private:
  bool IsBlank(Char c) const { return c == blank_ || c == u' '; }

  Char blank_ = u'_';
  std::vector<std::unique_ptr<TcxStandardMaskCustomItem>> items_;
  bool exclamationMark_ = false;
  String mask_;
};
