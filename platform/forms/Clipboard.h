// The framework's clipboard object over the window system's clipboard: text, graphics and raw
// handles, with nested Open/Close so that several formats go in as one change.
#pragma once

#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Clipboard.h"

class TPicture;

TRENVIK_DECLARE_EXCEPTION(EClipboardException, Exception);

class TClipboard : public TPersistent {
  TRENVIK_CLASS(TClipboard, TPersistent);

 public:
  TClipboard() = default;
  ~TClipboard() override;

  // Nested: the clipboard opens on the first Open and closes (telling its viewers) on the last
  // Close. EClipboardException "Cannot open clipboard" when another window holds it.
  void Open();
  void Close();
  // Empties the clipboard.
  void Clear();
  bool HasFormat(Word Format) const;
  int FormatCount() const;
  Word Formats(int Index) const;

  // The text as CF_UNICODETEXT (CF_TEXT readers get it converted); empty when there is none.
  String AsText();
  void SetAsText(const String& Value);
  void SetTextBuf(const Char* Buffer);
  // Copies at most BufSize - 1 characters and a terminating zero; the count copied.
  int GetTextBuf(Char* Buffer, int BufSize);

  // Raw clipboard data; the clipboard takes over a handle that is set.
  HANDLE GetAsHandle(Word Format);
  void SetAsHandle(Word Format, HANDLE Value);

  // From a picture or a graphic: its clipboard format and bytes replace the clipboard's contents.
  void Assign(TPersistent* Source) override;
  // Into a picture: the first format on the clipboard that a registered graphic class reads.
  // EInvalidGraphic when there is none.
  void AssignTo(TPersistent* Dest) override;

 private:
  void SetBytes(Word Format, const std::vector<Byte>& Data);
  std::vector<Byte> GetBytes(Word Format);
  void AssignPictureFromClipboard(TPicture* Picture);
  int openCount_ = 0;
};

// The process's clipboard object, made on first use.
TClipboard* Clipboard();
// Replaces the process's clipboard object (freeing the old one); answers the new one.
TClipboard* SetClipboard(TClipboard* NewClipboard);
