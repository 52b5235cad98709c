// The filter control's ".flt" files: the criteria stream of its rows, saved whole or not at all and
// loaded aside before anything of the rows is replaced.
#include <string>

#include "cx/foundation/cxClasses.h"
#include "cx/grid/cxFilterControlRows.h"
#include "platform/classes/AtomicFile.h"

void TcxFilterControlRowList::SaveToStream(TStream* AStream) {
  if (!BuildCriteria()) throw EcxFilterControlError(cxGetResourceString(cxSFilterInvalidCondition));
  criteria_->WriteData(AStream);
}

void TcxFilterControlRowList::SaveToFile(const String& AFileName) {
  TMemoryStream content;
  SaveToStream(&content);
  const auto* bytes = static_cast<const char*>(content.Memory());
  WriteFileAtomically(AFileName, std::string_view(bytes, static_cast<size_t>(content.Size())));
}

void TcxFilterControlRowList::LoadFromStream(TStream* AStream) {
  TcxFilterControlRowList trial;
  trial.SetLink(link_);
  trial.Criteria()->ReadData(AStream);
  trial.BuildRows();
  criteria_->Assign(trial.Criteria());
  BuildRows();
}

void TcxFilterControlRowList::LoadFromFile(const String& AFileName) {
  TFileStream file(AFileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}
