// The button edit: its ellipsis button clicked by the mouse, and by Ctrl+Enter when it is the
// default button.
#include "cx/editors-ext/cxButtonEdit.h"

#include <vector>

#include "cx/editors/cxEditViewInfo.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/win/Input.h"

namespace {

class CxButtonEditTest : public CxControlsTest {};

TEST_F(CxButtonEditTest, TheEllipsisButtonRaisesButtonClick) {
  TForm* form = MakeForm();
  auto* edit = Add<TcxButtonEdit>(form, 10, 10, 150, 21);
  TcxCustomEditProperties* properties = edit->GetActiveProperties();
  ASSERT_EQ(properties->Buttons()->Count(), 1);
  EXPECT_EQ(properties->Buttons()->Items(0)->Kind, bkEllipsis);
  std::vector<int> clicks;
  properties->OnButtonClick = [&](TObject*, int AIndex) { clicks.push_back(AIndex); };
  form->Show();
  Pump();
  const RECT button = edit->EditViewInfo()->Button(0)->Bounds;
  Click(edit, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  EXPECT_EQ(clicks, std::vector<int>{0});

  edit->SetFocus();
  Pump();
  properties->Buttons()->Items(0)->Default = false;
  Key(VK_RETURN, 2);  // Ctrl+Enter
  EXPECT_EQ(clicks.size(), 1u) << "not the default button: the click key does nothing";
  properties->Buttons()->Items(0)->Default = true;
  Key(VK_RETURN, 2);
  EXPECT_EQ(clicks, (std::vector<int>{0, 0}));

  // Assigned properties are copied, buttons included; the edit keeps its own object.
  TcxButtonEditProperties other(nullptr);
  other.Buttons()->Add()->Kind = bkText;
  TcxCustomEditProperties* own = edit->Properties();
  edit->SetProperties(&other);
  EXPECT_EQ(edit->Properties(), own);
  EXPECT_EQ(own->Buttons()->Count(), 2);
  EXPECT_EQ(own->Buttons()->Items(1)->Kind, bkText);
}

}  // namespace
