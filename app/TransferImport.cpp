// Storing the user's staged rows: the institution once, then row by row the kind of training, the
// place of work and the person matched, the training record stored and the row marked.
#include "app/DataModule.h"
#include "app/ImportMatch.h"
#include "app/ScratchStatements.h"
#include "app/PeopleDlg.h"
#include "app/RayonDepDlg.h"
#include "app/ReferenceDlg.h"
#include "app/TransferForm.h"

void TTransferForm::AAddDataExecute(TObject*) {
  ShowBufferCount();
  CollageName = StagedCollageName();
  Label1->SetCaption(CollageName);
  if (!MatchReference(kCollageKind, CollageName, CollageKey, [this] { return AskCollage(CollageName); })) {
    Application->MessageBox(kCollageRefusedText, kCancelCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  // Not moved to the first row: the import goes on where the cursor stands.
  TDataSet* buffer = DataModule2->BUFFER;
  if (!buffer->Active()) buffer->Open();
  for (; !buffer->Eof(); buffer->Next()) {
    if (!buffer->FieldByName(u"NOTE")->IsNull()) continue;
    if (!ImportRow()) {
      Application->MessageBox(kImportStoppedText, kInfoCaption, MB_OK | MB_ICONINFORMATION);
      return;
    }
  }
  ShowBufferCount();
}

bool TTransferForm::ImportRow() {
  Repaint();
  TDataSet* buffer = DataModule2->BUFFER;
  KatEduText = buffer->FieldByName(u"VIDEDUNAME")->AsString();
  if (!MatchReference(kKatEduKind, KatEduText, KatEduKey, [this] { return AskKatEdu(KatEduText); })) return false;
  DepText = buffer->FieldByName(u"DEPNAME")->AsString();
  if (!MatchReference(kRayonDepKind, DepText, DepKey, [this] { return AskRayonDep(DepText); })) return false;
  if (!MatchPerson()) return false;
  TField* finish = buffer->FieldByName(u"DATEFINISH");
  const bool stored = StoreEduRecord(PeopleKey, CollageKey, KatEduKey, buffer->FieldByName(u"PROGNAME")->AsString(),
                                     finish->IsNull() ? TDateTime(0) : finish->AsDateTime());
  buffer->Edit();
  buffer->FieldByName(u"NOTE")->SetAsString(stored ? u"OK" : u"X");
  buffer->Post();
  return true;
}

// A course is known by its person, institution, kind and end date: importing it again rewrites its
// programme instead of adding it twice.
bool TTransferForm::StoreEduRecord(int PeopleID, int CollageID, int KatEduID, const String& ProgName,
                                   TDateTime DateFinish) {
  const TScratchParams key{{u"O_PEOPLEID", Variant(PeopleID)},
                          {u"M_COLLAGEID", Variant(CollageID)},
                          {u"M_KATEDUID", Variant(KatEduID)},
                          {u"DATEFINISH", VarFromDateTime(DateFinish)}};
  const int count = ScratchQueryValue(u" select count(*) from O_EDU where O_PEOPLEID = :O_PEOPLEID  and M_COLLAGEID = "
                                     u":M_COLLAGEID and M_KATEDUID = :M_KATEDUID  and DATEFINISH = :DATEFINISH ",
                                     key)
                        .AsInteger();
  try {
    ScratchExecute(count != 0 ? u" update O_EDU set PROGNAME = :PROGNAME where O_PEOPLEID = :O_PEOPLEID  and "
                               u"M_COLLAGEID = :M_COLLAGEID and M_KATEDUID = :M_KATEDUID  and DATEFINISH = :DATEFINISH "
                             : u" insert into O_EDU (O_PEOPLEID,M_COLLAGEID,M_KATEDUID,DATEFINISH,PROGNAME)  values "
                               u"(:O_PEOPLEID,:M_COLLAGEID,:M_KATEDUID,:DATEFINISH,:PROGNAME) ",
                  {{u"O_PEOPLEID", Variant(PeopleID)},
                   {u"M_COLLAGEID", Variant(CollageID)},
                   {u"M_KATEDUID", Variant(KatEduID)},
                   {u"DATEFINISH", VarFromDateTime(DateFinish)},
                   {u"PROGNAME", Variant(ProgName)}});
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void TTransferForm::FreeMatchingDialogs() {
  delete CollageDlg;
  CollageDlg = nullptr;
  delete KatEduDlg;
  KatEduDlg = nullptr;
  delete SexDlg;
  SexDlg = nullptr;
  delete RayonDepDlg;
  RayonDepDlg = nullptr;
  delete PeopleDlg;
  PeopleDlg = nullptr;
}
