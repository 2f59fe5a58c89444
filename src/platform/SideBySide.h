#pragma once
// Work cut into items that several threads take in turn.
#include <cstddef>
#include <functional>
#include <optional>
#include <system_error>

// Runs work(i) once for every i below count, here and on up to helpers threads more, and returns
// once every item is done. The items are taken in turn, so a thread that the system cannot give,
// or that starts late, leaves its items to the others: unlike RunInParts (platform/InParts.h),
// which gives each part a thread of its own, the work never waits for a thread to start. A helper
// that starts after the last item is taken ends without calling work. work must not throw. Returns
// the error that kept a helper from being made, if one was not.
std::optional<std::system_error> RunSideBySide(size_t count, size_t helpers,
                                               std::function<void(size_t)> work);
