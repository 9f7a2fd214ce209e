// What a command family keeps for the rest of a run (the open file handles, for one):
// the run's state owns it and releases it when the run's state goes.
#pragma once

namespace pirune {

class TRunResource {
 public:
  virtual ~TRunResource() = default;
};

}  // namespace pirune
