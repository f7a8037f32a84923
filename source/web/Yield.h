#pragma once

// Whether the program has handed control to the browser (slept) since the last frame
// step's event pump. The browser paints and delivers input only then, so a step that has
// already slept need not yield again.
namespace WebYield {

void noteSleep();
// Whether a sleep was noted since the last call.
bool takeSleep();

}  // namespace WebYield
