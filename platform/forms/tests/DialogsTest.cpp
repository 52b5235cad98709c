// The file dialogs (their filters, folder listings and name resolution, and the dialogs driven by
// simulated keys over a temporary folder) and the database login dialog.
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/forms/Dialogs.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/gdi/Font.h"
#include "platform/rtl/FileUtils.h"

namespace fs = std::filesystem;

namespace {

// A temporary folder with some files, removed afterwards.
class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "filedialogXXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TTempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  void File(const std::string& name) { std::ofstream(path_ / name) << "x"; }
  void Folder(const std::string& name) { fs::create_directories(path_ / name); }
  String Path() const { return Utf8ToString(path_.string()); }
  String Path(const std::string& name) const { return Utf8ToString((path_ / name).string()); }

 private:
  fs::path path_;
};

std::vector<std::string> Names(const std::vector<TFolderEntry>& entries) {
  std::vector<std::string> out;
  for (const TFolderEntry& e : entries)
    out.push_back((e.IsFolder ? "[" : "") + StringToUtf8(e.Name) + (e.IsFolder ? "]" : ""));
  return out;
}

// What a dialog showed: its caption, its labels and the lists' items, when it became active.
struct TShown {
  std::string caption;
  std::vector<std::string> labels;
  std::vector<std::vector<std::string>> lists;
  std::vector<Char> passwordChars;
};

void Collect(TWinControl* parent, TShown& s) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (auto* l = dynamic_cast<TLabel*>(c)) s.labels.push_back(StringToUtf8(l->Caption()));
    if (auto* list = dynamic_cast<TListBox*>(c)) {
      std::vector<std::string> items;
      for (int k = 0; k < list->Count(); ++k) items.push_back(StringToUtf8(list->Items()->Strings(k)));
      s.lists.push_back(items);
    }
    if (auto* e = dynamic_cast<TEdit*>(c)) s.passwordChars.push_back(e->PasswordChar());
    if (auto* w = dynamic_cast<TWinControl*>(c)) Collect(w, s);
  }
}

}  // namespace

TEST(FileDialogLogicTest, FiltersAndMasks) {
  auto filters = ParseFileFilter(u"Excel|*.xls|Pictures|*.bmp; *.jpg|All files|*.*");
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].Description, u"Excel");
  EXPECT_EQ(filters[1].Masks, (std::vector<String>{u"*.bmp", u"*.jpg"}));
  EXPECT_TRUE(ParseFileFilter(u"").empty());
  struct {
    const char16_t* name;
    const char16_t* mask;
    bool match;
  } cases[] = {
      {u"report.xls", u"*.xls", true},
      {u"REPORT.XLS", u"*.xls", true},
      {u"report.xlsx", u"*.xls", false},
      {u"a.b.xls", u"*.xls", true},
      {u"noext", u"*.*", true},
      {u"data1.txt", u"data?.txt", true},
      {u"data12.txt", u"data?.txt", false},
      {u"фото.JPG", u"*.jpg", true},
      {u"xls", u"*.xls", false},
      {u"abc", u"a*c*", true},
  };
  for (auto& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << StringToUtf8(c.name);
  EXPECT_EQ(ApplyDefaultExt(u"/t/book", u"xls"), u"/t/book.xls");
  EXPECT_EQ(ApplyDefaultExt(u"/t/book.csv", u"xls"), u"/t/book.csv");
  EXPECT_EQ(ApplyDefaultExt(u"/t/book", u""), u"/t/book");
}

