#include "view/GameState.h"

int GameState = kTitleScreen;
