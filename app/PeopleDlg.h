// The import's question about a person it cannot find: a card of the index (page 0) or a new card
// from the staged row (page 1).
#pragma once

#include <vector>

#include "app/MatchDlg.h"
#include "platform/dbctrls/DBCtrls.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TdxDBGrid;
class TcxEditRepository;
class TcxExtLookupComboBox;
class TcxGrid;

class TPeopleDlg : public TMatchDlg {
  TRENVIK_CLASS(TPeopleDlg, TMatchDlg);

 public:
  explicit TPeopleDlg(TComponent* AOwner) : TMatchDlg(AOwner) {}
  // Closes what FormCreate opened; a destructor, since the form's OnDestroy runs after this class is gone.
  ~TPeopleDlg() override;

  TPanel* Panel2 = nullptr;
  TLabeledEdit* LabeledEdit4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TDBNavigator* DBNavigator1 = nullptr;
  TdxDBGrid* dxDBGrid1 = nullptr;
  TLabeledEdit* LabeledEdit1 = nullptr;
  TLabeledEdit* LabeledEdit2 = nullptr;
  TLabeledEdit* LabeledEdit3 = nullptr;
  TDateTimePicker* DateTimePicker1 = nullptr;
  TComboBoxEx* ComboBoxEx2 = nullptr;
  TLabeledEdit* LabeledEdit5 = nullptr;
  TLabel* Label4 = nullptr;
  // The employee category: a lookup over a view of the hidden grid, found by name when the dialog
  // is made (PeopleDlgCategory.cpp).
  TcxExtLookupComboBox* cxExtLookupComboBox1 = nullptr;
  TcxGrid* cxGrid1 = nullptr;
  TcxEditRepository* cxEditRepository1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void LabeledEdit4KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void PageControl1Change(TObject* Sender);
  void ComboBoxEx2Change(TObject* Sender);

  // The sex combo by M_SEXID: a key no item has selects none.
  void SetSexKey(int Key);
  // The chosen sex's M_SEXID; 0 when none is chosen.
  int SexKey();
  void SetKatKey(const Variant& Key);
  // The chosen category's M_KATID; Null when none is chosen.
  Variant KatKey();
  // The list moved to the nearest surname, as Enter in the search box does.
  void SeekSurname(const String& Surname);

 private:
  // A new card needs a sex: OK waits for one on the new-card page.
  void UpdateOKBtn();
  // --- The cx side (PeopleDlgCategory.cpp) ---
  void MakeCategoryLookup();
  // Opens the categories when they are closed; the dialog closes again only what it opened.
  void OpenCategories();
  void CloseCategories();
  std::vector<int> sexKeys_;
  bool openedCategories_ = false;
};
