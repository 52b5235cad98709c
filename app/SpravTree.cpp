// The reference window's tree of territories and organisations: adding a node under the current
// one, the two delete commands, the commands enabled by node kind, and the place-of-work synonyms
// following the focused node.
#include "app/DataModule.h"
#include "app/SpravForm.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

TField* CurrentNodeField(const char16_t* Name) { return DataModule2->M_DEP->FieldByName(Name); }

}  // namespace

void EnableNodeActionsForKind(TSpravForm* Form, int Kind) {
  switch (Kind) {
    case 1:
    case 2:
      Form->AAddTerritory->SetEnabled(false);
      Form->ADelTerritory->SetEnabled(false);
      Form->ADelDep->SetEnabled(true);
      Form->AAddDep->SetEnabled(true);
      break;
    case 3:
      Form->AAddTerritory->SetEnabled(true);
      Form->ADelTerritory->SetEnabled(true);
      Form->ADelDep->SetEnabled(false);
      Form->AAddDep->SetEnabled(true);
      break;
    default:
      break;
  }
}

void TSpravForm::AddNodeUnderCurrent() {
  TDataModule2* dm = DataModule2;
  dm->NewNodeParentId = CurrentNodeField(u"M_RAYON_DEPID")->Value();
  dm->NewNodeKind = CurrentNodeField(u"M_VIDDEPID")->Value();
  dm->M_DEP->Insert();
  CurrentNodeField(u"M_VIDDEPID")->SetValue(dm->NewNodeKind);
  DBTreeList->ShowEditor();
}

void TSpravForm::AAddTerritoryExecute(TObject*) { AddNodeUnderCurrent(); }

void TSpravForm::AAddDepExecute(TObject*) { AddNodeUnderCurrent(); }

bool TSpravForm::ConfirmNodeDelete(const char16_t* What) {
  const String text = String(u"Вы действительно хотите удалить ") + What + u"\"" +
                      CurrentNodeField(u"SHORTNAME")->AsString() + u"\"?";
  return Application->MessageBox(text, u"Внимание", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The statement goes round the tree, which sees the deletion only when M_DEP is read again.
void TSpravForm::ADelTerritoryExecute(TObject*) {
  if (!ConfirmNodeDelete(u"территорию ")) return;
  TDataModule2* dm = DataModule2;
  const int key = CurrentNodeField(u"M_RAYON_DEPID")->AsInteger();
  dm->M_DEP->Close();
  dm->Q->Close();
  dm->Q->SQL()->SetText(u" delete from M_RAYON_DEP where M_RAYON_DEPID  = " + IntToStr(key));
  dm->Q->ExecSQL();
  dm->M_DEP->Open();
}

void TSpravForm::ADelDepExecute(TObject*) {
  if (ConfirmNodeDelete(u"организацию ")) DataModule2->M_DEP->Delete();
}

// A node not stored yet has no key text: its synonyms are none rather than those of key 0.
void TSpravForm::DBTreeListChangeNode(TObject*, TdxTreeListNode*, TdxTreeListNode* Node) {
  const String key = Node ? Node->GetString(DBTreeListM_RAYON_DEPID->Index()) : String();
  DataModule2->M_DEPSYNONYM->Parameters()
      ->ParamByName(u"M_RAYON_DEPID")
      ->SetValue(key.empty() ? Null() : Variant(StrToInt(key)));
}
