#include "support/calculator_fixture.h"
