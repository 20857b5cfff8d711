// The editor's own copy of its two lists: the bytes of every entry, which the
// list controls can only show as well as the code page allows. Every edit acts
// on this model and on the controls together, so that an entry's text in a
// control and its bytes here always stand at the same position.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "cycle_editor/sorted_tail.h"

namespace cycle {

// What the model needs of a list box that shows one of its lists (a
// stand-in in tests).
class ShownList {
 public:
  virtual ~ShownList() = default;
  // One flag per entry: which entries the user has selected.
  virtual std::vector<bool> Selection() const = 0;
  // Replaces every entry with `entries`, in this order (a sorted control does not re-sort
  // them), selected as `selected` says. Returns the positions whose entry is shown other
  // than its bytes are (cut, or with characters the control cannot show), in order.
  virtual std::vector<std::size_t> Show(const std::vector<std::string>& entries,
                                        const std::vector<bool>& selected) = 0;
  // Moves the entry at `from` to `to`, one place away, and leaves it the only selected entry
  // and the current one.
  virtual void MoveEntry(std::size_t from, std::size_t to) = 0;
};

class EditorModel {
 public:
  // `order` ranks the all-maps list, ignoring letter case.
  EditorModel(ShownList& maps, ShownList& rotation, TextOrder order);

  // Fills both lists: `maps` in sorted order (equal ones keep their order), `rotation` as
  // given, nothing selected. Returns the rotation's positions shown other than they are.
  std::vector<std::size_t> Fill(std::vector<std::string> maps, std::vector<std::string> rotation);

  // Every selected map goes to the top of the rotation, in its order, unselected.
  void MoveIntoRotation();
  // Every selected rotation entry goes to its sorted place among the maps, after the maps it
  // ranks equal with, unselected; the flags of both lists stay with their entries.
  void RemoveFromRotation();
  // The first selected entry that can move goes one place up (down); false if none could.
  bool MoveUp();
  bool MoveDown();
  // The rotation shuffled (the first map to the middle), nothing selected.
  void Shuffle(const std::function<double()>& nextUniform);

  const std::vector<std::string>& maps() const { return maps_; }
  const std::vector<std::string>& rotation() const { return rotation_; }

 private:
  ListState Read(const std::vector<std::string>& texts, const ShownList& view);
  // Takes both lists' texts back and shows them with their flags.
  void Store(ListState& maps, ListState& rotation);
  bool Step(bool up);

  ShownList& mapsView_;
  ShownList& rotationView_;
  TextOrder order_;
  std::vector<std::string> maps_;
  std::vector<std::string> rotation_;
};

}  // namespace cycle
