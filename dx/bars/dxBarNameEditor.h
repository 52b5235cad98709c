// The dialog that asks for the name of a toolbar or a category.
#pragma once

#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TdxBar;
class TdxBarManager;

TRENVIK_ENUM(TdxBarNameKind, nkToolbar, nkCategory);
// Toolbars: new or rename; categories: add, insert or rename.
TRENVIK_ENUM(TdxBarNameMode, nmNew, nmRename, nmInsert);

class TdxBarNameEd : public TForm {
  TRENVIK_CLASS(TdxBarNameEd, TForm);

 public:
  // Bar is the toolbar being renamed (none for a new one); Font is the customizing form's.
  TdxBarNameEd(TdxBarNameKind Kind, TdxBarNameMode Mode, TdxBar* Bar, TdxBarManager* Manager, TFont* Font);

  TLabel* LName;
  TEdit* EName;
  TButton* BOK;
  TButton* BCancel;

 private:
  // A toolbar may not take the caption of another toolbar.
  bool NameAccepted();

  TdxBarNameKind kind_;
  TdxBar* bar_;
  TdxBarManager* manager_;
};

// True when the user confirmed; Name then holds the text entered.
bool ExecuteNameEditor(String& Name, TdxBarNameKind Kind, TdxBarNameMode Mode, TdxBar* Bar, TdxBarManager* Manager,
                       TFont* Font = nullptr);
