// The change the engine reports must turn the text it had into the text it has, however many edits
// it merges: the edit window re-measures only that span.
#include <gtest/gtest.h>

#include <functional>

#include "platform/forms/native/TextEngine.h"

namespace {

struct TChangeCase {
  const char* name;
  String before;
  std::function<void(TTextEngine&)> edits;
};

}  // namespace

TEST(TextChangeTest, TheReportedSpanTurnsTheOldTextIntoTheNew) {
  const TChangeCase cases[] = {
      {"one typed character", u"abc", [](TTextEngine& e) { e.SetSel(1, 1), e.TypeChar(u'x'); }},
      {"typing over a selection", u"abcdef", [](TTextEngine& e) { e.SetSel(1, 4), e.TypeChar(u'x'); }},
      {"backspaces", u"abcdef", [](TTextEngine& e) { e.SetSel(4, 4), e.DeleteBackward(), e.DeleteBackward(); }},
      {"a deletion after an insertion further on",
       u"0123456789",
       [](TTextEngine& e) {
         e.SetSel(7, 7), e.TypeChar(u'x');
         e.SetSel(2, 4), e.ReplaceSel(String());
       }},
      {"an insertion before an earlier deletion",
       u"0123456789",
       [](TTextEngine& e) {
         e.SetSel(2, 4), e.ReplaceSel(String());
         e.SetSel(6, 6), e.ReplaceSel(u"yyy");
       }},
      {"a move of selected text (cut, then paste elsewhere)",
       u"one two three",
       [](TTextEngine& e) {
         e.SetSel(0, 4), e.ReplaceSel(String());
         e.SetSel(5, 5), e.ReplaceSel(u"one ");
       }},
      {"undo and redo", u"abc",
       [](TTextEngine& e) {
         e.SetSel(3, 3), e.TypeChar(u'd'), e.TypeChar(u'e');
         e.Undo(), e.Redo(), e.Undo();
       }},
      {"the whole text set", u"abc", [](TTextEngine& e) { e.SetText(u"wxyz"); }},
  };
  for (const TChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTextEngine engine;
    engine.SetMultiLine(true);
    engine.SetText(c.before);
    engine.TakeChange();
    c.edits(engine);
    const TTextChange change = engine.TakeChange();
    ASSERT_TRUE(change.any);
    const String& after = engine.Text();
    ASSERT_LE(change.pos + change.removed, static_cast<int>(c.before.size()));
    ASSERT_LE(change.pos + change.inserted, static_cast<int>(after.size()));
    String rebuilt = c.before;
    rebuilt.replace(change.pos, change.removed, after.substr(change.pos, change.inserted));
    EXPECT_EQ(rebuilt, after);
    EXPECT_FALSE(engine.TakeChange().any) << "a taken change starts afresh";
  }
}

TEST(TextChangeTest, AnEditThatChangesNothingReportsNothing) {
  TTextEngine engine;
  engine.SetText(u"abc");
  engine.TakeChange();
  engine.SetSel(0, 0);
  EXPECT_FALSE(engine.DeleteBackward());
  engine.SetLimit(3);
  engine.SetSel(3, 3);
  EXPECT_FALSE(engine.TypeChar(u'x'));
  EXPECT_FALSE(engine.TakeChange().any);
}
