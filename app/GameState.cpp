#include "app/GameState.h"

int GameState = kTitleScreen;