TEST(FileDialogLogicTest, ListingAndResolvingNamesInAFolder) {
  TTempFolder tmp;
  for (auto* f : {"b.XLS", "a.xls", "c.txt", ".hidden.xls"}) tmp.File(f);
  tmp.Folder("Zeta");
  tmp.Folder("alpha");
  EXPECT_EQ(Names(ListFolder(tmp.Path(), {u"*.xls"})),
            (std::vector<std::string>{"[alpha]", "[Zeta]", "a.xls", "b.XLS"}));
  EXPECT_EQ(Names(ListFolder(tmp.Path(), {})).size(), 5u);

  TFileDialogModel m(u"Excel|*.xls|All|*.*", 1, tmp.Path());
  EXPECT_EQ(m.Folder(), tmp.Path());
  EXPECT_EQ(m.Entries().size(), 4u);
  m.SetFilterIndex(2);
  EXPECT_EQ(m.Entries().size(), 5u);
  m.SetMask(u"*.txt");
  EXPECT_EQ(Names(m.Entries()), (std::vector<std::string>{"[alpha]", "[Zeta]", "c.txt"}));

  struct {
    const char16_t* typed;
    TOpenOptions options;
    bool save;
    TFileNameAction::TKind kind;
    String path;
  } cases[] = {
      {u"a", {}, false, TFileNameAction::Accept, tmp.Path("a.xls")},
      {u"new", {}, true, TFileNameAction::Accept, tmp.Path("new.xls")},
      {u"c.txt", {ofFileMustExist}, false, TFileNameAction::Accept, tmp.Path("c.txt")},
      {u"missing", {ofFileMustExist}, false, TFileNameAction::Invalid, tmp.Path("missing.xls")},
      {u"nowhere/x", {ofPathMustExist}, false, TFileNameAction::Invalid, tmp.Path("nowhere/x.xls")},
      {u"alpha", {}, false, TFileNameAction::Navigate, tmp.Path("alpha")},
      {u"alpha/..", {}, false, TFileNameAction::Navigate, tmp.Path()},
      {u"*.x?s", {}, false, TFileNameAction::SetMask, String()},
      {u"  ", {}, false, TFileNameAction::Invalid, String()},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.typed));
    TFileNameAction a = m.Resolve(c.typed, u"xls", c.options, c.save);
    EXPECT_EQ(a.Kind, c.kind);
    if (!c.path.empty()) {
      EXPECT_EQ(a.Path, c.path);
    }
  }
  EXPECT_NE(m.Resolve(u"missing", u"xls", {ofFileMustExist}, false).Message.find(u"File not found"),
            String::npos);
  // Up to the parent and back.
  m.SetFolder(tmp.Path("alpha"));
  EXPECT_TRUE(m.GoUp());
  EXPECT_EQ(m.Folder(), tmp.Path());
}

class DialogsTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    owner = MakeForm(100, 100, 300, 200);
    owner->Show();
    Pump();
    Screen->OnActiveFormChange = [this](TObject*) {
      TCustomForm* f = Screen->ActiveForm();
      if (!f || f == owner) return;
      TShown s;
      s.caption = StringToUtf8(f->Caption());
      Collect(f, s);
      shown.push_back(s);
    };
  }
  void TearDown() override {
    Screen->OnActiveFormChange = nullptr;
    SetMessageBoxHook(nullptr);
    FormsTest::TearDown();
  }
  static void Keys(std::initializer_list<UINT> keys) {
    for (UINT k : keys) SimulateKeyPress(k);
  }

  TForm* owner = nullptr;
  std::vector<TShown> shown;
};

