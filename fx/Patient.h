#pragma once
// The patient drawn around the stomach: head, arms and legs swaying on sine
// waves of the patient's own clock, and smoke rising beside the arm on the right
// of the screen. One global object; the frame loads, updates and draws it.

class Patient {
 public:
  void loadSprites();
  void update(float dt);
  void render();

  float clock = 0.0f;
};

extern Patient patient;
