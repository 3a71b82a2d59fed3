#include "Generator.h"
