// The editor's model on two list doubles: an edit that fails leaves model and lists as they were.
// (Its other rules: fuzz/rotation_edits_fuzz.cpp and editor_editing_test.cpp.)
#include "cycle_editor/editor_model.h"

#include <gtest/gtest.h>

#include <new>
#include <utility>

#include "shown_list_double.h"

namespace {

using testing_support::CompareNoCase;
using testing_support::ShownListDouble;

// An edit that fails (here a list that cannot show it, as when memory runs out) leaves the model
// and both lists as they were, so that a save still writes what the lists show.
TEST(EditorModel, AnEditThatFailsLeavesModelAndListsAsBefore) {
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
