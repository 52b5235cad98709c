// A form with a bar manager, freed after each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"

class DxBarTest : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    manager = new TdxBarManager(form.get());
  }

  TdxBarItem* MakeItem(const String& Caption, int Category = 0) {
    auto* item = new TdxBarItem(form.get());
    item->SetCaption(Caption);
    item->SetCategory(Category);
    return item;
  }

  std::unique_ptr<TForm> form;
  TdxBarManager* manager = nullptr;  // owned by the form
};
