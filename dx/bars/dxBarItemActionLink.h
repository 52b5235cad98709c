// The link between a bar item and one of the framework's actions.
#pragma once

#include "platform/forms/ActnList.h"

class TdxBarItem;

class TdxBarItemActionLink : public TActionLink {
  TRENVIK_CLASS(TdxBarItemActionLink, TActionLink);

 public:
  explicit TdxBarItemActionLink(TdxBarItem* AClient) : client_(AClient) {}

  // A property is linked while the action is one with that property and the item still shows the
  // action's value.
  bool IsCaptionLinked() const;
  bool IsCheckedLinked(bool Down) const;
  bool IsEnabledLinked() const;
  bool IsHelpContextLinked() const;
  bool IsHintLinked() const;
  bool IsImageIndexLinked() const;
  bool IsShortCutLinked() const;
  bool IsVisibleLinked() const;
  // OnClick is the action's own OnExecute handler (both bound by name to one method).
  bool IsOnExecuteLinked() const;

 protected:
  void Change() override;

 private:
  TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

  TdxBarItem* client_;
};
