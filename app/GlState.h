#pragma once
// The GL state set once at start-up and never changed afterwards: flat
// shading, back faces culled with counter-clockwise fronts, depth test LEQUAL
// with clear depth 1, black clear colour. Drawing code relies on it.
void applyFixedGlState();
