// Published members that several editors' properties classes share: each published properties
// class picks the groups it shows in form files.
#pragma once

#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxTextEdit.h"

// OnChange, OnEditValueChanged and OnValidate.
template <class T>
void PublishEditValueEvents(TPublisher<T>& P) {
  P.Event("OnChange", &TcxCustomEditProperties::OnChange);
  P.Event("OnEditValueChanged", &TcxCustomEditProperties::OnEditValueChanged);
  P.Event("OnValidate", &TcxCustomEditProperties::OnValidate);
}

template <class T>
void PublishAlignmentObject(TPublisher<T>& P) {
  P.Property("Alignment", &TcxCustomEditProperties::Alignment, &TcxCustomEditProperties::SetAlignment)
      .Stored(&TcxCustomEditProperties::IsAlignmentStored);
}

template <class T>
void PublishReadOnly(TPublisher<T>& P) {
  P.Property("ReadOnly", &TcxCustomEditProperties::ReadOnly, &TcxCustomEditProperties::SetReadOnly)
      .NoDefault()
      .Stored(&TcxCustomEditProperties::IsReadOnlyStored);
}

template <class T>
void PublishUseLeftAlignmentOnEditing(TPublisher<T>& P) {
  P.Property("UseLeftAlignmentOnEditing", &TcxCustomEditProperties::UseLeftAlignmentOnEditing,
             &TcxCustomEditProperties::SetUseLeftAlignmentOnEditing)
      .NoDefault()
      .Stored(&TcxCustomEditProperties::IsUseLeftAlignmentOnEditingStored);
}

template <class T>
void PublishBeepOnError(TPublisher<T>& P) {
  P.Property("BeepOnError", &TcxCustomEditProperties::BeepOnError, &TcxCustomEditProperties::SetBeepOnError)
      .Default(false);
}

template <class T>
void PublishAutoSelect(TPublisher<T>& P, bool ADefault) {
  P.Property("AutoSelect", &TcxCustomTextEditProperties::AutoSelect, &TcxCustomTextEditProperties::SetAutoSelect)
      .Default(ADefault);
}

template <class T>
void PublishHideSelection(TPublisher<T>& P) {
  P.Property("HideSelection", &TcxCustomTextEditProperties::HideSelection,
             &TcxCustomTextEditProperties::SetHideSelection)
      .Default(true);
}

template <class T>
void PublishCharCase(TPublisher<T>& P) {
  P.Property("CharCase", &TcxCustomTextEditProperties::CharCase, &TcxCustomTextEditProperties::SetCharCase)
      .Default(ecNormal);
}

template <class T>
void PublishMaxLength(TPublisher<T>& P) {
  P.Property("MaxLength", &TcxCustomTextEditProperties::MaxLength, &TcxCustomTextEditProperties::SetMaxLength)
      .NoDefault()
      .Stored(&TcxCustomTextEditProperties::IsMaxLengthStored);
}

template <class T>
void PublishOEMConvert(TPublisher<T>& P) {
  P.Property("OEMConvert", &TcxCustomTextEditProperties::OEMConvert, &TcxCustomTextEditProperties::SetOEMConvert)
      .Default(false);
}

// What the text editor's properties publish besides the events; AWithLookupItems is false for
// editors that show the lookup list under their own names.
template <class T>
void PublishTextEditSettings(TPublisher<T>& P, bool AWithLookupItems = true) {
  PublishAlignmentObject(P);
  PublishAutoSelect(P, true);
  PublishBeepOnError(P);
  PublishCharCase(P);
  P.Property("EchoMode", &TcxCustomTextEditProperties::EchoMode, &TcxCustomTextEditProperties::SetEchoMode)
      .Default(eemNormal);
  PublishHideSelection(P);
  if (AWithLookupItems) {
    P.Property("LookupItems", &TcxCustomTextEditProperties::LookupItems,
               &TcxCustomTextEditProperties::SetLookupItems);
    P.Property("LookupItemsSorted", &TcxCustomTextEditProperties::LookupItemsSorted,
               &TcxCustomTextEditProperties::SetLookupItemsSorted)
        .Default(false);
  }
  PublishMaxLength(P);
  PublishOEMConvert(P);
  PublishReadOnly(P);
  PublishUseLeftAlignmentOnEditing(P);
}

template <class T>
void PublishTextEditEvents(TPublisher<T>& P) {
  PublishEditValueEvents(P);
  P.Event("OnNewLookupDisplayText", &TcxCustomTextEditProperties::OnNewLookupDisplayText);
}

// The mask settings; the kind comes before the mask, which is checked against it when set.
template <class T>
void PublishMaskSettings(TPublisher<T>& P) {
  P.Property("CaseInsensitive", &TcxCustomMaskEditProperties::CaseInsensitive,
             &TcxCustomMaskEditProperties::SetCaseInsensitive)
      .Default(true);
  P.Property("IgnoreMaskBlank", &TcxCustomMaskEditProperties::IgnoreMaskBlank,
             &TcxCustomMaskEditProperties::SetIgnoreMaskBlank)
      .Default(false);
  P.Property("MaskKind", &TcxCustomMaskEditProperties::MaskKind, &TcxCustomMaskEditProperties::SetMaskKind)
      .Default(emkStandard);
  P.Property("EditMask", &TcxCustomMaskEditProperties::EditMask, &TcxCustomMaskEditProperties::SetEditMask);
}

template <class T>
void PublishValidateOnEnter(TPublisher<T>& P) {
  P.Property("ValidateOnEnter", &TcxCustomEditProperties::ValidateOnEnter,
             &TcxCustomEditProperties::SetValidateOnEnter)
      .Default(true);
}

// What every published edit shows besides the framework's control properties.
template <class T>
void PublishEditControl(TPublisher<T>& P, bool AParentColorDefault) {
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(AParentColorDefault);
  P.Property("Properties", &TcxCustomEdit::Properties, &TcxCustomEdit::SetProperties);
  P.Property("RepositoryItem", &TcxCustomEdit::RepositoryItem, &TcxCustomEdit::SetRepositoryItem);
  P.Property("Style", &TcxContainer::Style, &TcxContainer::SetStyle);
  P.Event("OnEditing", &TcxCustomEdit::OnEditing);
}

template <class T>
void PublishAutoSize(TPublisher<T>& P) {
  P.Property("AutoSize", &TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize).Default(true);
}

template <class T>
void PublishBeepOnEnter(TPublisher<T>& P) {
  P.Property("BeepOnEnter", &TcxCustomTextEdit::BeepOnEnter, &TcxCustomTextEdit::SetBeepOnEnter).Default(true);
}

template <class T>
void PublishTextEditControl(TPublisher<T>& P) {
  PublishAutoSize(P);
  PublishBeepOnEnter(P);
  PublishEditControl(P, false);
  P.Property("Text", &TcxCustomTextEdit::Text, &TcxCustomTextEdit::SetText);
}
