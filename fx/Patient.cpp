#include "fx/Patient.h"

// Placeholder until the effects work lands.

Patient patient;

void Patient::loadSprites() {}
void Patient::update(float dt) { clock += dt; }
void Patient::render() {}
