#include <gtest/gtest.h>

#include <memory>

#include "cx/editors/cxEditProperties.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

// A data source that makes its fields right-aligned, read-only or not modifiable as a test wants.
class TNumericFieldProvider : public TcxCustomEditDefaultValuesProvider {
 public:
  TNumericFieldProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
  bool ReadOnlyField = false;
  bool Modifiable = true;
  TAlignment DefaultAlignment() override { return taRightJustify; }
  bool DefaultReadOnly() override { return ReadOnlyField; }
  bool DefaultCanModify() override { return Modifiable; }
};

struct PropertiesFixture {
  TTestEditProperties properties{nullptr};
  int changes = 0;
  PropertiesFixture() {
    properties.OnPropertiesChanged = [this](TObject*) { ++changes; };
  }
};

TEST(CxEditProperties, ChangesInsideABracketNotifyOnceAndAnUnmatchedEndDoesNothing) {
  PropertiesFixture f;
  f.properties.EndUpdate();
  EXPECT_EQ(f.changes, 0);
  f.properties.BeginUpdate();
  f.properties.SetReadOnly(true);
  f.properties.SetUseLeftAlignmentOnEditing(false);
  f.properties.Buttons()->Add();
  EXPECT_EQ(f.changes, 0);
  f.properties.EndUpdate();
  EXPECT_EQ(f.changes, 1);
  f.properties.EndUpdate();
  EXPECT_EQ(f.changes, 1) << "the counter is already 0";

  f.properties.SetChangedLocked(true);
  f.properties.SetReadOnly(false);
  EXPECT_EQ(f.changes, 1) << "locked";
}

TEST(CxEditProperties, ReadOnlyAssignedOverridesTheProvider) {
  PropertiesFixture f;
  auto provider = std::make_shared<TNumericFieldProvider>();
  f.properties.SetDefaultValuesProvider(provider);
  provider->ReadOnlyField = true;
  EXPECT_TRUE(f.properties.ReadOnly()) << "unassigned: the provider's default";
  EXPECT_FALSE(f.properties.CanModify());

  f.properties.SetReadOnly(false);
  EXPECT_EQ(f.changes, 1) << "False while unassigned still marks it assigned";
  EXPECT_TRUE(f.properties.IsReadOnlyStored());
  provider->Modifiable = false;
  EXPECT_TRUE(f.properties.CanModify()) << "assigned False answers regardless of the provider";

  f.properties.SetReadOnly(false);
  EXPECT_EQ(f.changes, 1) << "same assigned value: no notification";

  f.properties.AssignedValues()->RestoreDefaults();
  provider->ReadOnlyField = false;
  EXPECT_FALSE(f.properties.CanModify()) << "the provider refuses modification";
}

TEST(CxEditProperties, HorizontalAlignmentFollowsTheProviderUntilAssigned) {
  PropertiesFixture f;
  f.properties.SetDefaultValuesProvider(std::make_shared<TNumericFieldProvider>());
  EXPECT_EQ(f.properties.Alignment()->Horz(), taRightJustify);
  EXPECT_FALSE(f.properties.Alignment()->IsHorzAssigned());
  EXPECT_FALSE(f.properties.IsAlignmentStored());

  f.properties.Alignment()->SetHorz(taRightJustify);
  EXPECT_TRUE(f.properties.IsAlignmentStored()) << "the same value, assigned, is stored";
  EXPECT_GE(f.changes, 1);
  f.properties.ReleaseDefaultValuesProvider();
  EXPECT_EQ(f.properties.Alignment()->Horz(), taRightJustify) << "the assigned value stays";

  f.properties.Alignment()->SetVert(taVCenter);
  EXPECT_EQ(f.properties.Alignment()->Vert(), taVCenter);
}

TEST(CxEditProperties, AssignCopiesSettingsAndEventsButNotTheOwnersHandler) {
  PropertiesFixture source, target;
  source.properties.SetBeepOnError(true);
  source.properties.SetClearKey(VK_DELETE | scCxCtrl);
  source.properties.SetReadOnly(true);
  source.properties.SetValidateOnEnter(true);
  source.properties.Buttons()->Add()->Default = true;
  int validations = 0;
  source.properties.OnValidate = [&](TObject*, Variant&, String&, bool&) { ++validations; };

  const int sourceChanges = source.changes;
  target.properties.Assign(&source.properties);
  EXPECT_TRUE(target.properties.BeepOnError());
  EXPECT_EQ(target.properties.ClearKey(), VK_DELETE | scCxCtrl);
  EXPECT_EQ(target.properties.ClickKey(), 16397);
  EXPECT_TRUE(target.properties.ReadOnly());
  EXPECT_TRUE(target.properties.IsReadOnlyStored());
  EXPECT_TRUE(target.properties.ValidateOnEnter());
  ASSERT_EQ(target.properties.Buttons()->Count(), 1);
  EXPECT_TRUE(target.properties.Buttons()->Items(0)->Default);
  EXPECT_EQ(target.changes, 1) << "one notification for the whole copy";

  target.properties.SetReadOnly(false);
  EXPECT_EQ(target.changes, 2) << "the target's own handler is kept";
  EXPECT_EQ(source.changes, sourceChanges) << "nothing reaches the source's handler";

  Variant value;
  String text;
  bool error = false;
  target.properties.ValidateDisplayValue(value, text, error, nullptr);
  EXPECT_EQ(validations, 0) << "no edit: the event is not fired";
}

TEST(CxEditProperties, ValidationFillsTheDefaultTextOnlyWhenTheEditorValidates) {
  PropertiesFixture f;
  TTestEdit edit(nullptr);
  int fired = 0;
  f.properties.OnValidate = [&](TObject* Sender, Variant&, String& ErrorText, bool&) {
    ++fired;
    EXPECT_EQ(Sender, &edit);
    EXPECT_EQ(ErrorText, u"Invalid input value. Use escape key to abandon changes");
  };
  Variant value = u"x";
  String text;
  bool error = false;
  f.properties.ValidateDisplayValue(value, text, error, &edit);
  EXPECT_EQ(fired, 1);

  f.properties.Validates = false;
  text.clear();
  f.properties.ValidateDisplayValue(value, text, error, &edit);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(text.empty());
}

TEST(CxEditProperties, SupportedOperationsAndShortCuts) {
  TcxCustomEditProperties properties(nullptr);
  EXPECT_EQ(cxSupportedOperationsMask(properties.GetSupportedOperations()), 0);
  properties.Buttons()->Add();
  EXPECT_EQ(cxSupportedOperationsMask(properties.GetSupportedOperations()), 16);
  EXPECT_EQ(cxShortCut(VK_RETURN, {ssCtrl}), 16397);
  EXPECT_EQ(cxShortCut('A', {ssShift, ssAlt}), 'A' | scCxShift | scCxAlt);
}

TEST(CxEditAlignment, HorzSetterAlwaysReportsVertOnlyOnChange) {
  TcxEditAlignment alignment(nullptr);
  int changes = 0;
  alignment.OnChanged = [&](TObject*) { ++changes; };
  alignment.SetHorz(taLeftJustify);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(alignment.IsHorzStored());
  alignment.SetVert(taTopJustify);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(alignment.IsVertStored());
  alignment.SetVert(taBottomJustify);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(alignment.IsVertStored());
}

}  // namespace
