// Bars reset to what the developer designed, from the owner form's form file.
#include <memory>

#include "dx/bars/dxBarBars.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Filer.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

std::unique_ptr<TForm> TdxBarManager::CreateDesignTimeForm() const {
  if (!parentForm_) return nullptr;
  const String file = FindResourceFile(parentForm_->ClassName());
  if (file.empty()) return nullptr;
  TStringList lines;
  lines.LoadFromFile(file);
  const String header = u"object " + Name() + u": " + ClassName();
  int start = -1;
  for (int i = 0; i < lines.Count() && start < 0; ++i)
    if (Trim(lines.Strings(i)) == header) start = i;
  if (start < 0) return nullptr;
  const String first = lines.Strings(start);
  const String closing = first.substr(0, first.find(u'o')) + u"end";
  // The form's handlers are not the temporary form's: every "On..." line is left out.
  String text = u"object TempForm: TForm\n";
  for (int i = start; i < lines.Count(); ++i) {
    const String line = lines.Strings(i);
    if (!TrimLeft(line).starts_with(u"On")) text += line + u"\n";
    if (line == closing) break;
  }
  text += u"end\n";
  TMemoryStream binary;
  ObjectTextToBinary(text, &binary);
  binary.SetPosition(0);
  auto temp = std::make_unique<TForm>(nullptr);
  TReader(&binary).ReadRootComponent(temp.get());
  return temp;
}

void TdxBar::Reset() {
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  std::unique_ptr<TForm> temp = manager->CreateDesignTimeForm();
  TdxBarManager* design = temp ? BarManagerByForm(temp.get()) : nullptr;
  if (!design || Index() >= design->Bars()->Count()) return;
  TdxBar* designed = design->Bars()->Items(Index());
  SetResettingFromDesign(true);
  TScopeExit resetting([] { SetResettingFromDesign(false); });
  const bool visible = visible_;
  // The bar's window is made again for its new links (and, with a full reset, its new place).
  SetVisible(false);
  if (manager->UseFullReset())
    Assign(designed);
  else
    itemLinks_->Assign(designed->ItemLinks());
  itemLinks_->CopyUsageFrom(designed->ItemLinks());
  SetVisible(false);
  SetVisible(visible);
}
