#pragma once
// The system's alert sound.
void Beep();
