// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

// Asks the window manager to unroll a window that the user rolled up into its title bar
// (xfwm4's shade button, _NET_WM_STATE_SHADED), which Qt has no word for. Nothing where
// the platform is not X11, or the window was never shown.
void UnshadeWindow(QWindow* window);
