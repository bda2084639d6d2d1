#pragma once
// Asks the driver to wait for the vertical blank on every swap, where it offers
// GLX_EXT_swap_control or GLX_MESA_swap_control. The frame loop itself stays
// unthrottled: on a real display it then runs at the refresh rate instead of
// spinning a core, and the measured dt keeps the game's speed the same.
// Returns true when one of the two extensions took the request.
bool requestVSync();
