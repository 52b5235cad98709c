// Test helpers for code that works with datasets: a data link that records every notification it
// gets, and a small people dataset.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/data/DB.h"
#include "platform/data/MemoryDataSet.h"

// Records the link callbacks as short strings: "Active", "Editing", "Changed", "Scrolled(1)",
// "Layout", "Record(NAME)" / "Record", "UpdateData", "CheckBrowse", "Focus(NAME)", "Event14(0)".
class TRecordingLink : public TDataLink {
 public:
  explicit TRecordingLink(int BufferCount = 1) { SetBufferCount(BufferCount); }
  std::vector<std::string> Log;
  // When set, entries also go to Sink as "<Name>:<entry>".
  std::vector<std::string>* Sink = nullptr;
  std::string Name;
  void Add(const std::string& Entry);
  // The log joined with ", ", then cleared.
  std::string Take();

 protected:
  void ActiveChanged() override;
  void CheckBrowseMode() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void EditingChanged() override;
  void FocusControl(TField*& Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;
  void DataEvent(TDataEvent Event, std::intptr_t Info) override;
};

// Columns ID (integer), NAME (wide string 50), BIRTH (date), SALARY (float), ACTIVE (boolean),
// with `Rows` rows: ID 1..Rows, NAME "Name<ID>".
TMemoryDataSet* MakeNumberedDataSet(TComponent* Owner, int Rows);

// Russian people: ID, FSTNAME, SECNAME, LASTNAME, BIRTHDATE; eight rows with mixed case and ё.
TMemoryDataSet* MakePeopleDataSet(TComponent* Owner);
