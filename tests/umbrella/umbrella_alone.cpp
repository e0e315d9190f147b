// The umbrella header compiles on its own, first in its unit, with nothing before it.
#include QOR_UMBRELLA_HEADER
