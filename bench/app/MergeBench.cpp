// Merging two cards over the million people: the list's first row dropped on its second, OK in the
// merge window, to the list reopened and painted on the target. The time runs from OK. Both cards,
// the source's training records and the names' synonyms are put back after each merge, so that the
// database stays the million the other benches count.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "app/PeopleJoin.h"
#include "bench/app/MainWindowBench.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Backend.h"

namespace {

using TMergeClock = std::chrono::steady_clock;

using TMergeRow = std::vector<Variant>;

const std::vector<String> kMergeCardColumns = {u"O_PEOPLEID", u"FSTNAME",       u"SECNAME",  u"LASTNAME",
                                               u"BIRTHDATE",  u"M_SEXID",       u"M_KATID",  u"M_RAYON_DEPID",
                                               u"DOLGNAME",   u"M_RecordStatusID"};
const std::vector<String> kMergeSynonymColumns = {u"O_PEOPLEID", u"FSTNAME", u"SECNAME", u"LASTNAME", u"BIRTHDATE"};

String MergeColumnList(const std::vector<String>& Columns, const char16_t* Prefix) {
  String out;
  for (const String& c : Columns) out += (out.empty() ? u"" : u", ") + String(Prefix) + c;
  return out;
}

std::vector<TMergeRow> MergeRowsOf(const String& Sql, const Variant& Id) {
  TADOQuery q(nullptr);
  q.SetConnection(DataModule2->ADOConnection1);
  q.SQL()->SetText(Sql);
  q.Parameters()->ParamByName(u"ID")->SetValue(Id);
  q.Open();
  std::vector<TMergeRow> rows;
  for (; !q.Eof(); q.Next()) {
    TMergeRow& row = rows.emplace_back();
    for (int i = 0; i < q.Fields()->Count(); ++i) row.push_back(q.Fields()->Fields(i)->Value());
  }
  return rows;
}

// Runs Sql with the parameters P0, P1, ... set to Values.
void MergeExecute(const String& Sql, const TMergeRow& Values) {
  TADOQuery q(nullptr);
  q.SetConnection(DataModule2->ADOConnection1);
  q.SQL()->SetText(Sql);
  for (size_t i = 0; i < Values.size(); ++i)
    q.Parameters()->ParamByName(u"P" + IntToStr(static_cast<Int64>(i)))->SetValue(Values[i]);
  q.ExecSQL();
}

String MergeInsert(const String& Table, const std::vector<String>& Columns) {
  String values;
  for (size_t i = 0; i < Columns.size(); ++i) values += (i ? u", :P" : u":P") + IntToStr(static_cast<Int64>(i));
  return u"insert into " + Table + u" (" + MergeColumnList(Columns, u"") + u") values (" + values + u")";
}

// What a merge of Source into Target changes, as it was before.
class TSavedMerge {
 public:
  TSavedMerge(const Variant& Source, const Variant& Target) : source_(Source), target_(Target) {
    const String card = u"select " + MergeColumnList(kMergeCardColumns, u"") + u" from O_PEOPLE where O_PEOPLEID = :ID";
    sourceCard_ = MergeRowsOf(card, Source).at(0);
    targetCard_ = MergeRowsOf(card, Target).at(0);
    for (const TMergeRow& r : MergeRowsOf(u"select O_EDUID from O_EDU where O_PEOPLEID = :ID", Source))
      sourceEdu_.push_back(r[0]);
    const String synonyms = u"select " + MergeColumnList(kMergeSynonymColumns, u"") +
                            u" from O_PEOPLESYNONYM where O_PEOPLEID = :ID";
    synonyms_ = MergeRowsOf(synonyms, Source);
    for (TMergeRow& r : MergeRowsOf(synonyms, Target)) synonyms_.push_back(std::move(r));
  }

  void Restore() const {
    String set;
    for (size_t i = 1; i < kMergeCardColumns.size(); ++i)
      set += (i > 1 ? u", " : u"") + kMergeCardColumns[i] + u" = :P" + IntToStr(static_cast<Int64>(i));
    MergeExecute(u"update O_PEOPLE set " + set + u" where O_PEOPLEID = :P0", targetCard_);
    MergeExecute(MergeInsert(u"O_PEOPLE", kMergeCardColumns), sourceCard_);
    for (const Variant& edu : sourceEdu_)
      MergeExecute(u"update O_EDU set O_PEOPLEID = :P0 where O_EDUID = :P1", {source_, edu});
    MergeExecute(u"delete from O_PEOPLESYNONYM where O_PEOPLEID in (:P0, :P1)", {source_, target_});
    for (const TMergeRow& r : synonyms_) MergeExecute(MergeInsert(u"O_PEOPLESYNONYM", kMergeSynonymColumns), r);
  }

 private:
  Variant source_, target_;
  TMergeRow sourceCard_, targetCard_;
  std::vector<Variant> sourceEdu_;
  std::vector<TMergeRow> synonyms_;
};

void BM_MergeFromOkToThePaintedTarget(benchmark::State& state) {
  Window().EnsureOpen();
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  const int idColumn = grid->FindColumnByFieldName(u"O_PEOPLEID")->Index();
  for (auto _ : state) {
    MainForm->DragNode = grid->GetAbsoluteNode(0);
    MainForm->DropNode = grid->GetAbsoluteNode(1);
    const Variant source(StrToInt(MainForm->DragNode->GetString(idColumn)));
    const Variant target(StrToInt(MainForm->DropNode->GetString(idColumn)));
    const TSavedMerge saved(source, target);
    TMergeClock::time_point ok;
    SetMessagePumpHook([&ok] {
      auto* join = dynamic_cast<TPeopleJoinForm*>(Screen->ActiveForm());
      if (!join || !join->Visible()) return;
      TMergeClock::time_point& pressed = ok;  // clearing the hook frees this closure
      SetMessagePumpHook(nullptr);
      pressed = TMergeClock::now();
      join->SetModalResult(mrOk);
    });
    MainForm->dxDBGrid1DragDrop(grid, grid, 0, 0);
    TMainWindow::Paint();
    state.SetIterationTime(std::chrono::duration<double>(TMergeClock::now() - ok).count());
    if (DataModule2->OPEOPLE_LIST->FieldByName(u"O_PEOPLEID")->Value() != target)
      state.SkipWithError("the list is not on the target");
    state.PauseTiming();
    saved.Restore();
    state.ResumeTiming();
  }
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->Close();
  list->Open();
  if (list->RecordCount() != kPeople) state.SkipWithError("the merged cards were not put back");
}

}  // namespace

BENCHMARK(BM_MergeFromOkToThePaintedTarget)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
