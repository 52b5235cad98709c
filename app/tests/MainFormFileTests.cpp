// The main window's form file: written and read back it holds every component, and a form file that
// lacks a component the window's code uses stops the window with the form's and the component's name.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/tests/AppTestSupport.h"

namespace {

std::vector<std::string> ComponentNames(TComponent* Root) {
  std::vector<std::string> names;
  for (int i = 0; i < Root->ComponentCount(); ++i)
    if (!Root->Components(i)->Name().empty()) names.push_back(StringToUtf8(Root->Components(i)->Name()));
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadText(const std::string& File) {
  std::ifstream in(File, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class MainFormFileTest : public AppTest {};

TEST_F(MainFormFileTest, WrittenAndReadBackItHoldsEveryComponent) {
  std::unique_ptr<TMainForm> original(NewForm<TMainForm>(nullptr));
  const std::vector<std::string> names = ComponentNames(original.get());
  for (const char* nonVisual : {"Timer1", "ApplicationEvents1", "PopupMenu1", "N1", "ActionManager1", "AExit"})
    EXPECT_NE(std::find(names.begin(), names.end(), nonVisual), names.end()) << nonVisual;
  WriteComponentResFile(folder.File("TMainForm.dfm"), original.get());
  SetResourceDirectory(folder.Path());
  std::unique_ptr<TMainForm> copy(NewForm<TMainForm>(nullptr));
  EXPECT_EQ(ComponentNames(copy.get()), names);
  EXPECT_EQ(copy->Timer1->Interval(), 100u);
  EXPECT_EQ(copy->ActionManager1->ActionCount(), original->ActionManager1->ActionCount());
}

TEST_F(MainFormFileTest, AFormFileWithoutAComponentTheCodeUsesIsAnErrorNamingBoth) {
  std::string text = ReadText(std::string(TRENVIK_APP_RESOURCES) + "/TMainForm.dfm");
  const size_t from = text.find("  object Timer1: TTimer");
  ASSERT_NE(from, std::string::npos);
  text.erase(from, text.find("  end\n", from) + 6 - from);
  std::ofstream(StringToUtf8(folder.File("TMainForm.dfm")), std::ios::binary) << text;
  SetResourceDirectory(folder.Path());
  try {
    std::unique_ptr<TMainForm> form(NewForm<TMainForm>(nullptr));
    ADD_FAILURE() << "the window was made without its timer";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Form TMainForm: its form file has no component Timer1");
  }
}

}  // namespace
