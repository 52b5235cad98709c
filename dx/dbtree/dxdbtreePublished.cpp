// The properties form resources set on the data-aware tree view and the lookup tree edit.
#include "dx/dbtree/dxdbtrel.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TdxDBTreeView) {
  P.Property("DataSource", &TdxDBTreeView::DataSource, &TdxDBTreeView::SetDataSource);
  P.Property("DisplayField", &TdxDBTreeView::DisplayField, &TdxDBTreeView::SetDisplayField);
  P.Property("ImageIndexField", &TdxDBTreeView::ImageIndexField, &TdxDBTreeView::SetImageIndexField);
  P.Property("KeyField", &TdxDBTreeView::KeyField, &TdxDBTreeView::SetKeyField);
  P.Property("ListField", &TdxDBTreeView::ListField, &TdxDBTreeView::SetListField);
  P.Property("ParentField", &TdxDBTreeView::ParentField, &TdxDBTreeView::SetParentField);
  P.Property("RootValue", &TdxDBTreeView::RootValue, &TdxDBTreeView::SetRootValue);
  P.Property("SeparatedSt", &TdxDBTreeView::SeparatedSt, &TdxDBTreeView::SetSeparatedSt);
  P.Property("StateIndexField", &TdxDBTreeView::StateIndexField, &TdxDBTreeView::SetStateIndexField);
  P.Property("RaiseOnError", &TdxDBTreeView::RaiseOnError, &TdxDBTreeView::SetRaiseOnError);
  P.Property("Options", &TdxDBTreeView::Options, &TdxDBTreeView::SetOptions);
  P.Property("SelectedIndex", &TdxDBTreeView::SelectedIndex, &TdxDBTreeView::SetSelectedIndex);
  P.Property("ShowNodeHint", &TdxDBTreeView::ShowNodeHint, &TdxDBTreeView::SetShowNodeHint);
  P.Property("ShowButtons", &TdxDBTreeView::ShowButtons, &TdxDBTreeView::SetShowButtons).Default(true);
  P.Property("ShowLines", &TdxDBTreeView::ShowLines, &TdxDBTreeView::SetShowLines).Default(true);
  P.Property("ShowRoot", &TdxDBTreeView::ShowRoot, &TdxDBTreeView::SetShowRoot).Default(true);
  P.Property("ReadOnly", &TdxDBTreeView::ReadOnly, &TdxDBTreeView::SetReadOnly).Default(false);
  P.Property("HideSelection", &TdxDBTreeView::HideSelection, &TdxDBTreeView::SetHideSelection).Default(true);
  P.Property("Indent", &TdxDBTreeView::Indent, &TdxDBTreeView::SetIndent);
  P.Property("Images", &TdxDBTreeView::Images, &TdxDBTreeView::SetImages);
  P.Property("StateImages", &TdxDBTreeView::StateImages, &TdxDBTreeView::SetStateImages);
}

TRENVIK_PUBLISHED(TdxDBLookupTreeView) {
  P.Property("AssignField", &TdxDBLookupTreeView::AssignField, &TdxDBLookupTreeView::SetAssignField);
  P.Property("CanSelectParents", &TdxDBLookupTreeView::CanSelectParents,
             &TdxDBLookupTreeView::SetCanSelectParents);
  P.Property("DataField", &TdxDBLookupTreeView::DataField, &TdxDBLookupTreeView::SetDataField);
  P.Property("DataSource", &TdxDBLookupTreeView::DataSource, &TdxDBLookupTreeView::SetDataSource);
  P.Property("DisplayField", &TdxDBLookupTreeView::DisplayField, &TdxDBLookupTreeView::SetDisplayField);
  P.Property("DividedChar", &TdxDBLookupTreeView::DividedChar, &TdxDBLookupTreeView::SetDividedChar);
  P.Property("DropDownRows", &TdxDBLookupTreeView::DropDownRows, &TdxDBLookupTreeView::SetDropDownRows)
      .Default(7);
  P.Property("DropDownWidth", &TdxDBLookupTreeView::DropDownWidth, &TdxDBLookupTreeView::SetDropDownWidth)
      .Default(0);
  P.Property("ImageIndexField", &TdxDBLookupTreeView::ImageIndexField,
             &TdxDBLookupTreeView::SetImageIndexField);
  P.Property("KeyField", &TdxDBLookupTreeView::KeyField, &TdxDBLookupTreeView::SetKeyField);
  P.Property("ListField", &TdxDBLookupTreeView::ListField, &TdxDBLookupTreeView::SetListField);
  P.Property("ListSource", &TdxDBLookupTreeView::ListSource, &TdxDBLookupTreeView::SetListSource);
  P.Property("Options", &TdxDBLookupTreeView::Options, &TdxDBLookupTreeView::SetOptions);
  P.Property("ParentField", &TdxDBLookupTreeView::ParentField, &TdxDBLookupTreeView::SetParentField);
  P.Property("ReadOnly", &TdxDBLookupTreeView::ReadOnly, &TdxDBLookupTreeView::SetReadOnly).Default(false);
  P.Property("RootValue", &TdxDBLookupTreeView::RootValue, &TdxDBLookupTreeView::SetRootValue);
  P.Property("StateIndexField", &TdxDBLookupTreeView::StateIndexField,
             &TdxDBLookupTreeView::SetStateIndexField);
  P.Property("TextStyle", &TdxDBLookupTreeView::TextStyle, &TdxDBLookupTreeView::SetTextStyle);
  P.Property("TreeViewColor", &TdxDBLookupTreeView::TreeViewColor, &TdxDBLookupTreeView::SetTreeViewColor);
  P.Property("TreeViewImages", &TdxDBLookupTreeView::TreeViewImages, &TdxDBLookupTreeView::SetTreeViewImages);
  P.Property("TreeViewIndent", &TdxDBLookupTreeView::TreeViewIndent, &TdxDBLookupTreeView::SetTreeViewIndent);
  P.Property("TreeViewReadOnly", &TdxDBLookupTreeView::TreeViewReadOnly,
             &TdxDBLookupTreeView::SetTreeViewReadOnly);
  P.Property("TreeViewShowButtons", &TdxDBLookupTreeView::TreeViewShowButtons,
             &TdxDBLookupTreeView::SetTreeViewShowButtons);
  P.Property("TreeViewShowLines", &TdxDBLookupTreeView::TreeViewShowLines,
             &TdxDBLookupTreeView::SetTreeViewShowLines);
  P.Property("TreeViewShowRoot", &TdxDBLookupTreeView::TreeViewShowRoot,
             &TdxDBLookupTreeView::SetTreeViewShowRoot);
}
