// Rows as tab-separated text, one line per node after a header line, for the clipboard and for
// spreadsheet programs.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "platform/forms/Clipboard.h"

void TCustomdxTreeList::GetHeadersText(String& Text) {
  Text.clear();
  int count = GetVisibleColumnCount();
  for (int i = 0; i < count; ++i) {
    if (i > 0) Text += u'\t';
    Text += GetColumnHeaderText(GetAbsoluteColumnIndex(i));
  }
  Text += u"\r\n";
}

void TCustomdxTreeList::GetNodeText(TdxTreeListNode* Node, String& Text) {
  Text.clear();
  if (IsGroupNode(Node)) {
    GetNodeString(Node, 0, Text);
    return;
  }
  int count = GetVisibleColumnCount();
  String cell;
  for (int i = 0; i < count; ++i) {
    if (i > 0) Text += u'\t';
    GetNodeString(Node, GetAbsoluteColumnIndex(i), cell);
    Text += cell;
  }
}

void TCustomdxTreeList::CopyAllToStrings(TStrings* Strings) {
  String line;
  GetHeadersText(line);
  Strings->Add(line);
  for (TdxTreeListNode* n = GetFirstNode(); n; n = GetNextVisibleNode(n)) {
    GetNodeText(n, line);
    Strings->Add(line);
  }
}

void TCustomdxTreeList::CopySelectedToStrings(TStrings* Strings) {
  String line;
  GetHeadersText(line);
  Strings->Add(line);
  std::vector<TdxTreeListNode*> nodes;
  if (IsMultiSelect()) {
    for (int i = 0, count = GetSelectedCount(); i < count; ++i) nodes.push_back(GetSelectedNode(i));
    std::sort(nodes.begin(), nodes.end(), [](const TdxTreeListNode* A, const TdxTreeListNode* B) {
      return CompareNodesInTreeOrder(A, B) < 0;
    });
  } else if (focused_) {
    nodes.push_back(focused_);
  }
  for (TdxTreeListNode* n : nodes) {
    GetNodeText(n, line);
    Strings->Add(line);
  }
}

void TCustomdxTreeList::CopySelectedToClipboard() {
  TStringList lines;
  CopySelectedToStrings(&lines);
  Clipboard()->SetAsText(lines.Text());
}