TEST_F(DialogsTest, OpenDialogListsAndFiltersAFolderAndIsDrivenByKeys) {
  TTempFolder tmp;
  for (auto* f : {"a.xls", "b.XLS", "c.txt"}) tmp.File(f);
  tmp.Folder("sub");
  tmp.File("sub/d.xls");
  TOpenDialog d(owner);
  d.SetFilter(u"Excel|*.xls|All files|*.*");
  d.SetDefaultExt(u"xls");
  d.SetInitialDir(tmp.Path());

  // A name typed with Enter.
  SimulateText(u"a");
  Keys({VK_RETURN});
  ASSERT_TRUE(d.Execute());
  EXPECT_EQ(d.FileName(), tmp.Path("a.xls"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Open");
  ASSERT_EQ(shown[0].lists.size(), 2u);
  EXPECT_EQ(shown[0].lists[0], (std::vector<std::string>{"..", "[sub]", "a.xls", "b.XLS"}));
  EXPECT_EQ(shown[0].lists[1], (std::vector<std::string>{"Excel", "All files"}));

  // Into the sub-folder from the list, then a file there.
  int folderChanges = 0;
  d.OnFolderChange = [&](TObject*) { ++folderChanges; };
  Keys({VK_TAB, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(d.Execute());
  EXPECT_EQ(d.FileName(), tmp.Path("sub/d.xls"));
  EXPECT_EQ(folderChanges, 1);

  // Another filter shows the text file; its index comes back.
  d.SetInitialDir(tmp.Path());
  Keys({VK_TAB, VK_TAB, VK_DOWN});
  SimulateKeyPress(VK_TAB, 1);
  SimulateKeyPress(VK_TAB, 1);
  SimulateText(u"c.txt");
  Keys({VK_RETURN});
  ASSERT_TRUE(d.Execute());
  EXPECT_EQ(d.FileName(), tmp.Path("c.txt"));
  EXPECT_EQ(d.FilterIndex(), 2);

  // Escape cancels and keeps the file name.
  Keys({VK_ESCAPE});
  EXPECT_FALSE(d.Execute());
  EXPECT_EQ(d.FileName(), tmp.Path("c.txt"));
}

TEST_F(DialogsTest, MissingFilesAndOverwritingAreAskedAbout) {
  TTempFolder tmp;
  tmp.File("book.xls");
  std::vector<std::string> asked;
  int answer = IDNO;
  SetMessageBoxHook([&](const String& Text, const String&, UINT) {
    asked.push_back(StringToUtf8(Text));
    return answer;
  });
  TOpenDialog open(owner);
  open.SetFilter(u"Excel|*.xls");
  open.SetDefaultExt(u"xls");
  open.SetInitialDir(tmp.Path());
  open.SetOptions(TOpenOptions{ofFileMustExist});
  SimulateText(u"nothing");
  Keys({VK_RETURN, VK_ESCAPE});
  EXPECT_FALSE(open.Execute());
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find("File not found"), std::string::npos);

  TSaveDialog save(owner);
  save.SetFilter(u"Excel|*.xls");
  save.SetDefaultExt(u"xls");
  save.SetInitialDir(tmp.Path());
  save.SetOptions(TOpenOptions{ofOverwritePrompt});
  asked.clear();
  SimulateText(u"book");
  Keys({VK_RETURN, VK_ESCAPE});
  EXPECT_FALSE(save.Execute());  // "No" keeps the dialog open
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], StringToUtf8(tmp.Path("book.xls")) + " already exists.\r\nDo you want to replace it?");
  answer = IDYES;
  SimulateText(u"book");
  Keys({VK_RETURN});
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName(), tmp.Path("book.xls"));
  EXPECT_EQ(shown.back().caption, "Save As");
  // A new name is not asked about.
  asked.clear();
  SimulateText(u"fresh");
  Keys({VK_RETURN});
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName(), tmp.Path("fresh.xls"));
  EXPECT_TRUE(asked.empty());
}

TEST_F(DialogsTest, PictureDialogsFilterTheRegisteredPictureFormats) {
  TOpenPictureDialog d(owner);
  EXPECT_NE(d.Filter().find(u"*.bmp"), String::npos);
  EXPECT_NE(d.Filter().find(u"*.jpg"), String::npos);
}

