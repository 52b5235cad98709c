#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/rtl/ModuleInit.h"
#include "platform/rtl/String.h"
#include "platform/win/Metrics.h"

void RegisterDisplayModules();

void StartFuzzing(void (*RegisterModules)()) {
  static const bool started = [RegisterModules] {
    setenv("TRENVIK_HEADLESS", "1", 1);
    setenv("TRENVIK_RESOURCES", TRENVIK_SOURCE_RESOURCES_DIR, 0);
    RegisterDisplayModules();
    RegisterModules();
    InitializeModules();
    SetScreenSize(1024, 768);
    return true;
  }();
  (void)started;
}

TInputFile::TInputFile(const std::uint8_t* Data, size_t Size, const char* Extension) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/trenvik-fuzz-" +
                           std::to_string(getpid()) + "." + Extension;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (Size && std::fwrite(Data, 1, Size, f) != Size) std::abort();
  std::fclose(f);
  name_ = Utf8ToString(path);
}

TInputFile::~TInputFile() { std::remove(StringToUtf8(name_).c_str()); }

TFuzzForm::TFuzzForm() : form_(NewForm<TForm>(nullptr)) {
  form_->SetName(u"Form1");
  form_->SetBounds(20, 20, 360, 300);
}

TFuzzForm::~TFuzzForm() {
  delete form_;
  Application->ProcessMessages();
}

void TFuzzForm::ShowAndPaint() {
  form_->Show();
  Application->ProcessMessages();
  form_->Repaint();
}
