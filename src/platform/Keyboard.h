#pragma once
// The keyboard's state at this moment, whatever event is being handled.
#include <optional>

namespace Keyboard {

// True while a Control key is held down.
bool AsyncControlKey();
// Tests hold the key down (true) or let it go (false); nullopt reads the real keyboard again.
void SetAsyncControlKeyForTesting(std::optional<bool> held);

} // namespace Keyboard
