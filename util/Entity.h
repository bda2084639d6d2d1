#pragma once
// The base of every simulated body: a point mass with a radius, a force
// accumulator, a position and a velocity. The owner clears the force, adds its
// forces, then calls update; bodies are deleted through the virtual destructor.

class Entity {
 public:
  virtual ~Entity() = default;
  virtual void update(float dt) = 0;
  virtual void render() const = 0;
  virtual void setX(float newX) { x = newX; }
  virtual void setY(float newY) { y = newY; }

  float mass = 0.0f;
  float radius = 0.0f;
  float forceX = 0.0f;
  float forceY = 0.0f;
  float x = 0.0f;
  float y = 0.0f;
  float vx = 0.0f;
  float vy = 0.0f;
};
