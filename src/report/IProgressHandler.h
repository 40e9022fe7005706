#pragma once

// Where a report tells how far it has come: Begin, then any number of Step or SetPosition,
// then End.
class IProgressHandler {
 public:
  virtual ~IProgressHandler() = default;

  // The share of the work done, 0.0 to 1.0.
  virtual void SetPosition(float fraction) = 0;
  virtual void Step() = 0;
  virtual void Begin(int max) = 0;
  virtual void End() = 0;
};
