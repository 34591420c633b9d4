// The taskbar that the Windows test programs put up in place of a shell's: the top-level
// window the saver looks for, class "Shell_traywnd" with an empty title.
#pragma once
#include <windows.h>

// Shows it along the bottom of the screen without taking the focus. The procedure sees
// its messages, e.g. to notice an order to hide however quickly it is undone. Wine's own
// shell keeps a hidden window of that class; the stand-in, newer and shown, comes before
// it in the z-order, so it is the one the saver finds.
HWND MakeStandInTaskbar(WNDPROC procedure = DefWindowProcA);
