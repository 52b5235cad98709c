// The common dialogs as the layer's own windows: the file dialogs (open, save, and their picture
// variants) and the database login dialog.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Set.h"
#include "platform/classes/StringList.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Types.h"

TRENVIK_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp,
             ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist,
             ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton,
             ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing,
             ofDontAddToRecent, ofForceShowHidden);
using TOpenOptions = Set<TOpenOption>;

class TCommonDialog : public TComponent {
  TRENVIK_CLASS(TCommonDialog, TComponent);

 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog modally; true when the user accepted it.
  virtual bool Execute() = 0;
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value) { ctl3D_ = Value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 private:
  bool ctl3D_ = true;
  int helpContext_ = 0;
};

// --- The file dialogs' logic (no windows) ---

// One entry of a filter: "Excel|*.xls|All files|*.*" has two, the masks of each split at ';'.
struct TFileFilter {
  String Description;
  std::vector<String> Masks;
};
std::vector<TFileFilter> ParseFileFilter(const String& Filter);
// '*' any run, '?' one character; letters compare case-insensitively. "*.*" matches every name.
bool MatchesMask(const String& FileName, const String& Mask);

struct TFolderEntry {
  String Name;
  bool IsFolder = false;
};
// The sub-folders (all of them) and the files matching one of Masks (every file when empty), folders
// first, each part sorted case-insensitively; names starting with '.' are left out.
std::vector<TFolderEntry> ListFolder(const String& Folder, const std::vector<String>& Masks);
// The name with ".DefaultExt" added when it has no extension (and DefaultExt is not empty).
String ApplyDefaultExt(const String& FileName, const String& DefaultExt);

// What the dialog does with the text typed as the file name.
struct TFileNameAction {
  enum TKind { Accept, Navigate, SetMask, Invalid } Kind = Invalid;
  String Path;     // Accept: the full file name; Navigate: the folder
  String Mask;     // SetMask: the typed mask
  String Message;  // Invalid: why
};

// The state of an open or save dialog: the folder shown, the filters and the entries.
class TFileDialogModel {
 public:
  TFileDialogModel(const String& Filter, int FilterIndex, const String& InitialDir);
  const String& Folder() const { return folder_; }
  bool SetFolder(const String& Folder);
  // Up to the parent folder (false at the root).
  bool GoUp();
  const std::vector<TFileFilter>& Filters() const { return filters_; }
  // 1-based, as the dialog's FilterIndex.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int Index);
  // A typed mask replaces the filter's masks until another filter is chosen.
  void SetMask(const String& Mask);
  const std::vector<TFolderEntry>& Entries() const { return entries_; }
  void Refresh();
  // Resolves typed text (a name, a relative or absolute path, a folder, a mask) against the folder.
  TFileNameAction Resolve(const String& Typed, const String& DefaultExt, TOpenOptions Options,
                          bool Save) const;

 private:
  std::vector<String> Masks() const;

  String folder_;
  std::vector<TFileFilter> filters_;
  int filterIndex_ = 1;
  String typedMask_;
  std::vector<TFolderEntry> entries_;
};

// --- The file dialogs ---

class TOpenDialog : public TCommonDialog {
  TRENVIK_CLASS(TOpenDialog, TCommonDialog);

 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  bool Execute() override;

  const String& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& Value) { defaultExt_ = Value; }
  const String& FileName() const { return fileName_; }
  void SetFileName(const String& Value) { fileName_ = Value; }
  // The chosen files (one unless ofAllowMultiSelect).
  TStrings* Files() const { return files_.get(); }
  const String& Filter() const { return filter_; }
  void SetFilter(const String& Value) { filter_ = Value; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int Value) { filterIndex_ = Value; }
  const String& InitialDir() const { return initialDir_; }
  void SetInitialDir(const String& Value) { initialDir_ = Value; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions Value) { options_ = Value; }
  const String& Title() const { return title_; }
  void SetTitle(const String& Value) { title_ = Value; }

  // Before the dialog closes with a file: CanClose false keeps it open.
  TCloseQueryEvent OnCanClose;
  TNotifyEvent OnFolderChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnTypeChange;

 protected:
  virtual bool IsSaveDialog() const { return false; }
  virtual String DefaultTitle() const;
  // The last folder a dialog was in, where the next one opens without InitialDir.
  static String& LastFolder();

 private:
  String defaultExt_;
  String fileName_;
  std::unique_ptr<TStringList> files_;
  String filter_;
  int filterIndex_ = 1;
  String initialDir_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  String title_;
};

class TSaveDialog : public TOpenDialog {
  TRENVIK_CLASS(TSaveDialog, TOpenDialog);

 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

 protected:
  bool IsSaveDialog() const override { return true; }
  String DefaultTitle() const override;
};

// Open and save dialogs whose filter defaults to the registered picture formats.
class TOpenPictureDialog : public TOpenDialog {
  TRENVIK_CLASS(TOpenPictureDialog, TOpenDialog);

 public:
  explicit TOpenPictureDialog(TComponent* AOwner);
};

class TSavePictureDialog : public TOpenPictureDialog {
  TRENVIK_CLASS(TSavePictureDialog, TOpenPictureDialog);

 public:
  explicit TSavePictureDialog(TComponent* AOwner) : TOpenPictureDialog(AOwner) {}

 protected:
  bool IsSaveDialog() const override { return true; }
  String DefaultTitle() const override;
};

// --- The database login dialog ---

// Asks for the user name and password to connect to DatabaseName ("Database Login"); both come in
// prefilled and go out as typed. False when cancelled. Its signature is the data-access layer's
// login prompt: the program installs it with SetLoginDialogProc(&LoginDialog).
bool LoginDialog(const String& DatabaseName, String& UserName, String& Password);
// The same, keeping the user name as it is (only the password is asked for).
bool LoginDialogEx(const String& DatabaseName, String& UserName, String& Password, bool NameReadOnly);
