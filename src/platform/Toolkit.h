#pragma once
// The GUI toolkit under the framework layer is created once per process, on first need.
void EnsureToolkit();
