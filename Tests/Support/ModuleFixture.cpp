#include "ModuleFixture.hpp"