TEST_F(DialogsTest, LoginDialogAnsweredByKeys) {
  String user, password;
  SimulateText(u"admin");
  Keys({VK_TAB});
  SimulateText(u"secret");
  Keys({VK_RETURN});
  ASSERT_TRUE(LoginDialog(u"Trenvik", user, password));
  EXPECT_EQ(user, u"admin");
  EXPECT_EQ(password, u"secret");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Database Login");
  EXPECT_EQ(shown[0].labels, (std::vector<std::string>{"Database:", "Trenvik", "User Name", "Password"}));
  EXPECT_EQ(shown[0].passwordChars, (std::vector<Char>{0, u'*'}));

  // A known user name: the password is typed straight away.
  password.clear();
  SimulateText(u"pw2");
  Keys({VK_RETURN});
  ASSERT_TRUE(LoginDialog(u"Trenvik", user, password));
  EXPECT_EQ(user, u"admin");
  EXPECT_EQ(password, u"pw2");

  // Escape cancels and leaves both as they were.
  SimulateText(u"typed");
  Keys({VK_ESCAPE});
  EXPECT_FALSE(LoginDialog(u"Trenvik", user, password));
  EXPECT_EQ(password, u"pw2");
}

// Each label of the login dialog shows all of its text in the dialog's font: as wide as the text
// measured on a canvas, inside its panel and clear of the edits beside it, whatever the font.
TEST_F(DialogsTest, LoginDialogLabelsFitTheirTextAtAnyFont) {
  struct {
    const char16_t* face;  // nullptr: the dialog's own font
    int height;
  } fonts[] = {{nullptr, 0}, {kFixedTestFontName, -16}, {kFixedTestFontName, -24}, {u"MS Sans Serif", -20}};
  for (auto& font : fonts) {
    SCOPED_TRACE(font.face ? StringToUtf8(font.face) + " " + std::to_string(font.height) : "default font");
    int checkedLabels = 0;
    Screen->OnActiveFormChange = [&](TObject*) {
      TCustomForm* f = Screen->ActiveForm();
      if (!f || f == owner || checkedLabels) return;
      if (font.face) {
        f->Font()->SetName(font.face);
        f->Font()->SetHeight(font.height);
      }
      TBitmap measure;
      measure.SetSize(1, 1);
      RECT client = f->ClientRect();
      std::function<void(TWinControl*)> check = [&](TWinControl* parent) {
        RECT inside = parent->ClientRect();
        for (int i = 0; i < parent->ControlCount(); ++i) {
          TControl* c = parent->Controls(i);
          RECT r = c->BoundsRect(), common;
          if (parent == f) {
            EXPECT_TRUE(r.right <= client.right && r.bottom <= client.bottom) << StringToUtf8(c->ClassName());
          }
          auto* l = dynamic_cast<TLabel*>(c);
          if (!l) {
            if (auto* w = dynamic_cast<TWinControl*>(c)) check(w);
            continue;
          }
          ++checkedLabels;
          std::string what = StringToUtf8(l->Caption());
          if (font.face) {
            EXPECT_EQ(l->Font()->Height(), font.height) << what;
          }
          measure.Canvas()->Font()->Assign(l->Font());
          SIZE text = measure.Canvas()->TextExtent(l->Caption());
          EXPECT_GE(l->Width(), text.cx) << what;
          EXPECT_GE(l->Height(), text.cy) << what;
          EXPECT_TRUE(r.left >= inside.left && r.right <= inside.right && r.bottom <= inside.bottom) << what;
          for (int k = 0; k < parent->ControlCount(); ++k) {
            auto* w = dynamic_cast<TWinControl*>(parent->Controls(k));
            RECT edit = w ? w->BoundsRect() : RECT{};
            if (w && IntersectRect(&common, &r, &edit))
              ADD_FAILURE() << what << " is covered by " << StringToUtf8(w->ClassName());
          }
        }
      };
      check(f);
    };
    String user, password;
    Keys({VK_ESCAPE});
    EXPECT_FALSE(LoginDialog(u"/srv/trenvik/database/edu.db", user, password));
    EXPECT_EQ(checkedLabels, 4);
  }
}
