#include "model/instance.h"

TOrdex::~TOrdex() {
  // The host is told first, while the project still exists.
  if (InstanceDestructorCallback) InstanceDestructorCallback();
  Project.reset();
}
