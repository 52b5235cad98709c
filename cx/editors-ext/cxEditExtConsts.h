// String-table ids of the specialised editors' texts; the English texts are registered when the
// library starts (RegisterCxEditExtConsts).
#pragma once

constexpr int cxSEditRadioGroupDescription = 64922;
// The text a radio group shows when no item matches its value.
constexpr int cxSRadioGroupDefaultCaption = 64964;

void RegisterCxEditExtConsts();
