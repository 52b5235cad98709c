// The dialog that adds an item of any class offered for adding to a manager's category.
#pragma once

#include "platform/forms/ComboBox.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TdxBarItem;
class TdxBarManager;

class TdxBarItemAddEditor : public TForm {
  TRENVIK_CLASS(TdxBarItemAddEditor, TForm);

 public:
  // Category selects the entry of the category list (the first when out of range); Font is the
  // customizing form's.
  TdxBarItemAddEditor(TdxBarManager* Manager, int Category, TFont* Font);

  TLabel* LType;
  TComboBox* ComboBox1;
  TLabel* LCategory;
  TComboBox* ComboBox2;
  TLabel* LName;
  TEdit* Edit1;
  TLabel* LCaption;
  TEdit* Edit2;
  TButton* BOk;
  TButton* BCancel;

  // The item made when the dialog closed with OK.
  TdxBarItem* ABarItem = nullptr;
  TdxBarManager* BarManager;

  // The chosen class's name without its first letter, followed by the first number n >= 1 that no
  // item of the manager (nor any other component of its form) is named after, in any letter case.
  String ProposeName();

 private:
  TClass ChosenClass();
  // Makes the item from the fields; on any failure nothing is left behind and a fresh name is
  // proposed.
  bool CreateItem();
};

// The new item, or none when the dialog was cancelled.
TdxBarItem* ExecuteItemAddEditor(TdxBarManager* Manager, int Category, TFont* Font = nullptr);
