// The editor's model on two list doubles that cannot show every byte: each edit keeps the
// bytes, follows the order and selection rules of the editor, and leaves each double showing
// the model's entries at the same positions. (On the real window: editor_editing_test.cpp.)
#include "cycle_editor/editor_model.h"

#include <gtest/gtest.h>

#include <new>
#include <utility>

#include <sstream>

#include "shown_list_double.h"

namespace {

using testing_support::CompareNoCase;
using testing_support::ShownListDouble;
using Names = std::vector<std::string>;

class EditorModelTest : public ::testing::Test {
 protected:
  // "maps | rotation": names split by blanks, "*" after a selected one; "~" stands for a byte
  // the doubles cannot show (0xE9), "0" for a NUL.
  void Fill(const std::string& lists) {
    Names texts[2];
    std::vector<bool> flags[2];
    std::istringstream words(lists);
    int list = 0;
    for (std::string word; words >> word;) {
      if (word == "|") {
        list = 1;
        continue;
      }
      flags[list].push_back(word.back() == '*');
      if (word.back() == '*') word.pop_back();
      for (char& c : word) c = c == '~' ? '\xE9' : (c == '0' ? '\0' : c);
      texts[list].push_back(word);
    }
    shownOtherwise_ = model_.Fill(texts[0], texts[1]);
    maps_.selected = flags[0];  // the maps were given in sorted order
    rotation_.selected = flags[1];
  }

  // The model in Fill's notation, after checking that both doubles show it.
  std::string Now() {
    EXPECT_TRUE(maps_.Agrees(model_.maps()) && rotation_.Agrees(model_.rotation()));
    std::string now;
    auto write = [&](const Names& texts, const std::vector<bool>& flags) {
      for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string word = texts[i];
        for (char& c : word) c = c == '\xE9' ? '~' : (c == '\0' ? '0' : c);
        now += word + (flags[i] ? "* " : " ");
      }
    };
    write(model_.maps(), maps_.selected);
    now += "|";
    write(model_.rotation(), rotation_.selected);
    return now.substr(0, now.find_last_not_of(' ') + 1);
  }

  ShownListDouble maps_, rotation_;
  cycle::EditorModel model_{maps_, rotation_, CompareNoCase};
  std::vector<std::size_t> shownOtherwise_;
};

TEST_F(EditorModelTest, FillSortsTheMapsAndKeepsEveryLineAsItIs) {
  model_.Fill({"c", "a", "B", "A", "b\xE9"},
              {"de_dust", "caf\xE9", "", "de_dust", std::string("x\0y", 3)});
  maps_.selected.assign(5, false);
  rotation_.selected.assign(5, false);
  // Equal ranks keep their order; the rotation keeps duplicates and bytes.
  EXPECT_EQ(Now(), "a A B b~ c |de_dust caf~  de_dust x0y");
  EXPECT_EQ(model_.Fill({}, {"ok", "caf\xE9", std::string("x\0y", 3)}),
            (std::vector<std::size_t>{1, 2}));
}

TEST_F(EditorModelTest, EditsFollowTheRulesAndKeepTheBytes) {
  const struct {
    std::string before, after;
    void (*press)(cycle::EditorModel&);
  } cases[] = {
      // Selected maps head the rotation in their order, unselected; its flags stay.
      {"a b* c~ d0* | q r*", "a c~ |b d0 q r*", [](auto& m) { m.MoveIntoRotation(); }},
      {"a b | c*", "a b |c*", [](auto& m) { m.MoveIntoRotation(); }},
      // Removed entries go after the maps they rank equal with, in rotation order, unselected;
      // duplicates stay two entries, and the maps keep their flags.
      {"a c* e* | D* b* f b~* B*", "a b B b~ c* D e* |f", [](auto& m) { m.RemoveFromRotation(); }},
      {"d | d* D* d*", "d d D d |", [](auto& m) { m.RemoveFromRotation(); }},
      // Up and down move the first selected entry that can move, alone selected (none at the ends
      // or on an empty list: the rotation fuzz target).
      {"x* | A* B C~ D*", "x* |A B D* C~", [](auto& m) { m.MoveUp(); }},
      {"x* | A B~* C* D", "x* |A C B~* D", [](auto& m) { m.MoveDown(); }},
      // The shuffle puts the first map at n / 2 and selects nothing.
      {"x* | A* B C~ D E", "x* |D B A E C~",
       [](auto& m) {
         double draws[] = {0.3, 0.8, 0.1, 0.6}, *next = draws;
         m.Shuffle([&] { return *next++; });
       }},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.before);
    Fill(test.before);
    test.press(model_);
    EXPECT_EQ(Now(), test.after);
  }
  Fill("x | A B* C");
  EXPECT_TRUE(model_.MoveUp() && rotation_.current == 0 && !model_.MoveUp());
}

// An edit that fails (here a list that cannot show it, as when memory runs out) leaves the model
// and both lists as they were, so that a save still writes what the lists show.
TEST_F(EditorModelTest, AnEditThatFailsLeavesModelAndListsAsBefore) {
  struct Failing : ShownListDouble {
    std::vector<std::size_t> Show(const std::vector<std::string>& entries,
                                  const std::vector<bool>& flags) override {
      if (std::exchange(fail, false)) {
        shown.clear();  // cut short part of the way
        throw std::bad_alloc();
      }
      return ShownListDouble::Show(entries, flags);
    }
    void MoveEntry(std::size_t from, std::size_t to) override {
      if (std::exchange(fail, false)) throw std::bad_alloc();
      ShownListDouble::MoveEntry(from, to);
    }
    bool fail = false;
  } maps, rotation;
  cycle::EditorModel model(maps, rotation, CompareNoCase);
  using Edit = void (*)(cycle::EditorModel&);
  const Edit into = [](auto& m) { m.MoveIntoRotation(); };
  const Edit out = [](auto& m) { m.RemoveFromRotation(); };
  const Edit up = [](auto& m) { m.MoveUp(); };
  const Edit down = [](auto& m) { m.MoveDown(); };
  const Edit shuffle = [](auto& m) { m.Shuffle([] { return 0.5; }); };
  const std::pair<Failing*, std::vector<Edit>> cases[] = {
      {&maps, {into, out}}, {&rotation, {into, out, up, down, shuffle}}};
  for (const auto& [failing, edits] : cases) {
    for (std::size_t i = 0; i < edits.size(); ++i) {
      const Edit edit = edits[i];
      SCOPED_TRACE(testing::Message() << (failing == &maps ? "maps " : "rotation ") << i);
      model.Fill({"a", "b"}, {"x", "y", "z"});
      maps.selected = {true, false};
      rotation.selected = {false, true, false};
      failing->fail = true;
      EXPECT_THROW(edit(model), std::bad_alloc);
      failing->fail = false;
      EXPECT_EQ(model.maps(), (std::vector<std::string>{"a", "b"}));
      EXPECT_EQ(model.rotation(), (std::vector<std::string>{"x", "y", "z"}));
      EXPECT_TRUE(maps.Agrees(model.maps()) && rotation.Agrees(model.rotation()));
    }
  }
}

}  // namespace
