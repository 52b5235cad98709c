#include "platform/data/testing/DataTesting.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/String.h"

void TRecordingLink::Add(const std::string& Entry) {
  Log.push_back(Entry);
  if (Sink) Sink->push_back(Name + ":" + Entry);
}

std::string TRecordingLink::Take() {
  std::string s;
  for (std::size_t i = 0; i < Log.size(); ++i) s += (i ? ", " : "") + Log[i];
  Log.clear();
  return s;
}

void TRecordingLink::ActiveChanged() { Add(Active() ? "Active" : "Inactive"); }
void TRecordingLink::CheckBrowseMode() { Add("CheckBrowse"); }
void TRecordingLink::DataSetChanged() { Add("Changed"); }
void TRecordingLink::DataSetScrolled(int Distance) { Add("Scrolled(" + std::to_string(Distance) + ")"); }
void TRecordingLink::EditingChanged() { Add(Editing() ? "Editing" : "NotEditing"); }
void TRecordingLink::FocusControl(TField*& Field) {
  Add("Focus(" + StringToUtf8(Field ? Field->FieldName() : String()) + ")");
}
void TRecordingLink::LayoutChanged() { Add("Layout"); }
void TRecordingLink::RecordChanged(TField* Field) {
  Add(Field ? "Record(" + StringToUtf8(Field->FieldName()) + ")" : "Record");
}
void TRecordingLink::UpdateData() { Add("UpdateData"); }
void TRecordingLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deDisabledStateChange) Add("Event14(" + std::to_string(Info) + ")");
  TDataLink::DataEvent(Event, Info);
}

TMemoryDataSet* MakeNumberedDataSet(TComponent* Owner, int Rows) {
  auto* ds = new TMemoryDataSet(Owner);
  ds->AddFieldDef(u"ID", ftInteger);
  ds->AddFieldDef(u"NAME", ftWideString, 50);
  ds->AddFieldDef(u"BIRTH", ftDate);
  ds->AddFieldDef(u"SALARY", ftFloat);
  ds->AddFieldDef(u"ACTIVE", ftBoolean);
  for (int i = 1; i <= Rows; ++i)
    ds->AddRow(
        {i, S("Name") + IntToStr(i), VarFromDateTime(EncodeDate(1970, 1, 1) + i), 1000.5 * i, i % 2 == 0});
  return ds;
}

TMemoryDataSet* MakePeopleDataSet(TComponent* Owner) {
  auto* ds = new TMemoryDataSet(Owner);
  ds->AddFieldDef(u"ID", ftInteger);
  ds->AddFieldDef(u"FSTNAME", ftWideString, 50);
  ds->AddFieldDef(u"SECNAME", ftWideString, 50);
  ds->AddFieldDef(u"LASTNAME", ftWideString, 50);
  ds->AddFieldDef(u"BIRTHDATE", ftDateTime);
  struct Row {
    int id;
    const char* f;
    const char* s;
    const char* l;
    int year;
  };
  const Row rows[] = {
      {1, "Иванов", "Иван", "Иванович", 1970},
      {2, "Петрова", "Анна", "Сергеевна", 1985},
      {3, "иванова", "Мария", "Петровна", 1990},
      {4, "Сидоров", "Пётр", "Ильич", 1965},
      {5, "Ёлкин", "Семён", "Фёдорович", 1978},
      {6, "Елисеев", "Олег", "Олегович", 1981},
      {7, "Smith", "John", "", 1975},
      {8, "ИВАНОВ", "Иван", "Петрович", 1999},
  };
  for (const Row& r : rows)
    ds->AddRow(
        {r.id, S(r.f), S(r.s), *r.l ? Variant(S(r.l)) : Null(), VarFromDateTime(EncodeDate(r.year, 5, 17))});
  return ds;
}
