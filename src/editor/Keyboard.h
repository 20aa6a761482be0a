// TKeyboard: the editor's key-binding table — single keys and two-key sequences mapped
// to command codes — with the default layout the control starts with.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "editor/Commands.h"
#include "platform/Types.h"

namespace editor {

// One binding. Key2 is 0 for a single-key binding.
struct TEditKey {
  std::uint16_t Key1 = 0;
  std::uint16_t Key2 = 0;
  platform::TShiftState Shift1 = 0;
  platform::TShiftState Shift2 = 0;
  TCommand Command = 0;
  bool operator==(const TEditKey&) const = default;
};

// FindCommand's answer for a key that starts a two-key sequence.
inline constexpr TCommand ecWaitSecondKey = 0xFFFF;

// An ordered list of bindings; lookups take the first match in insertion order.
class TKeyboard {
 public:
  // Asked for a command when a two-key sequence has no entry; may set code.
  using TSequenceHook = std::function<void(TKeyboard&, std::uint16_t key1, platform::TShiftState shift1,
                                           std::uint16_t key2, platform::TShiftState shift2,
                                           TCommand& code)>;

  void Add(TCommand command, std::uint16_t key, platform::TShiftState shift);
  void AddSequence(TCommand command, std::uint16_t key1, platform::TShiftState shift1, std::uint16_t key2,
                   platform::TShiftState shift2);
  // Two entries: the second key with Ctrl, then without it.
  void AddSequenceEitherCtrl(TCommand command, std::uint16_t key1, platform::TShiftState shift1,
                             std::uint16_t key2);
  void Clear() { keys_.clear(); }
  void Assign(const TKeyboard& source);

  // The command of the first single-key entry for (key, shift); ecWaitSecondKey when
  // that entry starts a sequence; 0 when there is none.
  TCommand FindCommand(std::uint16_t key, platform::TShiftState shift) const;
  // The command of the first entry matching all four; else the hook's answer; else 0.
  TCommand FindCommand2(std::uint16_t key1, platform::TShiftState shift1, std::uint16_t key2,
                        platform::TShiftState shift2);

  void SetDefaultLayout();

  int Count() const { return static_cast<int>(keys_.size()); }
  const TEditKey& Key(int index) const { return keys_.at(static_cast<std::size_t>(index)); }

  TSequenceHook OnSequence;

 private:
  std::vector<TEditKey> keys_;
};

}  // namespace editor
