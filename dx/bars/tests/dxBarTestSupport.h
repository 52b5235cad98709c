// A form with a bar manager, freed after each test.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

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

// A new folder below /tmp for the files a test writes, removed with them.
class TTempFolder {
 public:
  TTempFolder() {
    char pattern[] = "/tmp/bars-test-XXXXXX";
    if (!::mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
