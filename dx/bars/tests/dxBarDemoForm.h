// The demonstration form of the bars, read from resources/forms: a manager with a main menu bar of
// buttons and sub-items (a list item, a container item), two toolbars, a search toolbar with an edit
// and a combo, a check group, a drop-down button and its popup menu; its items log their clicks.
#pragma once

#include <vector>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "platform/forms/Forms.h"

class TdxBarsDemoForm : public TForm {
  TRENVIK_CLASS(TdxBarsDemoForm, TForm);

 public:
  explicit TdxBarsDemoForm(TComponent* AOwner) : TForm(AOwner) {}

  void ItemClick(TObject* Sender);
  // Raises, as a handler that fails does.
  void FailingClick(TObject* Sender);

  TdxBarManager* BarManager = nullptr;
  TdxBarPopupMenu* pmSend = nullptr;
  std::vector<String> Clicks;

  TdxBar* Bar(const char16_t* Name) const { return BarManager->BarByName(Name); }
  TdxBarButton* Button(const String& Name) const { return static_cast<TdxBarButton*>(FindComponent(Name)); }
};

// The resource folder the demonstration form's file is in, set for the scope's lifetime (resets
// read the form file again).
class TDemoFormsFolderScope {
 public:
  TDemoFormsFolderScope();
  ~TDemoFormsFolderScope();
  TDemoFormsFolderScope(const TDemoFormsFolderScope&) = delete;
  TDemoFormsFolderScope& operator=(const TDemoFormsFolderScope&) = delete;
};

// A new demonstration form read from the program's resource folder.
TdxBarsDemoForm* NewBarsDemoForm();
