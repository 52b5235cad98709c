// What every reader's entry point shares: the modules started once, headless, as the program
// starts them; the input as a file for readers that take a file name; and a form to host controls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/forms/Forms.h"
#include "platform/rtl/Types.h"

// Starts the headless display and the modules RegisterModules registers on the first call; later
// calls do nothing.
void StartFuzzing(void (*RegisterModules)());

// The input written to a file of this process's own, for readers that take a file name; removed
// with the object.
class TInputFile {
 public:
  TInputFile(const std::uint8_t* Data, size_t Size, const char* Extension);
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;
  const String& Name() const { return name_; }

 private:
  String name_;
};

// An empty shown form named Form1, 360 x 300, for the controls under test; freed with the object.
class TFuzzForm {
 public:
  TFuzzForm();
  ~TFuzzForm();
  TFuzzForm(const TFuzzForm&) = delete;
  TFuzzForm& operator=(const TFuzzForm&) = delete;
  TForm* operator->() const { return form_; }
  TForm* get() const { return form_; }
  // Shows the form and lets it paint everything it holds.
  void ShowAndPaint();

 private:
  TForm* form_;
};
